#include "widgets/gridpaint.h"

#include "widgets/stringgrid.h"

#include <QPainter>

namespace mhbk {

CellPainter::CellPainter(StringGrid *grid, CellLookFn look)
    : QStyledItemDelegate(grid), grid_(grid), look_(std::move(look))
{
}

void CellPainter::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    painter->save();
    const QRect cellRect = option.rect;
    const QRect textRect = cellRect.adjusted(2, 2, -2, -2);
    const QString text = index.data(Qt::DisplayRole).toString();
    painter->setFont(grid_->font());
    if (index.row() < grid_->fixedRows()) {
        painter->setPen(Qt::black);
        painter->setBrush(grid_->palette().color(QPalette::Button));
        if (option.state & QStyle::State_Selected)
            painter->setBrush(grid_->palette().color(QPalette::Midlight));
        // The view draws its grid lines after the cells, so the outline goes on the cell's own
        // edge pixels, where it stays visible.
        painter->drawRect(cellRect.adjusted(0, 0, -1, -1));
        painter->setPen(grid_->palette().color(QPalette::WindowText));
        painter->drawText(textRect, Qt::AlignCenter | Qt::TextSingleLine, text);
    } else {
        const CellLook look = look_ ? look_(index.column(), index.row()) : CellLook{};
        fillCellBackground(*painter, option, grid_->palette());
        painter->setPen(look.text);
        painter->drawText(textRect, look.alignment | Qt::AlignVCenter | Qt::TextSingleLine, text);
    }
    painter->restore();
}

void fillCellBackground(QPainter &painter, const QStyleOptionViewItem &option, const QPalette &colours)
{
    painter.fillRect(option.rect, colours.color(QPalette::Base));
    if (option.state & QStyle::State_Selected) {
        QColor tint = colours.color(QPalette::Active, QPalette::Highlight);
        tint.setAlpha(70);
        painter.fillRect(option.rect, tint);
    }
}

void installCellPainter(StringGrid &grid, CellLookFn look)
{
    grid.setItemDelegate(new CellPainter(&grid, std::move(look)));
}

namespace looks {

CellLook oddGreenEvenRed(int column, int)
{
    return {Qt::AlignHCenter, column % 2 == 1 ? palette::green : palette::red};
}

CellLook firstBlueOddGreenEvenRed(int column, int row)
{
    if (column == 0)
        return {Qt::AlignHCenter, palette::blue};
    return oddGreenEvenRed(column, row);
}

CellLookFn lastOfPeriodGreen(int period)
{
    return [period](int column, int) {
        return CellLook{Qt::AlignHCenter, column % period == period - 1 ? palette::green : palette::red};
    };
}

CellLook redBlueGreen(int column, int)
{
    static const QColor colours[] = {palette::red, palette::blue, palette::green};
    return {Qt::AlignHCenter, colours[column % 3]};
}

CellLook oddGreenCentredEvenRedLeft(int column, int)
{
    if (column % 2 == 1)
        return {Qt::AlignHCenter, palette::green};
    return {Qt::AlignLeft, palette::red};
}

} // namespace looks

} // namespace mhbk
