#include "reference/referencepaint.h"

#include "data/stringgrid.h"
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
        const bool selected = option.state & QStyle::State_Selected;
        const QRect inner = cellRect.adjusted(2, 2, -2, -2);
        painter->fillRect(inner, grid_->palette().color(selected ? QPalette::Highlight : QPalette::Base));
        painter->setFont(grid_->font());
        const bool valueColumn = index.column() % kUnitLayout.blockColumns == 2;
        painter->setPen(valueColumn ? palette::green : palette::red);
        const Qt::Alignment alignment = valueColumn ? Qt::AlignHCenter : Qt::AlignLeft;
        painter->drawText(inner, alignment | Qt::AlignVCenter | Qt::TextSingleLine,
                          index.data(Qt::DisplayRole).toString());
    }
    painter->restore();
}

QWidget *UnitGridPainter::createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                                       const QModelIndex &index) const
{
    // Text typed into a spacer would belong to no item and be lost on saving.
    if (isSpacerColumn(index.column()))
        return nullptr;
    return QStyledItemDelegate::createEditor(parent, option, index);
}

DensityGridPainter::DensityGridPainter(StringGrid *grid)
    : CellPainter(grid, looks::oddGreenCentredEvenRedLeft), grid_(grid)
{
}

QWidget *DensityGridPainter::createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                                          const QModelIndex &index) const
{
    // The headings are not stored; a change to them could never be saved.
    if (index.row() < grid_->fixedRows())
        return nullptr;
    return CellPainter::createEditor(parent, option, index);
}

} // namespace mhbk::reference
