#pragma once

#include <QColor>
#include <QStyledItemDelegate>
#include <functional>

namespace mhbk {

class StringGrid;

// The three text colours of the handbook grids.
namespace palette {
inline const QColor red{255, 0, 0};
inline const QColor green{0, 128, 0};
inline const QColor blue{0, 0, 255};
} // namespace palette

// How one data cell is drawn: alignment and text colour on the window background.
struct CellLook {
    Qt::Alignment alignment = Qt::AlignHCenter;
    QColor text = Qt::black;
};

using CellLookFn = std::function<CellLook(int column, int row)>;

// Draws caption rows with a black outline over a button-face fill and centred text, and data
// cells in the look's colour on the window background; selected cells get a light tint that
// keeps the text colours readable.
class CellPainter : public QStyledItemDelegate {
public:
    CellPainter(StringGrid *grid, CellLookFn look);
    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    StringGrid *grid_;
    CellLookFn look_;
};

// The background of a body cell: the window background, tinted where the cell is selected.
void fillCellBackground(QPainter &painter, const QStyleOptionViewItem &option, const QPalette &colours);

// Installs a CellPainter on the grid (owned by the grid).
void installCellPainter(StringGrid &grid, CellLookFn look);

// The colour schemes of the reference grids.
namespace looks {
// Odd columns green, even columns red, all centred.
CellLook oddGreenEvenRed(int column, int row);
// Column 0 blue, other odd columns green, other even columns red, centred.
CellLook firstBlueOddGreenEvenRed(int column, int row);
// Green where column mod period == period - 1, red elsewhere, centred.
CellLookFn lastOfPeriodGreen(int period);
// Column mod 3: 0 red, 1 blue, 2 green, centred.
CellLook redBlueGreen(int column, int row);
// Odd columns centred green, even columns left-aligned red.
CellLook oddGreenCentredEvenRedLeft(int column, int row);
} // namespace looks

} // namespace mhbk
