#include "enginetestutil.h"
#include "workbooks/engine/printplan.h"
#include "workbooks/engine/workbookjson.h"

namespace mhbk::wb::test {
namespace {

// `rows` rows of 15 pt (20 px) holding their number; the page holds 100 px of cells.
Workbook rowsBook(int rows)
{
    Workbook b;
    b.addSheet(QStringLiteral("表"));
    for (int r = 0; r < rows; ++r) {
        b.setInput(0, r, 0, QString::number(r + 1));
        b.sheet(0).setRowHeight(r, 15);
    }
    return b;
}

const QSizeF kFivePx(400, 100);

std::vector<std::pair<int, int>> rowRuns(const PrintPlan &plan)
{
    std::vector<std::pair<int, int>> out;
    for (const CellRange &p : plan.pages)
        out.emplace_back(p.firstRow, p.lastRow);
    return out;
}

TEST(PrintPlanTest, BreaksKeepHeadingsWithTheirRowsAndNotesWithTheTable)
{
    struct Case {
        const char *what;
        int rows;
        std::vector<int> keepWithNext, notes;
        int titleFirst, titleLast;
        std::vector<std::pair<int, int>> pages;
        std::vector<bool> withTitles;
    };
    const Case cases[] = {
        {"plain", 12, {}, {}, -1, -1, {{0, 4}, {5, 9}, {10, 11}}, {false, false, false}},
        {"heading last on page 1 goes over", 12, {4}, {}, -1, -1, {{0, 3}, {4, 8}, {9, 11}}, {false, false, false}},
        {"two headings in a row go over together", 12, {3, 4}, {}, -1, -1, {{0, 2}, {3, 7}, {8, 11}},
         {false, false, false}},
        {"notes take the last row along", 7, {}, {5, 6}, -1, -1, {{0, 3}, {4, 6}}, {false, false}},
        {"titles repeat below themselves", 12, {}, {}, 1, 1, {{0, 4}, {5, 8}, {9, 11}}, {false, true, true}},
        {"titles and notes", 10, {1}, {8, 9}, 1, 1, {{0, 4}, {5, 6}, {7, 9}}, {false, true, true}},
        {"a page of nothing but headings keeps its rows", 8, {0, 1, 2, 3, 4, 5}, {}, -1, -1, {{0, 4}, {5, 7}},
         {false, false}},
    };
    for (const Case &c : cases) {
        Workbook b = rowsBook(c.rows);
        PageSetup &setup = b.sheet(0).pageSetup();
        setup.keepWithNext = c.keepWithNext;
        setup.noteRows = c.notes;
        setup.titleFirstRow = c.titleFirst;
        setup.titleLastRow = c.titleLast;
        const PrintPlan plan = planPrint(b.sheet(0), kFivePx);
        EXPECT_EQ(rowRuns(plan), c.pages) << c.what;
        EXPECT_EQ(plan.withTitles, c.withTitles) << c.what;
        EXPECT_EQ(plan.titleHeight, c.titleFirst < 0 ? 0 : 20) << c.what;
    }
}

TEST(PrintPlanTest, EmptyRowsBeforeTheNotesCountAsNotes)
{
    Workbook b = rowsBook(8);
    b.setInput(0, 5, 0, QString()); // row 6 empty, rows 7-8 notes
    b.sheet(0).pageSetup().noteRows = {6, 7};
    EXPECT_EQ(rowRuns(planPrint(b.sheet(0), kFivePx)), (std::vector<std::pair<int, int>>{{0, 3}, {4, 7}}));
}

TEST(PrintPlanTest, TheFooterBandAndBreakRows)
{
    Workbook b = rowsBook(12);
    const QSizeF room(400, 100 + kFooterBandInches * 96);
    EXPECT_EQ(planPrint(b.sheet(0), room).pages.size(), 2u); // 7 rows a page without a footer
    b.sheet(0).pageSetup().footer = QStringLiteral("第 &P 页 共 &N 页");
    const PrintPlan plan = planPrint(b.sheet(0), room);
    EXPECT_EQ(rowRuns(plan), (std::vector<std::pair<int, int>>{{0, 4}, {5, 9}, {10, 11}}));
    EXPECT_EQ(pageBreakRows(plan), (std::vector<int>{5, 10}));
}

TEST(PrintPlanTest, FooterTextAndPrintableArea)
{
    const struct {
        const char *pattern;
        const char *text;
    } cases[] = {
        {"第 &P 页 共 &N 页", "第 3 页 共 12 页"},
        {"&p/&n", "3/12"},
        {"A&&B &P", "A&B 3"},
        {"&", "&"},
        {"no codes", "no codes"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(footerText(QString::fromUtf8(c.pattern), 3, 12), QString::fromUtf8(c.text)) << c.pattern;

    PageSetup a4;
    a4.marginLeft = a4.marginRight = 0.5;
    a4.marginTop = a4.marginBottom = 0.6;
    EXPECT_NEAR(printableArea(a4).width(), (210 / 25.4 - 1.0) * 96, 1e-9);
    EXPECT_NEAR(printableArea(a4).height(), (297 / 25.4 - 1.2) * 96, 1e-9);
    a4.landscape = true;
    EXPECT_NEAR(printableArea(a4).width(), (297 / 25.4 - 1.0) * 96, 1e-9);
}

TEST(PrintPlanTest, PrintSettingsAreStoredAndLoaded)
{
    const QByteArray json = R"j({"format": "mhbk-workbook", "version": 1, "sheets": [{"name": "a",
        "cells": {"A1": 1},
        "page": {"titleRows": "3:4", "footer": "第 &P 页", "keepWithNext": ["1:2", "5"], "notes": ["9:10"]}}]})j";
    LoadError error;
    const auto book = loadWorkbook(json, &error);
    ASSERT_TRUE(book) << error.message.toStdString();
    const PageSetup &p = book->sheet(0).pageSetup();
    EXPECT_EQ(p.titleFirstRow, 2);
    EXPECT_EQ(p.titleLastRow, 3);
    EXPECT_EQ(p.footer, QStringLiteral("第 &P 页"));
    EXPECT_EQ(p.keepWithNext, (std::vector<int>{0, 1, 4}));
    EXPECT_EQ(p.noteRows, (std::vector<int>{8, 9}));
    const auto again = loadWorkbook(saveWorkbook(*book), &error);
    ASSERT_TRUE(again) << error.message.toStdString();
    EXPECT_EQ(again->sheet(0).pageSetup(), p);

    const char *bad[][2] = {
        {R"j({"titleRows": "A1:B2"})j", "page.titleRows"},
        {R"j({"footer": 3})j", "page.footer"},
        {R"j({"keepWithNext": ["x"]})j", "page.keepWithNext[0]"},
        {R"j({"notes": "9"})j", "page.notes"},
    };
    for (const auto &c : bad) {
        const QByteArray doc = QByteArray(R"j({"format": "mhbk-workbook", "version": 1, "sheets": [{"name": "a", "page": )j") +
                               c[0] + "}]}";
        EXPECT_FALSE(loadWorkbook(doc, &error)) << c[0];
        EXPECT_TRUE(error.message.contains(QString::fromUtf8(c[1]))) << error.message.toStdString();
    }
}

// Text far below a table (A120, B200 on a ledger) gives pages that would hold nothing but the
// repeated headings: they are not printed, and the page count is that of the pages with cells.
TEST(PrintPlanTest, PagesWithNothingButTheRepeatedHeadingsAreLeftOut)
{
    Workbook b = rowsBook(3);
    for (int r = 3; r <= 40; ++r)
        b.sheet(0).setRowHeight(r, 15);
    b.setInput(0, 20, 0, QStringLiteral("备注"));
    b.setInput(0, 40, 1, QStringLiteral("签字"));
    b.sheet(0).pageSetup().titleFirstRow = 0;
    b.sheet(0).pageSetup().titleLastRow = 0;
    const PrintPlan plan = planPrint(b.sheet(0), kFivePx); // 5 rows, then 4 below the heading
    EXPECT_EQ(rowRuns(plan), (std::vector<std::pair<int, int>>{{0, 4}, {17, 20}, {37, 40}}));
    EXPECT_EQ(plan.withTitles, (std::vector<bool>{false, true, true}));
    // The breaks of the blank pages stay, so that other programs divide the rows alike.
    EXPECT_EQ(pageBreakRows(plan), (std::vector<int>{5, 9, 13, 17, 21, 25, 29, 33, 37}));

    Workbook styledOnly;
    styledOnly.addSheet(QStringLiteral("空"));
    for (int r = 0; r < 30; ++r)
        styledOnly.sheet(0).setRowHeight(r, 15);
    const PrintPlan blank = planPrint(styledOnly.sheet(0), kFivePx);
    EXPECT_EQ(blank.pages.size(), 1u) << "an empty sheet still prints its one page";
}

// Margins that leave no room on the paper are refused on loading, saying what to change.
TEST(PrintPlanTest, MarginsWiderThanThePaperAreRefused)
{
    const struct {
        const char *page;
        const char *says; // empty: loads
    } cases[] = {
        {R"j({"margins": [5, 4, 1, 1]})j", "左右页边距合计 9 英寸，超过了A4纵向纸张的宽度 8.27 英寸"},
        {R"j({"margins": [4, 4, 1, 1]})j", ""},
        {R"j({"landscape": true, "margins": [1, 1, 4, 4.3]})j", "上下页边距合计 8.3 英寸，超过了A4横向纸张的高度 8.27 英寸"},
        {R"j({"paper": "A3", "landscape": true, "margins": [1, 1, 4, 4.3]})j", ""},
        {R"j({"margins": [1, 1, 6, 5.5]})j", ""},
        {R"j({"footer": "第 &P 页", "margins": [1, 1, 6, 5.5]})j", "（另有页脚占 0.3 英寸）"},
        {R"j({"paper": "Letter", "margins": [4.25, 4.25, 1, 1]})j", "Letter纵向纸张的宽度 8.50 英寸"},
    };
    for (const auto &c : cases) {
        const QByteArray doc =
            QByteArray(R"j({"format": "mhbk-workbook", "version": 1, "sheets": [{"name": "a", "page": )j") + c.page + "}]}";
        LoadError error;
        const bool loaded = loadWorkbook(doc, &error).has_value();
        EXPECT_EQ(loaded, !*c.says) << c.page << ": " << error.message.toStdString();
        if (*c.says) {
            EXPECT_TRUE(error.message.contains(QString::fromUtf8(c.says))) << error.message.toStdString();
            EXPECT_TRUE(error.message.contains(QStringLiteral("page.margins"))) << error.message.toStdString();
            EXPECT_TRUE(error.message.contains(QStringLiteral("请在文件中减小"))) << error.message.toStdString();
        }
    }
}

} // namespace
} // namespace mhbk::wb::test
