#pragma once

#include <QByteArray>

namespace mhbk::wb::bench {

// Rows of the benchmark workbook: sheet "Data" holds 3 constants per row, sheet "Calc" 2
// formulas per row (one of them a running total, so an early edit ripples down), plus a
// SUM and a VLOOKUP over the whole table.
inline constexpr int kRows = 1000;

// The workbook in the stored format.
QByteArray benchWorkbookJson();

} // namespace mhbk::wb::bench
