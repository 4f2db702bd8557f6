#include "reference/referencepaint.h"

#include "widgets/stringgrid.h"
#include "reference/itemlist.h"

#include <QApplication>
#include <QPainter>

namespace mhbk::reference {

namespace {

bool isSpacerColumn(int column)
{
    return column % kUnitLayout.blockColumns == kUnitLayout.cellsPerItem;
}

} // namespace

UnitGridPainter::UnitGridPainter(StringGrid *grid) : QStyledItemDelegate(grid), grid_(grid) {}

void UnitGridPainter::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QStyledItemDelegate::paint(painter, option, index);
    painter->save();
    const QRect cellRect = option.rect;
    if (isSpacerColumn(index.column())) {
        painter->setBrush(QApplication::palette().color(QPalette::Button));
        painter->setPen(grid_->palette().color(QPalette::WindowText));
        painter->drawRect(QRect(QPoint(cellRect.left() + 3, cellRect.top()),
                                QPoint(cellRect.right() - 3, cellRect.bottom())));
    } else {
        const QRect inner = cellRect.adjusted(2, 2, -2, -2);
        fillCellBackground(*painter, option, grid_->palette());
        painter->setFont(grid_->font());
        const bool valueColumn = index.column() % kUnitLayout.blockColumns == 2;
        painter->setPen(valueColumn ? palette::green : palette::red);
        const Qt::Alignment alignment = valueColumn ? Qt::AlignHCenter : Qt::AlignLeft;
        painter->drawText(inner, alignment | Qt::AlignVCenter | Qt::TextSingleLine,
                          index.data(Qt::DisplayRole).toString());
    }
    painter->restore();
}

DensityGridPainter::DensityGridPainter(StringGrid *grid) : CellPainter(grid, looks::oddGreenCentredEvenRedLeft) {}

} // namespace mhbk::reference
