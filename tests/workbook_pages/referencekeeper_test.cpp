// The user's corrected reference values across two runs: two page hosts, one after the other,
// on the same user data folder, as two starts of the program.
#include "support/fakehost.h"
#include "support/testdb.h"
#include "workbooks/engine/workbook.h"
#include "workbooks/pages/referencevalues.h"
#include "workbooks/view/spreadsheetcommands.h"
#include "workbooks/view/spreadsheetview.h"
#include "workbooks/workbookpages.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>
#include <gtest/gtest.h>
#include <memory>

namespace mhbk {
namespace {

class ReferenceRuns : public ::testing::Test {
protected:
    // One start of the program: a window with the workbook pages, showing `page`.
    std::unique_ptr<test::FakePageHost> start(int page)
    {
        auto host = std::make_unique<test::FakePageHost>(copy_.path());
        host->setUserDataFolder(folder_.path());
        installWorkbookPages(*host);
        host->tabs().show();
        host->showPage(page);
        return host;
    }
    static view::SpreadsheetView *book(test::FakePageHost &host, int page)
    {
        return view::pageSpreadsheet(host.page(page));
    }
    static QAction *restore(test::FakePageHost &host, int page)
    {
        return book(host, page)->findChild<QAction *>(QStringLiteral("actRestoreDefaults%1").arg(page));
    }
    // The first green cell of the page's sheet (1-based row and column).
    static std::pair<int, int> firstReferenceCell(view::SpreadsheetView &v)
    {
        const auto cells = workbooks::referenceCells(v.workbook(), v.workbook().activeSheet());
        EXPECT_FALSE(cells.empty());
        return cells.empty() ? std::pair(1, 1) : std::pair(cells.front().row + 1, cells.front().col + 1);
    }
    static QString inputAt(view::SpreadsheetView &v, std::pair<int, int> cell)
    {
        return v.workbook().sheet(v.workbook().activeSheet()).input(cell.first - 1, cell.second - 1);
    }
    static void typeInto(view::SpreadsheetView &v, int row, int col, const QString &text)
    {
        v.setFocus();
        v.setCurrentCell(row, col);
        QTest::keyClick(&v, text.at(0).toLatin1()); // the first key opens the editor, the rest go into it
        auto *editor = v.findChild<QLineEdit *>(QStringLiteral("CellEditor"));
        ASSERT_TRUE(editor && v.isEditing());
        QTest::keyClicks(editor, text.mid(1));
        QTest::keyClick(editor, Qt::Key_Return);
    }

    test::TestDatabaseCopy copy_;
    QTemporaryDir folder_;
};

TEST_F(ReferenceRuns, ACorrectionIsShownAtTheNextStartUntilRestored)
{
    const struct {
        int page;
        const char *typed;
    } cases[] = {{40, "12.5"}, {45, "0.8"}, {48, "9-99"}, {33, "34"}};
    for (const auto &c : cases) {
        const QString typed = QString::fromUtf8(c.typed);
        QString shipped;
        std::pair<int, int> cell;
        {
            auto first = start(c.page);
            view::SpreadsheetView *v = book(*first, c.page);
            ASSERT_NE(v, nullptr) << c.page;
            cell = firstReferenceCell(*v);
            shipped = inputAt(*v, cell);
            typeInto(*v, cell.first, cell.second, typed);
            EXPECT_EQ(inputAt(*v, cell), typed) << c.page;
            EXPECT_TRUE(first->recorder().empty()) << c.page;
        }
        {
            auto second = start(c.page);
            view::SpreadsheetView *v = book(*second, c.page);
            EXPECT_EQ(inputAt(*v, cell), typed) << c.page;
            EXPECT_TRUE(v->undoStack()->isClean()) << c.page; // what was kept is no new work

            second->recorder().answerWith({Answer::No});
            restore(*second, c.page)->trigger();
            EXPECT_EQ(inputAt(*v, cell), typed) << c.page;
            second->recorder().answerWith({Answer::Yes});
            restore(*second, c.page)->trigger();
            EXPECT_EQ(inputAt(*v, cell), shipped) << c.page;
            EXPECT_EQ(second->recorder().questionCount(), 2u) << c.page;
            ASSERT_FALSE(second->statusMessages().isEmpty()) << c.page;
            EXPECT_EQ(second->statusMessages().last(), QStringLiteral("本页的参考值已恢复为默认值")) << c.page;
        }
        auto third = start(c.page);
        EXPECT_EQ(inputAt(*book(*third, c.page), cell), shipped) << c.page;
        EXPECT_TRUE(QDir(folder_.path()).isEmpty()) << c.page;
    }
}

TEST_F(ReferenceRuns, UndoingACorrectionForgetsIt)
{
    std::pair<int, int> cell;
    QString shipped;
    {
        auto first = start(41);
        view::SpreadsheetView *v = book(*first, 41);
        cell = firstReferenceCell(*v);
        shipped = inputAt(*v, cell);
        typeInto(*v, cell.first, cell.second, QStringLiteral("3"));
        QTest::keyClick(v, Qt::Key_Z, Qt::ControlModifier);
    }
    auto second = start(41);
    EXPECT_EQ(inputAt(*book(*second, 41), cell), shipped);
}

TEST_F(ReferenceRuns, ADamagedFileIsReportedAndTheShippedValuesStay)
{
    QFile broken(workbooks::ReferenceStore(folder_.path()).filePath(42));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("{");
    broken.close();
    auto host = start(42);
    ASSERT_NE(book(*host, 42), nullptr);
    ASSERT_EQ(host->recorder().size(), 1u);
    EXPECT_TRUE(host->recorder().last().text.contains(QStringLiteral("已损坏"))) << host->recorder().last().text.toStdString();
}

TEST_F(ReferenceRuns, PagesWithoutGreenCellsOfferNoRestore)
{
    auto host = start(7);
    ASSERT_NE(book(*host, 7), nullptr);
    EXPECT_EQ(restore(*host, 7), nullptr);
}

} // namespace
} // namespace mhbk
