// The editable grids and the formula grid as the user works them with the keyboard: the
// current cell before any click, Ctrl+C and Ctrl+V, and the formula notes shown whole.
#include "widgets/stringgrid.h"
#include "reference/referencepages.h"
#include "refdb.h"
#include "support/fakehost.h"
#include "support/testdb.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

using namespace mhbk;
using mhbk::test::FakePageHost;
using mhbk::test::readItems;

namespace {

struct GridCase {
    const char *name;
    int page;
    const char *grid;
    const char *table;
    int cells;
};

const GridCase kUnit{"unit", 2, "StringGrid1", "comunit", 3};
const GridCase kDensity{"density", 3, "StringGrid2", "constdensity", 2};

class EditableGridInput : public ::testing::TestWithParam<GridCase> {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        path_ = dir_.filePath(QStringLiteral("System.dat"));
        mhbk::test::createReferenceDatabase(path_, 20, 20, 5);
        host_ = std::make_unique<FakePageHost>(path_);
        installReferencePages(*host_);
        host_->window()->show();
        host_->showPage(GetParam().page);
        grid_ = host_->window()->findChild<StringGrid *>(QString::fromLatin1(GetParam().grid));
        ASSERT_NE(grid_, nullptr);
        grid_->setFocus();
    }
    std::vector<QStringList> stored() const
    {
        return readItems(path_, QString::fromLatin1(GetParam().table), GetParam().cells);
    }
    void expectNoErrors() const
    {
        for (const auto &e : host_->recorder().entries())
            ADD_FAILURE() << e.text.toStdString();
    }

    QTemporaryDir dir_;
    QString path_;
    std::unique_ptr<FakePageHost> host_;
    StringGrid *grid_ = nullptr;
};

TEST_P(EditableGridInput, DeleteAndInsertBeforeAnyClickActOnTheFirstItem)
{
    const QString prefix = GetParam().cells == 3 ? QStringLiteral("u") : QStringLiteral("m");
    host_->rowEditor(GetParam().page)->deleteItem();
    EXPECT_EQ(grid_->currentCellText(), prefix + QStringLiteral("1"));
    host_->rowEditor(GetParam().page)->insertItem();
    EXPECT_EQ(grid_->currentCellText(), QString());
    host_->rowEditor(GetParam().page)->save();
    expectNoErrors();
    const auto items = stored();
    ASSERT_EQ(items.size(), 20u);
    EXPECT_EQ(items[0][0], QString());
    EXPECT_EQ(items[1][0], prefix + QStringLiteral("1"));
}

TEST_P(EditableGridInput, CtrlVPastesAtTheCursorAndTheSaveStoresIt)
{
    const int firstRow = GetParam().cells == 3 ? 0 : 1;
    grid_->setCurrentCell(firstRow + 2, 0);
    // A whole item and the first text of the next, as copied from a spreadsheet.
    QApplication::clipboard()->setText(GetParam().cells == 3 ? QStringLiteral("1 海里\t=\t1852 米\r\n1 链\r\n")
                                                             : QStringLiteral("钛\t4.51\r\n镁\r\n"));
    QTest::keyClick(grid_, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(grid_->indexWidget(grid_->currentIndex()), nullptr) << "pasted, not typed into an editor";
    host_->rowEditor(GetParam().page)->save();
    expectNoErrors();
    const auto items = stored();
    ASSERT_EQ(items.size(), 20u);
    if (GetParam().cells == 3) {
        EXPECT_EQ(items[2], (QStringList{QStringLiteral("1 海里"), QStringLiteral("="), QStringLiteral("1852 米")}));
        EXPECT_EQ(items[3], (QStringList{QStringLiteral("1 链"), QStringLiteral("="), QStringLiteral("v3")}));
    } else {
        EXPECT_EQ(items[2], (QStringList{QStringLiteral("钛"), QStringLiteral("4.51")}));
        EXPECT_EQ(items[3], (QStringList{QStringLiteral("镁"), QStringLiteral("d3")}));
    }
}

TEST_P(EditableGridInput, CtrlCThenCtrlVCopiesItemsAcrossBlocks)
{
    const int firstRow = GetParam().cells == 3 ? 0 : 1;
    const int secondBlock = GetParam().cells == 3 ? 4 : 2;
    grid_->setCurrentCell(firstRow, 0);
    grid_->setRangeSelected(QTableWidgetSelectionRange(firstRow, 0, firstRow + 1, GetParam().cells - 1), true);
    QTest::keyClick(grid_, Qt::Key_C, Qt::ControlModifier);
    grid_->setCurrentCell(firstRow, secondBlock);
    QTest::keyClick(grid_, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(grid_->cell(secondBlock, firstRow), grid_->cell(0, firstRow));
    EXPECT_EQ(grid_->cell(secondBlock + GetParam().cells - 1, firstRow + 1),
              grid_->cell(GetParam().cells - 1, firstRow + 1));
}

INSTANTIATE_TEST_SUITE_P(Grids, EditableGridInput, ::testing::Values(kUnit, kDensity),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(EditableGridInput, PastingOverTheUnitSpacerLeavesItEmpty)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("System.dat"));
    mhbk::test::createReferenceDatabase(path, 20, 0, 1);
    FakePageHost host(path);
    installReferencePages(host);
    host.showPage(kUnit.page);
    auto *unit = host.window()->findChild<StringGrid *>(QStringLiteral("StringGrid1"));
    ASSERT_NE(unit, nullptr);
    unit->setCurrentCell(0, 2);
    EXPECT_EQ(unit->paste(QStringLiteral("a\tb\tc")), 2);
    EXPECT_EQ(unit->cell(2, 0), QStringLiteral("a"));
    EXPECT_EQ(unit->cell(3, 0), QString());
    EXPECT_EQ(unit->cell(4, 0), QStringLiteral("c"));
}

TEST(FormulaGrid, TheLongestNotesAreShownWhole)
{
    if (!QFile::exists(mhbk::test::builtDatabasePath()))
        GTEST_SKIP() << "System.dat not built";
    mhbk::test::TestDatabaseCopy copy;
    FakePageHost host(copy.path());
    installReferencePages(host);
    host.showPage(4);
    auto *formula = host.window()->findChild<StringGrid *>(QStringLiteral("StringGrid3"));
    ASSERT_NE(formula, nullptr);
    const QFontMetrics metrics(formula->font());
    for (int row = 1; row < formula->rowCount(); ++row)
        for (int column = 0; column < formula->colCount(); ++column)
            EXPECT_LE(metrics.horizontalAdvance(formula->cell(column, row)), formula->columnWidth(column))
                << formula->cell(column, row).toStdString();
}

} // namespace
