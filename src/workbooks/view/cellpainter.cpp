#include "workbooks/view/cellpainter.h"

#include "workbooks/engine/workbook.h"
#include "workbooks/view/sheetgeometry.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>

namespace mhbk::view {
namespace {

QColor rgb(wb::Rgb c) { return QColor::fromRgb(int((c >> 16) & 0xFF), int((c >> 8) & 0xFF), int(c & 0xFF)); }

QRect toRect(const SheetGeometry::Rect &r) { return QRect(r.x, r.y, r.w, r.h); }

QFont fontOf(const wb::Font &f)
{
    QFont font(f.name);
    font.setPixelSize(std::max(1, int(f.sizePt * 96.0 / 72.0 + 0.5)));
    font.setBold(f.bold);
    font.setItalic(f.italic);
    font.setUnderline(f.underline);
    return font;
}

int horizontalFlags(const wb::CellStyle &style, const wb::Value &value)
{
    switch (style.hAlign) {
    case wb::HAlign::Left: return Qt::AlignLeft;
    case wb::HAlign::Center:
    case wb::HAlign::CenterAcross: return Qt::AlignHCenter;
    case wb::HAlign::Right: return Qt::AlignRight;
    case wb::HAlign::Justify: return Qt::AlignJustify;
    case wb::HAlign::General: break;
    }
    // Excel's general alignment: numbers right, logical and error values centred, text left.
    if (value.isNumber())
        return Qt::AlignRight;
    if (value.isBoolean() || value.isError())
        return Qt::AlignHCenter;
    return Qt::AlignLeft;
}

int verticalFlags(wb::VAlign v)
{
    switch (v) {
    case wb::VAlign::Top: return Qt::AlignTop;
    case wb::VAlign::Center: return Qt::AlignVCenter;
    case wb::VAlign::Bottom: break;
    }
    return Qt::AlignBottom;
}

void drawText(QPainter &p, const QRect &cell, const wb::CellStyle &style, const wb::Value &value, QString text)
{
    if (text.isEmpty())
        return;
    const QFont font = fontOf(style.font);
    p.setFont(font);
    p.setPen(rgb(style.font.colour));
    const QRect inner = cell.adjusted(2, 1, -2, -1);
    // A number too wide for its column shows as "###", as Excel does, instead of a cut-off figure.
    if (value.isNumber() && !style.wrap && QFontMetrics(font).horizontalAdvance(text) > inner.width())
        text = QString(std::max(1, inner.width() / std::max(1, QFontMetrics(font).horizontalAdvance(QLatin1Char('#')))),
                       QLatin1Char('#'));
    const int flags = horizontalFlags(style, value) | verticalFlags(style.vAlign) |
                      (style.wrap ? Qt::TextWordWrap : Qt::TextSingleLine);
    p.save();
    p.setClipRect(cell, Qt::IntersectClip);
    p.drawText(inner, flags, text);
    p.restore();
}

QPen borderPen(const wb::Border &b)
{
    QPen pen(rgb(b.colour));
    pen.setCapStyle(Qt::SquareCap);
    switch (b.style) {
    case wb::LineStyle::Medium: pen.setWidth(2); break;
    case wb::LineStyle::Thick: pen.setWidth(3); break;
    case wb::LineStyle::Dashed: pen.setStyle(Qt::DashLine); break;
    case wb::LineStyle::Dotted:
    case wb::LineStyle::Hair: pen.setStyle(Qt::DotLine); break;
    default: pen.setWidth(1); break;
    }
    return pen;
}

void drawEdge(QPainter &p, const wb::Border &b, QPoint from, QPoint to, QPoint inward)
{
    if (b.style == wb::LineStyle::None)
        return;
    p.setPen(borderPen(b));
    p.drawLine(from, to);
    if (b.style == wb::LineStyle::Double)
        p.drawLine(from + inward * 2, to + inward * 2);
}

// Borders are drawn on the outline of the cell's box; cells inside a merged range draw only
// the sides that lie on the range's outline.
void drawBorders(QPainter &p, const QRect &box, const wb::CellStyle &s, const wb::CellRange *merge, int row, int col)
{
    const QRect r = box.adjusted(0, 0, -1, -1);
    const bool onLeft = !merge || col == merge->firstCol, onRight = !merge || col == merge->lastCol;
    const bool onTop = !merge || row == merge->firstRow, onBottom = !merge || row == merge->lastRow;
    if (onLeft)
        drawEdge(p, s.left, r.topLeft(), r.bottomLeft(), QPoint(1, 0));
    if (onRight)
        drawEdge(p, s.right, r.topRight(), r.bottomRight(), QPoint(-1, 0));
    if (onTop)
        drawEdge(p, s.top, r.topLeft(), r.topRight(), QPoint(0, 1));
    if (onBottom)
        drawEdge(p, s.bottom, r.bottomLeft(), r.bottomRight(), QPoint(0, -1));
}

void drawGridlines(QPainter &p, const wb::Sheet &sheet, const SheetGeometry &g, const wb::CellRange &region)
{
    p.setPen(QColor(0xD4, 0xD4, 0xD4));
    for (int row = region.firstRow; row <= region.lastRow; ++row)
        for (int col = region.firstCol; col <= region.lastCol; ++col) {
            if (g.width(col) == 0 || g.height(row) == 0)
                continue;
            const QRect r(g.left(col), g.top(row), g.width(col) - 1, g.height(row) - 1);
            const wb::CellRange *m = sheet.mergeAt(row, col);
            if (!m || col == m->lastCol)
                p.drawLine(r.topRight(), r.bottomRight());
            if (!m || row == m->lastRow)
                p.drawLine(r.bottomLeft(), r.bottomRight());
        }
}

// The region widened to whole merged ranges that reach into it, so their anchors get drawn.
wb::CellRange withMerges(const wb::Sheet &sheet, wb::CellRange region)
{
    for (const wb::CellRange &m : sheet.merges())
        if (m.intersects(region)) {
            region.firstRow = std::min(region.firstRow, m.firstRow);
            region.firstCol = std::min(region.firstCol, m.firstCol);
        }
    return region;
}

} // namespace

void paintCells(QPainter &p, const wb::Workbook &book, int sheetIndex, const SheetGeometry &g,
                const wb::CellRange &region, const PaintOptions &options)
{
    const wb::Sheet &sheet = book.sheet(sheetIndex);
    const wb::CellRange all = withMerges(sheet, region);
    if (options.background)
        p.fillRect(toRect(g.rangeRect(region)), Qt::white);
    for (int row = all.firstRow; row <= all.lastRow; ++row)
        for (int col = all.firstCol; col <= all.lastCol; ++col) {
            const wb::CellStyle &s = book.cellStyle(sheetIndex, row, col);
            const wb::CellRange *m = sheet.mergeAt(row, col);
            if (s.filled && (!m || (m->firstRow == row && m->firstCol == col)))
                p.fillRect(toRect(g.cellRect(row, col)), rgb(s.fill));
        }
    if (options.gridlines)
        drawGridlines(p, sheet, g, region);
    for (int row = all.firstRow; row <= all.lastRow; ++row)
        for (int col = all.firstCol; col <= all.lastCol; ++col) {
            const wb::CellRange *m = sheet.mergeAt(row, col);
            const bool anchor = !m || (m->firstRow == row && m->firstCol == col);
            const bool inRegion = region.contains(row, col);
            if ((!anchor && !inRegion) || (!m && !inRegion))
                continue;
            const wb::CellStyle &s = book.cellStyle(sheetIndex, row, col);
            if (anchor) {
                const QRect box = toRect(g.cellRect(row, col));
                if (box.width() > 0 && box.height() > 0)
                    drawText(p, box, s, sheet.value(row, col), book.displayText(sheetIndex, row, col));
            }
            if (g.width(col) > 0 && g.height(row) > 0)
                drawBorders(p, toRect(g.rangeRect({row, col, row, col})), s, m, row, col);
        }
}

} // namespace mhbk::view
