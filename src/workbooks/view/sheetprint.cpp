#include "workbooks/view/sheetprint.h"

#include "workbooks/engine/workbook.h"
#include "workbooks/view/cellpainter.h"
#include "workbooks/view/sheetgeometry.h"

#include <QFont>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <algorithm>

namespace mhbk::view {
namespace {

QPageSize pageSize(wb::Paper paper)
{
    switch (paper) {
    case wb::Paper::A3: return QPageSize(QPageSize::A3);
    case wb::Paper::Letter: return QPageSize(QPageSize::Letter);
    case wb::Paper::A4: break;
    }
    return QPageSize(QPageSize::A4);
}

// Draws `cells` with their top-left corner at (x, y) of the painter's (scaled) coordinates.
void paintBlock(QPainter &p, const wb::Workbook &book, int sheetIndex, const SheetGeometry &g,
                const wb::CellRange &cells, double x, double y)
{
    const SheetGeometry::Rect r = g.rangeRect(cells);
    const bool gridlines = book.sheet(sheetIndex).pageSetup().printGridlines;
    p.save();
    p.translate(x - r.x, y - r.y);
    p.setClipRect(QRect(r.x, r.y, r.w, r.h));
    paintCells(p, book, sheetIndex, g, cells, PaintOptions{gridlines, false});
    p.restore();
}

} // namespace

PrintPlan planPrint(const wb::Workbook &book, int sheet, QSizeF printable)
{
    return wb::planPrint(book.sheet(sheet), printable);
}

void applyPageSetup(const wb::Workbook &book, int sheetIndex, QPagedPaintDevice &device)
{
    const wb::PageSetup &setup = book.sheet(sheetIndex).pageSetup();
    const QPageLayout layout(pageSize(setup.paper), setup.landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                             QMarginsF(setup.marginLeft, setup.marginTop, setup.marginRight, setup.marginBottom),
                             QPageLayout::Inch);
    device.setPageLayout(layout);
}

void paintPrintPage(QPainter &p, const wb::Workbook &book, int sheetIndex, const PrintPlan &plan, int page,
                    double toDevice, double printableWidth96)
{
    const wb::Sheet &sheet = book.sheet(sheetIndex);
    const wb::PageSetup &setup = sheet.pageSetup();
    const SheetGeometry g(sheet);
    const wb::CellRange &cells = plan.pages.at(std::size_t(page));
    const SheetGeometry::Rect r = g.rangeRect(cells);
    double offset = 0;
    if (setup.centerHorizontally)
        offset = std::max(0.0, (printableWidth96 / plan.scale - r.w) / 2);
    p.save();
    p.scale(toDevice * plan.scale, toDevice * plan.scale);
    double top = 0;
    if (plan.withTitles.at(std::size_t(page))) {
        const wb::CellRange titles{setup.titleFirstRow, cells.firstCol, setup.titleLastRow, cells.lastCol};
        paintBlock(p, book, sheetIndex, g, titles, offset, 0);
        top = plan.titleHeight;
    }
    paintBlock(p, book, sheetIndex, g, cells, offset, top);
    p.restore();
}

void paintPrintFooter(QPainter &p, const wb::Workbook &book, int sheetIndex, int page, int pageCount,
                      double toDevice, QSizeF printable96)
{
    const QString pattern = book.sheet(sheetIndex).pageSetup().footer;
    if (pattern.isEmpty())
        return;
    p.save();
    p.scale(toDevice, toDevice);
    QFont font(QStringLiteral("宋体"));
    font.setPixelSize(12); // 9 pt in the painter's 96-dpi units, as the cells size their fonts
    p.setFont(font);
    p.setPen(Qt::black);
    const double band = wb::kFooterBandInches * 96.0;
    const QRectF box(0, printable96.height() - band, printable96.width(), band);
    p.drawText(box, Qt::AlignHCenter | Qt::AlignBottom, wb::footerText(pattern, page + 1, pageCount));
    p.restore();
}

int printSheet(const wb::Workbook &book, int sheetIndex, QPagedPaintDevice &device)
{
    const QRectF area = device.pageLayout().paintRect(QPageLayout::Inch);
    const QSizeF printable(area.width() * 96.0, area.height() * 96.0);
    const PrintPlan plan = planPrint(book, sheetIndex, printable);
    const int pages = int(plan.pages.size());
    QPainter p(&device);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    const double toDevice = device.logicalDpiX() / 96.0;
    for (int i = 0; i < pages; ++i) {
        if (i > 0)
            device.newPage();
        paintPrintPage(p, book, sheetIndex, plan, i, toDevice, printable.width());
        paintPrintFooter(p, book, sheetIndex, i, pages, toDevice, printable);
    }
    return pages;
}

} // namespace mhbk::view
