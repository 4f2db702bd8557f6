#pragma once

#include <QString>
#include <optional>

namespace mhbk::wb {

// Rows and columns are counted from 0 everywhere in the engine (row 0, column 0 is "A1").
// The spreadsheet control's operations count from 1; the view converts.
inline constexpr int kMaxRows = 1048576;
inline constexpr int kMaxColumns = 16384;

struct CellAddress
{
    int row = 0;
    int col = 0;
    bool operator==(const CellAddress &) const = default;
};

// An inclusive rectangle of cells.
struct CellRange
{
    int firstRow = 0;
    int firstCol = 0;
    int lastRow = 0;
    int lastCol = 0;

    bool contains(int row, int col) const
    {
        return row >= firstRow && row <= lastRow && col >= firstCol && col <= lastCol;
    }
    bool intersects(const CellRange &o) const
    {
        return firstRow <= o.lastRow && o.firstRow <= lastRow && firstCol <= o.lastCol && o.firstCol <= lastCol;
    }
    int rowCount() const { return lastRow - firstRow + 1; }
    int columnCount() const { return lastCol - firstCol + 1; }
    bool operator==(const CellRange &) const = default;
};

// Where the ':' of a range is in `text`, or -1. (A plain scan: Qt's indexOf() goes through
// its general substring search, which costs more than the parse of a whole reference.)
inline qsizetype colonIn(QStringView text)
{
    for (qsizetype i = 0; i < text.size(); ++i)
        if (text[i] == u':')
            return i;
    return -1;
}

// 0 -> "A", 25 -> "Z", 26 -> "AA".
QString columnName(int col);
// (2, 1) -> "B3".
QString addressText(int row, int col);
// "A1:D1" (or "B3" when the range is one cell).
QString rangeText(const CellRange &range);

// "B3", "$B$3" (dollar signs ignored), case-insensitive. Nothing for anything else.
std::optional<CellAddress> parseAddress(QStringView text);
// "H" -> 7. Nothing unless letters only, within kMaxColumns.
std::optional<int> parseColumn(QStringView letters);
// "A1:D3", "B3" (one cell), "H:K" (whole columns), "3:5" (whole rows, 1-based as typed).
// Corners are normalised so that first <= last.
std::optional<CellRange> parseRange(QStringView text);

} // namespace mhbk::wb
