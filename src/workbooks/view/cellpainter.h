#pragma once

#include "workbooks/engine/address.h"

class QPainter;

namespace mhbk::wb {
class Workbook;
}

namespace mhbk::view {

class SheetGeometry;

struct PaintOptions {
    bool gridlines = true;
    bool background = true; // white under cells without a fill
};

// Draws the cells of `region` (fills, text in its style and number format, merged ranges as
// one cell, borders, gridlines) in the geometry's 96-dpi pixel coordinates. The view and the
// printout both draw through this, so what is printed is what is shown.
void paintCells(QPainter &painter, const wb::Workbook &book, int sheet, const SheetGeometry &geometry,
                const wb::CellRange &region, const PaintOptions &options);

} // namespace mhbk::view
