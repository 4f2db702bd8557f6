// Pages 2 to 4 driven through their widgets, on a small database made for each test.
#include "common/pageregistry.h"
#include "common/unsavedwork.h"
#include "widgets/stringgrid.h"
#include "reference/referencepages.h"
#include "refdb.h"
#include "support/fakehost.h"
#include "support/testdb.h"
#include "support/missingtool.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QGuiApplication>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

using namespace mhbk;
using mhbk::test::FakePageHost;
using mhbk::test::readItems;
using mhbk::test::readTable;
using mhbk::test::runHandler;

namespace {

const int kUnitPage = pages::indexOf("Page_comunit");
const int kDensityPage = pages::indexOf("Page_constdensity");
const int kFormulaPage = pages::indexOf("Page_constformula");

class PagesTest : public ::testing::Test {
protected:
    void open(int units, int densities, int formulas = 5)
    {
        ASSERT_TRUE(dir.isValid());
        path = dir.filePath(QStringLiteral("System.dat"));
        mhbk::test::createReferenceDatabase(path, units, densities, formulas);
        host = std::make_unique<FakePageHost>(path);
        installReferencePages(*host);
        ASSERT_NE(host->rowEditor(kUnitPage), nullptr);
        ASSERT_NE(host->rowEditor(kDensityPage), nullptr);
        ASSERT_EQ(host->rowEditor(kFormulaPage), nullptr);
    }

    StringGrid &grid(const char *name)
    {
        auto *g = host->window()->findChild<StringGrid *>(QString::fromLatin1(name));
        if (!g)
            throw std::runtime_error(name);
        return *g;
    }
    void select(StringGrid &g, int column, int row) { g.setCurrentCell(row, column); }
    // The bottom bar acts on the grid of the page on screen, if it has one.
    void command(void (RowEditor::*what)())
    {
        if (RowEditor *editor = host->rowEditor(host->tabs().currentIndex()))
            runHandler(host->reporter(), [&] { (editor->*what)(); });
    }
    void insertAt(StringGrid &g, int column, int row) { select(g, column, row); command(&RowEditor::insertItem); }
    void deleteAt(StringGrid &g, int column, int row) { select(g, column, row); command(&RowEditor::deleteItem); }
    void save() { command(&RowEditor::save); }
    std::vector<QStringList> units() { return readItems(path, QStringLiteral("comunit"), 3); }
    std::vector<QStringList> densities() { return readItems(path, QStringLiteral("constdensity"), 2); }
    void expectNoErrors()
    {
        for (const auto &e : host->recorder().entries())
            ADD_FAILURE() << e.text.toStdString();
    }

    QTemporaryDir dir;
    QString path;
    std::unique_ptr<FakePageHost> host;
};

struct FillCase {
    int units;
    int unitColumns;
    int densities;
    int densityColumns;
};

class FillLayout : public PagesTest, public ::testing::WithParamInterface<FillCase> {};

TEST_P(FillLayout, BlocksWrapWithSpacersAndHeadings)
{
    const FillCase c = GetParam();
    open(c.units, c.densities);
    host->showPage(kUnitPage);
    host->showPage(kDensityPage);
    expectNoErrors();
    StringGrid &unit = grid("StringGrid1");
    StringGrid &density = grid("StringGrid2");
    EXPECT_EQ(unit.colCount(), c.unitColumns);
    EXPECT_EQ(unit.rowCount(), 15);
    EXPECT_EQ(density.colCount(), c.densityColumns);
    for (int spacer = 3; spacer < unit.colCount(); spacer += 4)
        EXPECT_EQ(unit.columnWidth(spacer), 10);
    for (int block = 0; block < density.colCount(); block += 2) {
        EXPECT_EQ(density.cell(block, 0), QStringLiteral("材料名称"));
        EXPECT_EQ(density.cell(block + 1, 0), QStringLiteral("密度"));
    }
    if (c.units > 15) {
        EXPECT_EQ(unit.cell(4, 0), QStringLiteral("u15"));
        EXPECT_EQ(unit.cell(6, 0), QStringLiteral("v15"));
    }
    if (c.densities > 14) {
        EXPECT_EQ(density.cell(2, 1), QStringLiteral("m14"));
    }
}

INSTANTIATE_TEST_SUITE_P(Counts, FillLayout,
                         ::testing::Values(FillCase{15, 3, 14, 2}, FillCase{16, 7, 15, 4}, FillCase{0, 3, 0, 2},
                                           FillCase{46, 15, 43, 8}));

TEST_F(PagesTest, FormulaPageShowsThirteenRecordsUnderItsHeadings)
{
    open(1, 1, 20);
    host->showPage(kFormulaPage);
    expectNoErrors();
    StringGrid &formula = grid("StringGrid3");
    EXPECT_EQ(formula.rowCount(), 13);
    EXPECT_EQ(formula.fixedRows(), 1);
    EXPECT_EQ(formula.cell(0, 0), QStringLiteral("型材"));
    EXPECT_EQ(formula.cell(1, 12), QStringLiteral("f12"));
    EXPECT_EQ(formula.columnWidth(1), 232);
    EXPECT_EQ(formula.columnWidth(2), 130);
    for (const char *name : {"Label2", "Label3", "Label4"})
        EXPECT_NE(host->page(kFormulaPage)->findChild<QLabel *>(QString::fromLatin1(name)), nullptr) << name;
    // The formula table is not editable: with it open the buttons touch nothing.
    insertAt(formula, 0, 3);
    EXPECT_EQ(formula.cell(0, 3), QStringLiteral("s3"));
}

TEST_F(PagesTest, InsertIntoFullUnitBlockGrowsAndSavesTheNewRecord)
{
    open(15, 0);
    host->showPage(kUnitPage);
    StringGrid &unit = grid("StringGrid1");
    insertAt(unit, 1, 14);
    EXPECT_EQ(unit.colCount(), 7);
    EXPECT_EQ(unit.columnWidth(3), 10);
    EXPECT_EQ(unit.cell(4, 0), QStringLiteral("u14"));
    EXPECT_EQ(unit.cell(0, 14), QString());
    unit.setCell(0, 14, QStringLiteral("1 英寸"));
    save();
    expectNoErrors();
    const auto rows = readTable(path, QStringLiteral("comunit"));
    ASSERT_EQ(rows.size(), 16u);
    EXPECT_EQ(rows[14][1], QStringLiteral("1 英寸"));
    EXPECT_EQ(rows[15], (QStringList{QStringLiteral("15"), QStringLiteral("u14"), QStringLiteral("="),
                                     QStringLiteral("v14")}));
}

TEST_F(PagesTest, InsertIntoFullDensityBlockAddsABlockWithoutHeadings)
{
    open(0, 14);
    host->showPage(kDensityPage);
    StringGrid &density = grid("StringGrid2");
    insertAt(density, 1, 7);
    EXPECT_EQ(density.colCount(), 4);
    EXPECT_EQ(density.cell(2, 0), QString());
    EXPECT_EQ(density.cell(3, 0), QString());
    EXPECT_EQ(density.cell(2, 1), QStringLiteral("m13"));
    deleteAt(density, 0, 7);
    EXPECT_EQ(density.colCount(), 2);
    expectNoErrors();
}

TEST_F(PagesTest, EmptyTableTakesItsFirstItemByTyping)
{
    open(0, 0);
    host->showPage(kDensityPage);
    StringGrid &density = grid("StringGrid2");
    insertAt(density, 0, 1); // no item yet: nothing to move, nothing happens
    deleteAt(density, 0, 1);
    EXPECT_EQ(density.colCount(), 2);
    density.setCell(0, 1, QStringLiteral("钢"));
    density.setCell(1, 1, QStringLiteral("7.85"));
    save();
    expectNoErrors();
    EXPECT_EQ(densities(), (std::vector<QStringList>{{QStringLiteral("钢"), QStringLiteral("7.85")}}));
    EXPECT_EQ(readTable(path, QStringLiteral("constdensity"))[0][0], QStringLiteral("0"));
}

TEST_F(PagesTest, TwoInsertsAndOneDeleteOnTwentyRecordsSaveTwentyOne)
{
    open(0, 20);
    host->showPage(kDensityPage);
    StringGrid &density = grid("StringGrid2");
    insertAt(density, 0, 1);
    insertAt(density, 1, 5);
    deleteAt(density, 2, 3); // slot 16, which now holds m14
    save();
    expectNoErrors();
    const auto rows = readTable(path, QStringLiteral("constdensity"));
    ASSERT_EQ(rows.size(), 21u);
    EXPECT_EQ(rows[20][0], QStringLiteral("20"));
    EXPECT_EQ(rows[0][1], QString());
    EXPECT_EQ(rows[4][1], QString());
    EXPECT_EQ(rows[15][1], QStringLiteral("m13"));
    EXPECT_EQ(rows[16][1], QStringLiteral("m15"));
    EXPECT_EQ(rows[20][1], QStringLiteral("m19"));
}

TEST_F(PagesTest, ThreeDeletesRemoveTheLastThreeRecords)
{
    open(20, 0);
    host->showPage(kUnitPage);
    StringGrid &unit = grid("StringGrid1");
    for (int i = 0; i < 3; ++i)
        deleteAt(unit, 4, 0); // slot 15, the first row of the second block
    EXPECT_EQ(unit.colCount(), 7);
    save();
    expectNoErrors();
    const auto rows = readTable(path, QStringLiteral("comunit"));
    ASSERT_EQ(rows.size(), 17u);
    EXPECT_EQ(rows[15][0], QStringLiteral("15")); // the record keeps its Number, gets the next item
    EXPECT_EQ(rows[15][1], QStringLiteral("u18"));
    EXPECT_EQ(rows[16][1], QStringLiteral("u19"));
}

TEST_F(PagesTest, UnsavedEditsSurviveLeavingAndASaveWritesExactlyTheGrid)
{
    open(16, 30);
    host->showPage(kUnitPage);
    StringGrid &unit = grid("StringGrid1");
    deleteAt(unit, 4, 0); // the only item of block two
    EXPECT_EQ(unit.colCount(), 3);
    host->showPage(kDensityPage);
    StringGrid &density = grid("StringGrid2");
    insertAt(density, 0, 1);
    host->showPage(kFormulaPage);
    host->showPage(kUnitPage);
    EXPECT_EQ(unit.colCount(), 3); // not read again
    save();
    host->showPage(kDensityPage);
    EXPECT_EQ(density.cell(0, 2), QStringLiteral("m0"));
    save();
    expectNoErrors();
    EXPECT_EQ(units().size(), 15u);
    EXPECT_EQ(units().back()[0], QStringLiteral("u14"));
    EXPECT_EQ(densities().size(), 31u);
    EXPECT_EQ(densities()[1][0], QStringLiteral("m0"));
}

TEST_F(PagesTest, SavingTwiceWritesTheSameAndKeepsCounting)
{
    open(0, 14);
    host->showPage(kDensityPage);
    StringGrid &density = grid("StringGrid2");
    insertAt(density, 0, 14);
    save();
    const auto first = readTable(path, QStringLiteral("constdensity"));
    save();
    EXPECT_EQ(readTable(path, QStringLiteral("constdensity")), first);
    insertAt(density, 2, 1); // slot 14, now a record of its own
    save();
    expectNoErrors();
    const auto rows = readTable(path, QStringLiteral("constdensity"));
    ASSERT_EQ(rows.size(), 16u);
    EXPECT_EQ(rows[15][0], QStringLiteral("15"));
    EXPECT_EQ(rows[15][1], QStringLiteral("m13"));
    EXPECT_EQ(rows[14][1], QString());
}

TEST_F(PagesTest, TypingStillOpenInACellIsSaved)
{
    open(3, 0);
    host->showPage(kUnitPage);
    host->window()->show();
    StringGrid &unit = grid("StringGrid1");
    select(unit, 0, 1);
    unit.editItem(unit.item(1, 0));
    auto *editor = qobject_cast<QLineEdit *>(unit.indexWidget(unit.currentIndex()));
    ASSERT_NE(editor, nullptr);
    editor->setText(QStringLiteral("1 英尺"));
    save();
    expectNoErrors();
    EXPECT_EQ(units()[1][0], QStringLiteral("1 英尺"));
    EXPECT_EQ(unit.indexWidget(unit.currentIndex()), nullptr);
}

TEST_F(PagesTest, ReadOnlyDatabaseReportsAndKeepsTableGridAndCounter)
{
    open(0, 20);
    host->showPage(kDensityPage);
    StringGrid &density = grid("StringGrid2");
    insertAt(density, 0, 1);
    density.setCell(0, 1, QStringLiteral("新材料"));
    const auto before = readTable(path, QStringLiteral("constdensity"));
    // Running as root, file permissions would not stop the write: reopen the program's own
    // connection read-only instead.
    host->database().setReadOnly(true);
    save();
    ASSERT_EQ(host->recorder().size(), 1u);
    EXPECT_TRUE(host->recorder().last().text.contains(QStringLiteral("只读")))
        << host->recorder().last().text.toStdString();
    EXPECT_EQ(readTable(path, QStringLiteral("constdensity")), before);
    EXPECT_EQ(density.cell(0, 1), QStringLiteral("新材料"));

    host->database().setReadOnly(false);
    save(); // the counter still matches the grid: the same 21 items go in
    EXPECT_EQ(host->recorder().size(), 1u);
    ASSERT_EQ(densities().size(), 21u);
    EXPECT_EQ(densities()[0][0], QStringLiteral("新材料"));
    EXPECT_EQ(densities()[20][0], QStringLiteral("m19"));
}

// Another program, a real second process, holds an exclusive lock on the file while 保存 is
// pressed; once it lets go, 保存 and 插入 work again without leaving the page.
TEST_F(PagesTest, DatabaseLockedByAnotherProgramReportsThenSavingAgainWorks)
{
    open(10, 0);
    host->showPage(kUnitPage);
    StringGrid &unit = grid("StringGrid1");
    deleteAt(unit, 0, 0);
    const auto before = readTable(path, QStringLiteral("comunit"));
    QProcess holder;
    holder.start(QStringLiteral(MHBK_LOCK_CHILD), {path});
    ASSERT_TRUE(holder.waitForStarted());
    // Generous: the holder only has to open the file; a failure here is no lock, not slowness.
    while (!holder.canReadLine() && holder.waitForReadyRead(60000)) {
    }
    ASSERT_EQ(holder.readLine().trimmed(), "locked");

    save(); // waits out the busy timeout, then gives up
    ASSERT_EQ(host->recorder().size(), 1u);
    const QString message = host->recorder().last().text;
    EXPECT_TRUE(message.contains(QStringLiteral("锁定"))) << message.toStdString();
    // The page the user knows, not the table behind it.
    EXPECT_TRUE(message.contains(QStringLiteral("常用单位转换"))) << message.toStdString();
    EXPECT_FALSE(message.contains(QStringLiteral("comunit"))) << message.toStdString();
    EXPECT_FALSE(message.contains(QStringLiteral("无法读取"))) << "the file is readable, only locked";
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr) << "the wait cursor shown while waiting is taken back";
    EXPECT_TRUE(host->unsavedWork().front().work->hasUnsavedChanges());

    holder.write("release\n");
    holder.closeWriteChannel();
    ASSERT_TRUE(holder.waitForFinished(60000));
    EXPECT_EQ(holder.exitCode(), 0) << holder.readAll().toStdString();
    EXPECT_EQ(readTable(path, QStringLiteral("comunit")), before);

    host->recorder().clear();
    save();
    expectNoErrors();
    EXPECT_EQ(units().size(), 9u);
    EXPECT_FALSE(host->unsavedWork().front().work->hasUnsavedChanges());
    deleteAt(unit, 0, 0);
    insertAt(unit, 0, 2);
    unit.setCell(0, 2, QStringLiteral("1 码"));
    save();
    expectNoErrors();
    ASSERT_EQ(units().size(), 9u);
    EXPECT_EQ(units()[0][0], QStringLiteral("u2"));
    EXPECT_EQ(units()[2][0], QStringLiteral("1 码"));
    EXPECT_EQ(units()[3][0], QStringLiteral("u4"));
}

TEST_F(PagesTest, EachGridEditsOnlyItsOwnTableWhicheverPagesWereShownBetween)
{
    open(5, 5);
    host->showPage(kDensityPage);
    host->showPage(kFormulaPage);
    host->showPage(kUnitPage);
    StringGrid &unit = grid("StringGrid1");
    StringGrid &density = grid("StringGrid2");
    const auto densitiesBefore = densities();
    deleteAt(unit, 0, 0);
    save();
    EXPECT_EQ(units().size(), 4u);
    EXPECT_EQ(densities(), densitiesBefore);
    EXPECT_EQ(density.cell(0, 1), QStringLiteral("m0"));

    host->showPage(kFormulaPage); // no editable grid: the commands reach no table
    insertAt(grid("StringGrid3"), 0, 1);
    save();
    EXPECT_EQ(readTable(path, QStringLiteral("constformula")).size(), 5u);
    EXPECT_EQ(units().size(), 4u);
    EXPECT_EQ(densities(), densitiesBefore);
    expectNoErrors();
}

// What counts as unsaved on an editable grid: anything that changed its cells or its list
// since it last matched its table; showing, leaving and saving do not.
enum class GridAction { ShowOnly, Type, TypeTheSameText, OpenEditor, Insert, InsertAndDelete, TypeThenSave };

struct UnsavedCase {
    const char *label;
    GridAction action;
    bool unsaved;
};

class UnsavedGrid : public PagesTest, public ::testing::WithParamInterface<UnsavedCase> {
protected:
    mhbk::UnsavedWork &work(int pageIndex)
    {
        for (const auto &entry : host->unsavedWork())
            if (entry.pageIndex == pageIndex)
                return *entry.work;
        throw std::runtime_error("no unsaved work on this page");
    }
};

TEST_P(UnsavedGrid, CountsChangesSinceTheGridLastMatchedItsTable)
{
    open(5, 5);
    for (int pageIndex : {kUnitPage, kDensityPage})
        EXPECT_FALSE(work(pageIndex).hasUnsavedChanges()) << "not yet shown";
    host->showPage(kDensityPage);
    host->window()->show();
    StringGrid &density = grid("StringGrid2");
    switch (GetParam().action) {
    case GridAction::ShowOnly:
        host->showPage(kFormulaPage);
        host->showPage(kDensityPage);
        break;
    case GridAction::Type:
        density.setCell(1, 2, QStringLiteral("2.7"));
        break;
    case GridAction::TypeTheSameText:
        density.setCell(0, 2, density.cell(0, 2));
        break;
    case GridAction::OpenEditor: {
        select(density, 0, 3);
        density.editItem(density.item(3, 0));
        auto *editor = qobject_cast<QLineEdit *>(density.indexWidget(density.currentIndex()));
        ASSERT_NE(editor, nullptr);
        editor->setText(QStringLiteral("铝"));
        break;
    }
    case GridAction::Insert:
        insertAt(density, 0, 1);
        break;
    case GridAction::InsertAndDelete:
        insertAt(density, 0, 1);
        deleteAt(density, 0, 1);
        break;
    case GridAction::TypeThenSave:
        density.setCell(1, 2, QStringLiteral("2.7"));
        save();
        break;
    }
    EXPECT_EQ(work(kDensityPage).hasUnsavedChanges(), GetParam().unsaved);
    EXPECT_FALSE(work(kUnitPage).hasUnsavedChanges());
    EXPECT_EQ(work(kDensityPage).unsavedDescription(), QStringLiteral("常用材料密度"));
    EXPECT_EQ(work(kUnitPage).unsavedDescription(), QStringLiteral("常用单位转换"));
    expectNoErrors();
}

INSTANTIATE_TEST_SUITE_P(Actions, UnsavedGrid,
                         ::testing::Values(UnsavedCase{"ShowOnly", GridAction::ShowOnly, false},
                                           UnsavedCase{"Type", GridAction::Type, true},
                                           UnsavedCase{"TypeTheSameText", GridAction::TypeTheSameText, false},
                                           UnsavedCase{"OpenEditor", GridAction::OpenEditor, true},
                                           UnsavedCase{"Insert", GridAction::Insert, true},
                                           // The counter is back at 0, but the items have moved.
                                           UnsavedCase{"InsertAndDelete", GridAction::InsertAndDelete, true},
                                           UnsavedCase{"TypeThenSave", GridAction::TypeThenSave, false}),
                         [](const auto &info) { return std::string(info.param.label); });

TEST_F(PagesTest, SavingForTheCloseWritesTheGridAndConfirmsInTheStatusArea)
{
    open(3, 3);
    host->showPage(kUnitPage);
    StringGrid &unit = grid("StringGrid1");
    unit.setCell(0, 1, QStringLiteral("1 英尺"));
    mhbk::UnsavedWork *work = host->unsavedWork().front().work;
    ASSERT_EQ(host->unsavedWork().front().pageIndex, kUnitPage);
    EXPECT_TRUE(work->saveChanges());
    EXPECT_EQ(units()[1][0], QStringLiteral("1 英尺"));
    EXPECT_EQ(host->statusMessages(), QStringList{QStringLiteral("已保存常用单位转换")});
    EXPECT_FALSE(work->hasUnsavedChanges());

    // A save that fails says why, keeps the edits unsaved and gives no confirmation.
    unit.setCell(0, 2, QStringLiteral("1 码"));
    host->database().setReadOnly(true);
    EXPECT_FALSE(work->saveChanges());
    EXPECT_EQ(host->recorder().size(), 1u);
    EXPECT_TRUE(work->hasUnsavedChanges());
    EXPECT_EQ(host->statusMessages().size(), 1);
}

TEST(ShippedTables, FillTheThreePages)
{
    if (!QFile::exists(mhbk::test::builtDatabasePath()))
        MHBK_SKIP_WITHOUT("System.dat");
    mhbk::test::TestDatabaseCopy copy;
    FakePageHost host(copy.path());
    installReferencePages(host);
    for (int page : {kUnitPage, kDensityPage, kFormulaPage})
        host.showPage(page);
    EXPECT_TRUE(host.recorder().empty());
    auto *unit = host.window()->findChild<StringGrid *>(QStringLiteral("StringGrid1"));
    ASSERT_NE(unit, nullptr);
    EXPECT_EQ(unit->cell(0, 0), QStringLiteral("1 英寸"));
    EXPECT_EQ(unit->cell(2, 0), QStringLiteral("25.4 毫米"));
}

} // namespace
