#pragma once

#include "workbooks/engine/address.h"

#include <vector>

namespace mhbk::wb {
class Sheet;
}

namespace mhbk::view {

// Cell positions of one sheet in pixels at 96 dpi, the unit both the view and the printout
// draw in (the printout scales the painter). Hidden rows and columns have no extent. The
// tables grow on demand, so positions far beyond the used range can be asked for.
class SheetGeometry {
public:
    explicit SheetGeometry(const wb::Sheet &sheet);

    int left(int col) const;            // x of the column's left edge
    int top(int row) const;             // y of the row's top edge
    int width(int col) const { return left(col + 1) - left(col); }
    int height(int row) const { return top(row + 1) - top(row); }
    // The column / row under the position (a hidden one is never returned).
    int columnAt(int x) const;
    int rowAt(int y) const;
    // The cell's rectangle; for a cell of a merged range, the whole range's.
    struct Rect {
        int x, y, w, h;
    };
    Rect cellRect(int row, int col) const;
    Rect rangeRect(const wb::CellRange &range) const;

    static int columnPixels(const wb::Sheet &sheet, int col);
    static int rowPixels(const wb::Sheet &sheet, int row);

private:
    void growColumns(int count) const;
    void growRows(int count) const;

    const wb::Sheet &sheet_;
    mutable std::vector<int> colEdges_{0}; // colEdges_[c] = left(c)
    mutable std::vector<int> rowEdges_{0};
};

} // namespace mhbk::view
