#include "takeoff/ui/takeoffprint.h"

#include <QFont>
#include <QPagedPaintDevice>
#include <QPainter>
#include <algorithm>

namespace mhbk::takeoff {

namespace {

const QStringList kCaptions = {QStringLiteral("序号"), QStringLiteral("项目"), QStringLiteral("规格"),
                               QStringLiteral("材质"), QStringLiteral("数量"), QStringLiteral("单位"),
                               QStringLiteral("单重(kg)"), QStringLiteral("总重(kg)"), QStringLiteral("备注")};
// Shares of the page width, in the captions' order.
constexpr double kWidths[] = {0.06, 0.14, 0.16, 0.09, 0.09, 0.06, 0.11, 0.12, 0.17};
constexpr int kNumberColumns[] = {0, 4, 6, 7};

struct Geometry {
    QRectF page;
    double rowHeight;
    double titleHeight;
    int rowsPerPage;
};

Geometry geometryFor(QPainter &painter, const QRectF &page)
{
    // Sizes in device pixels from the device's resolution: a preview, a printer and a PDF
    // writer disagree about what a point-sized font measures on them.
    QFont font = painter.font();
    const int pixels = std::max(8, qRound(painter.device()->logicalDpiY() * 10.0 / 72.0)); // 10 pt
    font.setPixelSize(pixels);
    painter.setFont(font);
    Geometry g{page, pixels * 1.9, pixels * 4.0, 1};
    // Title, captions and the page number take the rest.
    const double body = page.height() - g.titleHeight - 2 * g.rowHeight;
    g.rowsPerPage = std::max(1, static_cast<int>(body / g.rowHeight));
    return g;
}

void drawRow(QPainter &painter, const Geometry &g, double top, const QStringList &cells, bool bold)
{
    QFont font = painter.font();
    font.setBold(bold);
    painter.setFont(font);
    double left = g.page.left();
    for (int col = 0; col < kCaptions.size(); ++col) {
        const QRectF cell(left, top, g.page.width() * kWidths[col], g.rowHeight);
        painter.drawRect(cell);
        const bool number = std::find(std::begin(kNumberColumns), std::end(kNumberColumns), col) != std::end(kNumberColumns);
        const QString text = col < cells.size() ? cells.at(col) : QString();
        const QRectF inner = cell.adjusted(g.rowHeight * 0.15, 0, -g.rowHeight * 0.15, 0);
        painter.drawText(inner, Qt::AlignVCenter | (number ? Qt::AlignRight : Qt::AlignLeft),
                         painter.fontMetrics().elidedText(text, Qt::ElideRight, static_cast<int>(inner.width())));
        left += cell.width();
    }
    font.setBold(false);
    painter.setFont(font);
}

void drawFrame(QPainter &painter, const Geometry &g, const QString &title, int page, int pages)
{
    QFont font = painter.font();
    QFont titleFont = font;
    titleFont.setPixelSize(font.pixelSize() * 8 / 5);
    titleFont.setBold(true);
    painter.setFont(titleFont);
    painter.drawText(QRectF(g.page.left(), g.page.top(), g.page.width(), g.titleHeight), Qt::AlignCenter, title);
    painter.setFont(font);
    drawRow(painter, g, g.page.top() + g.titleHeight, kCaptions, true);
    painter.drawText(QRectF(g.page.left(), g.page.bottom() - g.rowHeight, g.page.width(), g.rowHeight), Qt::AlignCenter,
                     QStringLiteral("第 %1 页 共 %2 页").arg(page).arg(pages));
}

} // namespace

std::vector<PrintRow> printRows(const List &list)
{
    std::vector<PrintRow> rows;
    int number = 0;
    for (const Line &line : list) {
        rows.push_back({{QString::number(++number), line.item, line.designation, line.material, numberText(line.quantity),
                         line.unit, weightText(line.unitWeight), weightText(line.totalWeight()), line.remark}});
    }
    const Totals totals = totalsOf(list);
    if (!totals.byItem.empty()) {
        rows.push_back({{QString(), QStringLiteral("按项目合计")}, true});
        for (const Total &t : totals.byItem)
            rows.push_back({{QString(), t.item, QString(), QString(), QString(), QString(), QString(), weightText(t.weight)}});
        rows.push_back({{QString(), QStringLiteral("按规格合计")}, true});
        for (const Total &t : totals.byDesignation)
            rows.push_back({{QString(), t.item, t.designation, QString(), QString(), QString(), QString(), weightText(t.weight)}});
    }
    rows.push_back({{QString(), QStringLiteral("总计"), QString(), QString(), QString(), QString(), QString(),
                     weightText(totals.grandTotal)},
                    true});
    return rows;
}

int printList(const List &list, const QString &title, QPagedPaintDevice &device)
{
    QPainter painter(&device);
    if (!painter.isActive())
        return 0;
    const Geometry g = geometryFor(painter, QRectF(QPointF(0, 0), QSizeF(device.width(), device.height())));
    const std::vector<PrintRow> rows = printRows(list);
    const int count = static_cast<int>(rows.size());
    const int pages = (count + g.rowsPerPage - 1) / g.rowsPerPage;
    for (int page = 0; page < pages; ++page) {
        if (page > 0)
            device.newPage();
        drawFrame(painter, g, title, page + 1, pages);
        const int first = page * g.rowsPerPage;
        for (int i = first; i < std::min(count, first + g.rowsPerPage); ++i) {
            const double top = g.page.top() + g.titleHeight + g.rowHeight * (1 + i - first);
            drawRow(painter, g, top, rows[static_cast<std::size_t>(i)].cells, rows[static_cast<std::size_t>(i)].total);
        }
    }
    return pages;
}

} // namespace mhbk::takeoff
