#pragma once

#include "sheets/sheetlayout.h"

#include <QChar>
#include <QString>
#include <vector>

namespace mhbk::sheets {

// The sheet's cells as texts, addressed (column, row) like the grid. The calculations read
// the displayed texts back, so every step works on the rounded values the user sees.
class TextGrid {
public:
    TextGrid(int columns, int rows);

    int columns() const { return columns_; }
    int rows() const { return rows_; }
    const QString &cell(int column, int row) const;
    void setCell(int column, int row, const QString &text);

private:
    int columns_;
    int rows_;
    std::vector<QString> cells_;
};

// Headers, column 0, the painting areas per metre, zeroed totals and the insulation values
// for the thickness (what the window shows when it opens).
TextGrid createSheet(const SheetDescription &sheet, int thicknessMm);

// Insulation volume and surface per metre (columns 4 and 6) of every data row.
void toCalculate(const SheetDescription &sheet, TextGrid &grid, int thicknessMm);

// A length cell whose text is no number.
struct BadLength {
    int row;
    QString text;

    bool operator==(const BadLength &) const = default;
};

// Products for the typed lengths, band subtotals and the grand total. A length that is no
// number counts as 0 for its row (its products 0, the totals without it), so every figure
// belongs to the per-metre values shown; those lengths are returned for the caller to report.
std::vector<BadLength> calculateAll(const SheetDescription &sheet, TextGrid &grid);

// What the user is told about lengths that are no number.
QString badLengthMessage(const SheetDescription &sheet, const std::vector<BadLength> &bad);

// Only the length cells of data rows take typing.
bool isLengthCell(const SheetDescription &sheet, int column, int row);

// The entry filter: digits, Backspace, and "." while the cell holds none, in length cells only.
bool acceptsChar(const SheetDescription &sheet, int column, int row, QChar ch, const QString &cellText);

enum class CellPaint {
    Ordinary,      // the grid's usual drawing
    CentredPlain,  // centred, normal text colour
    Red,
    Blue,
    Green,
    LengthEntry,   // black on light grey
};

CellPaint cellPaint(const SheetDescription &sheet, int column, int row);

// The whole sheet as tab-separated lines, header first.
QString toTabSeparated(const TextGrid &grid);

} // namespace mhbk::sheets
