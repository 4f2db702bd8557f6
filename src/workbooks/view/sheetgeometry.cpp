#include "workbooks/view/sheetgeometry.h"

#include "workbooks/engine/workbook.h"

#include <algorithm>
#include <cmath>

namespace mhbk::view {

SheetGeometry::SheetGeometry(const wb::Sheet &sheet) : sheet_(sheet) {}

int SheetGeometry::columnPixels(const wb::Sheet &sheet, int col)
{
    return sheet.isColumnHidden(col) ? 0 : wb::columnWidthPixels(sheet.columnWidth(col));
}

int SheetGeometry::rowPixels(const wb::Sheet &sheet, int row)
{
    return sheet.isRowHidden(row) ? 0 : int(std::lround(sheet.rowHeight(row) * 96.0 / 72.0));
}

void SheetGeometry::growColumns(int count) const
{
    count = std::min(count, wb::kMaxColumns);
    while (int(colEdges_.size()) <= count) {
        const int c = int(colEdges_.size()) - 1;
        colEdges_.push_back(colEdges_.back() + columnPixels(sheet_, c));
    }
}

void SheetGeometry::growRows(int count) const
{
    count = std::min(count, wb::kMaxRows);
    while (int(rowEdges_.size()) <= count) {
        const int r = int(rowEdges_.size()) - 1;
        rowEdges_.push_back(rowEdges_.back() + rowPixels(sheet_, r));
    }
}

int SheetGeometry::left(int col) const
{
    col = std::clamp(col, 0, wb::kMaxColumns);
    growColumns(col);
    return colEdges_[std::size_t(col)];
}

int SheetGeometry::top(int row) const
{
    row = std::clamp(row, 0, wb::kMaxRows);
    growRows(row);
    return rowEdges_[std::size_t(row)];
}

// edges[i] <= pos < edges[i+1] with a non-zero extent; grows the table until pos is covered.
static int indexAt(std::vector<int> &edges, int pos, int limit, const auto &grow)
{
    pos = std::max(pos, 0);
    while (edges.back() <= pos && int(edges.size()) <= limit)
        grow(int(edges.size()) + 64);
    const auto it = std::upper_bound(edges.begin(), edges.end(), pos);
    return std::clamp(int(it - edges.begin()) - 1, 0, limit - 1);
}

int SheetGeometry::columnAt(int x) const
{
    return indexAt(colEdges_, x, wb::kMaxColumns, [this](int n) { growColumns(n); });
}

int SheetGeometry::rowAt(int y) const
{
    return indexAt(rowEdges_, y, wb::kMaxRows, [this](int n) { growRows(n); });
}

SheetGeometry::Rect SheetGeometry::rangeRect(const wb::CellRange &r) const
{
    return Rect{left(r.firstCol), top(r.firstRow), left(r.lastCol + 1) - left(r.firstCol),
                top(r.lastRow + 1) - top(r.firstRow)};
}

SheetGeometry::Rect SheetGeometry::cellRect(int row, int col) const
{
    if (const wb::CellRange *m = sheet_.mergeAt(row, col))
        return rangeRect(*m);
    return rangeRect(wb::CellRange{row, col, row, col});
}

} // namespace mhbk::view
