// The workbook pages in a stand-in main window: loading from the Report table, the duct panel
// and its run button and check box.

#include "support/fakehost.h"
#include "support/testdb.h"
#include "workbooks/engine/workbook.h"
#include "workbooks/view/spreadsheetcommands.h"
#include "workbooks/view/spreadsheetview.h"
#include "workbooks/workbookpages.h"

#include <QApplication>
#include <QLineEdit>
#include <QCheckBox>
#include <QPushButton>
#include <QSqlError>
#include <QSqlQuery>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace mhbk {
namespace {

const int kWorkbookPages[] = {7, 8, 9, 10, 33, 34, 35, 36, 37, 38, 39, 40, 41, 42,
                              43, 44, 45, 46, 47, 48, 49, 50, 51};

class WorkbookPages : public ::testing::Test {
protected:
    WorkbookPages() : host_(copy_.path()) { installWorkbookPages(host_); }

    view::SpreadsheetView *book(int page) { return view::pageSpreadsheet(host_.page(page)); }
    QCheckBox *checkBox(int page)
    {
        return host_.page(page)->findChild<QCheckBox *>(QStringLiteral("chbDisplay%1").arg(page));
    }
    QPushButton *runButton(int page)
    {
        return host_.page(page)->findChild<QPushButton *>(QStringLiteral("btnRun%1").arg(page));
    }
    void sql(const QString &statement)
    {
        QSqlQuery query(host_.database().connection());
        ASSERT_TRUE(query.exec(statement)) << query.lastError().text().toStdString();
    }
    QStringList errors()
    {
        QStringList texts;
        for (const auto &entry : host_.recorder().entries())
            texts << entry.text;
        return texts;
    }

    test::TestDatabaseCopy copy_;
    test::FakePageHost host_;
};

TEST_F(WorkbookPages, EveryWorkbookLoadsAndNoFormulaGivesAnError)
{
    for (int page : kWorkbookPages) {
        host_.showPage(page);
        view::SpreadsheetView *shown = book(page);
        ASSERT_NE(shown, nullptr) << page;
        const wb::Workbook &wbook = shown->workbook();
        const wb::Sheet &sheet = wbook.sheet(wbook.activeSheet());
        int formulas = 0;
        for (const wb::CellAddress &cell : sheet.cells()) {
            if (!sheet.isFormula(cell.row, cell.col))
                continue;
            ++formulas;
            EXPECT_FALSE(sheet.value(cell.row, cell.col).isError())
                << "page " << page << " " << wb::addressText(cell.row, cell.col).toStdString();
        }
        if (page != 33 && page != 34) {
            EXPECT_GT(formulas, 0) << page;
        }
        EXPECT_EQ(checkBox(page) != nullptr, page >= 45 && page <= 48) << page;
    }
    EXPECT_TRUE(host_.recorder().empty()) << errors().join('\n').toStdString();
}

TEST_F(WorkbookPages, ASecondSelectionKeepsThePageAndDoesNotReadTheDatabase)
{
    host_.showPage(45);
    view::SpreadsheetView *first = book(45);
    ASSERT_NE(first, nullptr);
    first->setCellText(3, 2, QStringLiteral("630"));
    sql(QStringLiteral("DROP TABLE Report"));   // any further lookup would fail loudly
    host_.showPage(45);
    host_.showPage(45);
    EXPECT_EQ(book(45), first);
    EXPECT_EQ(first->cellText(3, 2), QStringLiteral("630"));
    EXPECT_TRUE(host_.recorder().empty()) << errors().join('\n').toStdString();
}

TEST_F(WorkbookPages, PagesWithoutAWorkbookStayEmpty)
{
    host_.showPage(0);
    host_.showPage(11);
    EXPECT_EQ(book(0), nullptr);
    EXPECT_EQ(book(11), nullptr);
    EXPECT_TRUE(host_.recorder().empty());
    EXPECT_FALSE(host_.spreadsheetCommands()->hasSpreadsheet(host_.page(11)));
}

TEST_F(WorkbookPages, MalformedWorkbookIsReportedOnceAndThePageStaysEmpty)
{
    sql(QStringLiteral("UPDATE Report SET nr = X'7B2273686565' WHERE \"Index\" = 8"));
    host_.showPage(8);
    EXPECT_EQ(host_.page(8)->findChild<QWidget *>(), nullptr);
    ASSERT_EQ(host_.recorder().size(), 1u);
    host_.showPage(9);
    host_.showPage(8);
    EXPECT_EQ(host_.recorder().size(), 1u);
    EXPECT_NE(book(9), nullptr);
}

TEST_F(WorkbookPages, DuctKindOutsideTheDuctPagesBuildsNoPanel)
{
    sql(QStringLiteral("UPDATE Report SET lx = 1 WHERE \"Index\" = 7"));
    host_.showPage(7);
    ASSERT_NE(book(7), nullptr);
    EXPECT_EQ(host_.page(7)->findChild<QPushButton *>(), nullptr);
    EXPECT_EQ(host_.page(7)->findChild<QCheckBox *>(), nullptr);
}

TEST_F(WorkbookPages, CheckBoxShowsAndHidesTheLookupTables)
{
    const struct {
        int page, firstTable, lastTable;
    } cases[] = {{48, 10, 12}, {45, 12, 14}, {47, 12, 14}};
    for (const auto &c : cases) {
        host_.showPage(c.page);
        const wb::Sheet &sheet = book(c.page)->workbook().sheet(0);
        QCheckBox *box = checkBox(c.page);
        ASSERT_NE(box, nullptr);
        EXPECT_FALSE(box->isChecked());
        EXPECT_EQ(box->text(), QStringLiteral("显示“板材厚度表与定额编号表”"));
        for (int col = 1; col <= c.lastTable; ++col)
            EXPECT_EQ(sheet.isColumnHidden(col - 1), col >= c.firstTable) << c.page << " col " << col;
        box->click();
        for (int col = 1; col <= c.lastTable; ++col)
            EXPECT_FALSE(sheet.isColumnHidden(col - 1)) << c.page << " col " << col;
        box->click();
        for (int col = c.firstTable; col <= c.lastTable; ++col)
            EXPECT_TRUE(sheet.isColumnHidden(col - 1)) << c.page << " col " << col;
    }
}

TEST_F(WorkbookPages, RunButtonFillsResultsAndSummary)
{
    host_.showPage(45);
    view::SpreadsheetView *shown = book(45);
    ASSERT_NE(shown, nullptr);
    QPushButton *run = runButton(45);
    ASSERT_NE(run, nullptr);
    EXPECT_EQ(run->text(), QStringLiteral("执行运算"));
    shown->setCellText(3, 2, QStringLiteral("1000"));
    shown->setCellText(3, 3, QStringLiteral("200"));
    shown->setCellText(3, 4, QStringLiteral("10"));
    run->click();
    EXPECT_EQ(shown->cellText(3, 10), shown->cellText(6, 14));
    EXPECT_EQ(shown->cellText(3, 10), QStringLiteral("0.75"));
    EXPECT_EQ(shown->cellText(3, 11), shown->cellText(13, 13));
    EXPECT_EQ(shown->cellText(20, 1), shown->cellText(3, 11));
    EXPECT_EQ(shown->cellText(20, 5), QStringLiteral("24"));
    EXPECT_EQ(shown->cellText(20, 9), QStringLiteral("0.75"));
    shown->setCellText(4, 2, QStringLiteral("abc"));
    run->click();
    ASSERT_EQ(host_.recorder().size(), 1u);
    EXPECT_TRUE(host_.recorder().last().text.contains(QStringLiteral("abc")));
}

// Both lookup tables are the user's to change, as the page's note says: a thickness typed into
// the table is what the next run selects.
TEST_F(WorkbookPages, TypedThicknessesDriveTheSelection)
{
    const struct {
        int page, tableRow, tableCol, resultCol;
    } cases[] = {{45, 4, 14, 10}, {46, 4, 14, 10}, {47, 4, 14, 10}, {48, 4, 12, 8}};
    host_.tabs().show();
    for (const auto &c : cases) {
        host_.showPage(c.page);
        view::SpreadsheetView *shown = book(c.page);
        ASSERT_NE(shown, nullptr);
        checkBox(c.page)->click();
        shown->setFocus();
        shown->setCurrentCell(c.tableRow, c.tableCol - 1); // the locked cell left of the table
        QTest::keyClick(shown, '1');
        EXPECT_FALSE(shown->isEditing()) << c.page;
        ASSERT_FALSE(host_.statusMessages().isEmpty());
        EXPECT_EQ(host_.statusMessages().last(), QStringLiteral("该单元格是公式或固定内容，不能修改"));
        shown->setCurrentCell(c.tableRow, c.tableCol);
        QTest::keyClick(shown, '2'); // the first key opens the editor, the rest go into it
        ASSERT_TRUE(shown->isEditing()) << c.page;
        auto *editor = shown->findChild<QLineEdit *>(QStringLiteral("CellEditor"));
        QTest::keyClicks(editor, QStringLiteral(".5"));
        QTest::keyClick(editor, Qt::Key_Return);
        EXPECT_EQ(shown->cellText(c.tableRow, c.tableCol), QStringLiteral("2.5")) << c.page;
        shown->setCellText(3, 2, QStringLiteral("400")); // 320 < 400 <= 450: the table's second row
        shown->setCellText(3, 3, QStringLiteral("200"));
        shown->setCellText(3, 4, QStringLiteral("10"));
        runButton(c.page)->click();
        EXPECT_EQ(shown->cellText(3, c.resultCol), QStringLiteral("2.5")) << c.page;
    }
    EXPECT_TRUE(host_.recorder().empty()) << errors().join('\n').toStdString();
}

// The W-type drainage pipe DN50 as the two pages show it: 58 mm (GB/T 12772-2016), π·58·10/1000
// m2 per 10 m, and its 13.0 kg per 3 m; the 2015 welded-pipe sizes on the price page.
TEST_F(WorkbookPages, StandardFiguresAsThePagesShowThem)
{
    const struct {
        int page, row, col;
        const char *text;
    } cells[] = {
        {9, 5, 1, "DN50"},  {9, 5, 2, "58"},   {9, 5, 3, "1.822"}, {9, 6, 2, "83"},   {9, 12, 2, "326"},
        {36, 4, 1, "DN50"}, {36, 4, 2, "58"},  {36, 4, 4, "13"},   {36, 4, 5, "4.33"},
        {49, 4, 4, "21.3"}, {49, 4, 6, "1.28"}, {49, 18, 6, "8.38"}, {49, 25, 6, "24.02"},
    };
    for (const auto &c : cells) {
        host_.showPage(c.page);
        view::SpreadsheetView *shown = book(c.page);
        ASSERT_NE(shown, nullptr) << c.page;
        EXPECT_EQ(shown->cellText(c.row, c.col), QString::fromUtf8(c.text)) << c.page << " R" << c.row << "C" << c.col;
    }
}

} // namespace
} // namespace mhbk
