#pragma once

#include "workbooks/export/exportbook.h"

#include <QJsonObject>

namespace mhbk::test {

// A small estimating sheet exercising every feature both writers carry: a merged bold title,
// Chinese text, numbers with formats, a formula with its result, a boolean, an error value,
// borders, a fill, widths, a hidden column, a tall row, an unlocked cell, protection, and a
// second sheet.
xlsout::Book sampleBook();

// Cell "r,c" of sheet `sheet` in a reader script's JSON output.
QJsonObject cellOf(const QJsonObject &summary, int sheet, int row, int col);
QJsonObject styleOf(const QJsonObject &summary, int sheet, int row, int col);
QJsonObject sheetOf(const QJsonObject &summary, int sheet);

} // namespace mhbk::test
