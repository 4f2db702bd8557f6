#pragma once

#include "widgets/gridpaint.h"

#include <QStyledItemDelegate>

namespace mhbk {
class StringGrid;
}

namespace mhbk::reference {

// StringGrid1DrawCell: the two unit columns red and left-aligned, the value column green and
// centred, on the cell's own (normal or selected) background; every fourth column is the
// spacer between blocks, a button-face bar.
class UnitGridPainter : public QStyledItemDelegate {
public:
    explicit UnitGridPainter(StringGrid *grid);
    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    StringGrid *grid_;
};

// StringGrid2DrawCell: the shared cell painter with names red and left-aligned, densities
// green and centred; the heading row is drawn as captions.
class DensityGridPainter : public CellPainter {
public:
    explicit DensityGridPainter(StringGrid *grid);
};

} // namespace mhbk::reference
