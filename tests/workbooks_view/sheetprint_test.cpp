#include "viewfixture.h"

#include "workbooks/view/sheetgeometry.h"
#include "workbooks/view/sheetprint.h"

#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace mhbk;
using namespace mhbk::view;

namespace {

// A4 portrait with the default margins (0.7" left and right, 0.75" top and bottom), in 96-dpi pixels.
const QSizeF kA4Printable((8.2677 - 1.4) * 96, (11.6929 - 1.5) * 96);

wb::Workbook grid(int rows, int cols, double width)
{
    wb::Workbook book;
    const int s = book.addSheet(QStringLiteral("表"));
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c)
            book.setInput(s, r, c, QString::number(r * cols + c));
    for (int c = 0; c < cols; ++c)
        book.sheet(s).setColumnWidth(c, width);
    return book;
}

double usedWidth(const wb::Sheet &sheet, int cols) { return SheetGeometry(sheet).left(cols); }

TEST(SheetPrint, LongSheetsRunOverSeveralPagesOfWholeRows)
{
    const wb::Workbook book = grid(200, 5, 10);
    const PrintPlan plan = planPrint(book, 0, kA4Printable);
    EXPECT_EQ(plan.scale, 1.0);
    ASSERT_GT(plan.pages.size(), 3u);
    const SheetGeometry g(book.sheet(0));
    int nextRow = 0;
    for (const wb::CellRange &page : plan.pages) {
        EXPECT_EQ(page.firstRow, nextRow);
        EXPECT_EQ(page.firstCol, 0);
        EXPECT_EQ(page.lastCol, 4);
        EXPECT_LE(g.top(page.lastRow + 1) - g.top(page.firstRow), kA4Printable.height());
        nextRow = page.lastRow + 1;
    }
    EXPECT_EQ(nextRow, 200);
}

TEST(SheetPrint, WideSheetsAreScaledToThePageWidth)
{
    wb::Workbook book = grid(10, 30, 15);
    const PrintPlan plan = planPrint(book, 0, kA4Printable);
    ASSERT_EQ(plan.pages.size(), 1u);
    EXPECT_EQ(plan.pages[0], (wb::CellRange{0, 0, 9, 29}));
    EXPECT_NEAR(plan.scale * usedWidth(book.sheet(0), 30), kA4Printable.width(), 0.01);

    // Hidden columns take no room, so the rest print larger.
    book.sheet(0).setColumnsHidden(10, 29, true);
    const PrintPlan narrower = planPrint(book, 0, kA4Printable);
    EXPECT_GT(narrower.scale, plan.scale);
    EXPECT_LE(narrower.scale * usedWidth(book.sheet(0), 30), kA4Printable.width() + 0.01);
}

TEST(SheetPrint, WithoutFitToWidthColumnsGoOnFurtherPagesDownThenAcross)
{
    wb::Workbook book = grid(100, 30, 15);
    book.sheet(0).pageSetup().fitToWidth = false;
    const PrintPlan plan = planPrint(book, 0, kA4Printable);
    EXPECT_EQ(plan.scale, 1.0);
    ASSERT_GE(plan.pages.size(), 4u);
    EXPECT_EQ(plan.pages[0].firstCol, 0);
    EXPECT_EQ(plan.pages[1].firstCol, 0); // down first
    EXPECT_GT(plan.pages[1].firstRow, 0);
    EXPECT_EQ(plan.pages.back().lastCol, 29);
}

TEST(SheetPrint, WritesEveryPlannedPageToAnA4Device)
{
    QTemporaryDir dir;
    const wb::Workbook book = grid(120, 8, 12);
    QPdfWriter pdf(dir.filePath(QStringLiteral("out.pdf")));
    pdf.setResolution(300);
    applyPageSetup(book, 0, pdf);
    EXPECT_EQ(pdf.pageLayout().pageSize().id(), QPageSize::A4);
    const int pages = printSheet(book, 0, pdf);
    const QRectF area = pdf.pageLayout().paintRect(QPageLayout::Inch);
    EXPECT_EQ(std::size_t(pages), planPrint(book, 0, QSizeF(area.width() * 96, area.height() * 96)).pages.size());
    EXPECT_GT(pages, 1);
}

TEST(SheetPrint, RendersAPageWithItsStyles)
{
    const wb::Workbook book = test::priceList();
    const PrintPlan plan = planPrint(book, 0, kA4Printable);
    ASSERT_EQ(plan.pages.size(), 1u);
    QImage page(kA4Printable.toSize(), QImage::Format_RGB32);
    page.fill(Qt::white);
    {
        QPainter p(&page);
        paintPrintPage(p, book, 0, plan, 0, 1.0, kA4Printable.width());
    }
    EXPECT_TRUE(page.save(QStringLiteral(MHBK_VIEW_TEST_OUT "/printpage.png")));
    // The unlocked input cells B3:C4 carry a fill.
    const SheetGeometry g(book.sheet(0));
    EXPECT_EQ(page.pixelColor(g.left(1) + 5, g.top(2) + 5), QColor(0xFF, 0xF2, 0xCC));
    // Nothing is drawn right of the used range.
    EXPECT_EQ(page.pixelColor(g.left(4) + 20, g.top(2) + 5), QColor(Qt::white));
}

// Continuation pages start with the heading row (filled blue here), and every page carries its
// footer in the band kept under the cells.
TEST(SheetPrint, ContinuationPagesRepeatTheHeadingsAndEveryPageHasItsFooter)
{
    wb::Workbook book = grid(200, 3, 10);
    wb::CellStyle head;
    head.filled = true;
    head.fill = 0xDDEBF7;
    book.sheet(0).setStyleIndex({0, 0, 0, 2}, book.addStyle(head));
    wb::PageSetup &setup = book.sheet(0).pageSetup();
    setup.titleFirstRow = setup.titleLastRow = 0;
    setup.footer = QStringLiteral("第 &P 页 共 &N 页");
    const PrintPlan plan = planPrint(book, 0, kA4Printable);
    ASSERT_GE(plan.pages.size(), 3u);
    EXPECT_FALSE(plan.withTitles[0]);
    const SheetGeometry g(book.sheet(0));
    for (std::size_t i = 0; i < plan.pages.size(); ++i) {
        QImage page(kA4Printable.toSize(), QImage::Format_RGB32);
        page.fill(Qt::white);
        {
            QPainter p(&page);
            paintPrintPage(p, book, 0, plan, int(i), 1.0, kA4Printable.width());
            paintPrintFooter(p, book, 0, int(i), int(plan.pages.size()), 1.0, kA4Printable);
        }
        EXPECT_EQ(page.pixelColor(5, 5), QColor(0xDD, 0xEB, 0xF7)) << "page " << i;
        if (i > 0) { // the first row of the page's own cells sits under the heading
            EXPECT_TRUE(plan.withTitles[i]);
            EXPECT_EQ(page.pixelColor(5, g.height(0) + 5), QColor(Qt::white)) << "page " << i;
        }
        int ink = 0;
        const int bandTop = int(kA4Printable.height() - wb::kFooterBandInches * 96);
        for (int y = bandTop; y < page.height(); ++y)
            for (int x = 0; x < page.width(); ++x)
                ink += page.pixelColor(x, y).lightness() < 128;
        EXPECT_GT(ink, 20) << "no footer on page " << i;
    }
}

} // namespace
