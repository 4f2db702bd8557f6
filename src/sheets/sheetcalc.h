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

// Products for the typed lengths, band subtotals and the grand total. All lengths are parsed
// before anything is written, so a length that is no number throws ConversionError and
// leaves every cell as it was.
void calculateAll(const SheetDescription &sheet, TextGrid &grid);

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
