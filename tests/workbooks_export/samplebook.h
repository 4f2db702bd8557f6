#pragma once

#include "workbooks/engine/formula.h"
#include "workbooks/export/exportbook.h"

#include <QJsonObject>
#include <memory>
#include <vector>

namespace mhbk::test {

// The engine's parses of the formulas of a hand-made description, kept as long as the
// description that points into them (as a live workbook keeps its own).
class FormulaParses
{
public:
    // Gives every formula cell of `book` the parse of its text, other sheets found by the book's
    // sheet names; a formula that does not parse fails the test.
    void give(xlsout::Book &book);

private:
    std::vector<std::unique_ptr<wb::FormulaTree>> m_trees;
};

// A small estimating sheet exercising every feature both writers carry: a merged bold title,
// Chinese text, numbers with formats, a formula with its result, a boolean, an error value,
// borders, a fill, widths, a hidden column, a tall row, an unlocked cell, protection, and a
// second sheet.
xlsout::Book sampleBook(FormulaParses &parses);

// Cell "r,c" of sheet `sheet` in a reader script's JSON output.
QJsonObject cellOf(const QJsonObject &summary, int sheet, int row, int col);
QJsonObject styleOf(const QJsonObject &summary, int sheet, int row, int col);
QJsonObject sheetOf(const QJsonObject &summary, int sheet);

} // namespace mhbk::test
