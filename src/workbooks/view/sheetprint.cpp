#include "workbooks/view/sheetprint.h"

#include "workbooks/engine/workbook.h"
#include "workbooks/view/cellpainter.h"
#include "workbooks/view/sheetgeometry.h"

#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <algorithm>

namespace mhbk::view {
namespace {

// The printed range: everything with content or style, merged ranges included.
wb::CellRange usedRange(const wb::Sheet &sheet)
{
    int rows = sheet.rowCount(), cols = sheet.columnCount();
    for (const wb::CellRange &m : sheet.merges()) {
        rows = std::max(rows, m.lastRow + 1);
        cols = std::max(cols, m.lastCol + 1);
    }
    return wb::CellRange{0, 0, std::max(rows, 1) - 1, std::max(cols, 1) - 1};
}

// Splits [first, last] into runs whose extent fits `room`; a single row or column larger than
// the page gets a page of its own.
std::vector<std::pair<int, int>> split(int first, int last, double room, const auto &extent)
{
    std::vector<std::pair<int, int>> runs;
    int start = first;
    double used = 0;
    for (int i = first; i <= last; ++i) {
        const double e = extent(i);
        if (i > start && used + e > room + 1e-6) {
            runs.emplace_back(start, i - 1);
            start = i;
            used = 0;
        }
        used += e;
    }
    runs.emplace_back(start, last);
    return runs;
}

QPageSize pageSize(wb::Paper paper)
{
    switch (paper) {
    case wb::Paper::A3: return QPageSize(QPageSize::A3);
    case wb::Paper::Letter: return QPageSize(QPageSize::Letter);
    case wb::Paper::A4: break;
    }
    return QPageSize(QPageSize::A4);
}

} // namespace

PrintPlan planPrint(const wb::Workbook &book, int sheetIndex, QSizeF printable)
{
    const wb::Sheet &sheet = book.sheet(sheetIndex);
    const SheetGeometry g(sheet);
    const wb::CellRange used = usedRange(sheet);
    PrintPlan plan;
    const double width = g.left(used.lastCol + 1);
    if (sheet.pageSetup().fitToWidth && width > printable.width())
        plan.scale = printable.width() / width;
    const auto rows = split(used.firstRow, used.lastRow, printable.height() / plan.scale,
                            [&](int r) { return double(g.height(r)); });
    const auto cols = split(used.firstCol, used.lastCol, printable.width() / plan.scale,
                            [&](int c) { return double(g.width(c)); });
    for (const auto &[c0, c1] : cols)
        for (const auto &[r0, r1] : rows)
            plan.pages.push_back(wb::CellRange{r0, c0, r1, c1});
    return plan;
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
    const SheetGeometry g(sheet);
    const wb::CellRange &cells = plan.pages.at(std::size_t(page));
    const SheetGeometry::Rect r = g.rangeRect(cells);
    double offset = 0;
    if (sheet.pageSetup().centerHorizontally)
        offset = std::max(0.0, (printableWidth96 / plan.scale - r.w) / 2);
    p.save();
    p.scale(toDevice * plan.scale, toDevice * plan.scale);
    p.translate(offset - r.x, -r.y);
    p.setClipRect(QRect(r.x, r.y, r.w, r.h));
    paintCells(p, book, sheetIndex, g, cells, PaintOptions{sheet.pageSetup().printGridlines, false});
    p.restore();
}

int printSheet(const wb::Workbook &book, int sheetIndex, QPagedPaintDevice &device)
{
    const QRectF area = device.pageLayout().paintRect(QPageLayout::Inch);
    const QSizeF printable(area.width() * 96.0, area.height() * 96.0);
    const PrintPlan plan = planPrint(book, sheetIndex, printable);
    QPainter p(&device);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    for (std::size_t i = 0; i < plan.pages.size(); ++i) {
        if (i > 0)
            device.newPage();
        paintPrintPage(p, book, sheetIndex, plan, int(i), device.logicalDpiX() / 96.0, printable.width());
    }
    return int(plan.pages.size());
}

} // namespace mhbk::view
