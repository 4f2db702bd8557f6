#pragma once

#include "workbooks/engine/cellvalue.h"

#include <QString>

namespace mhbk::wb {

// Excel's "General" display of a number in a cell of standard width: at most 11 characters
// (the sign not counted), switching to scientific notation ("1.23457E+11") when the decimal
// form would lose more digits. 1/3 shows "0.333333333", 1e11 "100000000000" is too long and
// shows "1E+11", 0.1+0.2 shows "0.3".
QString formatGeneral(double value);

// Applies an Excel number format code: "General", "0", "0.00", "0.0000", "#,##0", "#,##0.00",
// "0%", "0.00%", "0.00E+00", "@" and similar, with literal text in quotes or after "\",
// up to four sections separated by ";" (positive;negative;zero;text). Unknown codes fall back
// to General. Halves are rounded away from zero, as Excel does.
QString formatNumber(double value, const QString &format);

// The text a cell shows for a value: numbers through formatNumber, booleans "TRUE"/"FALSE",
// errors as "#DIV/0!" etc., text as is (or through the format's text section).
QString formatValue(const Value &value, const QString &format);

} // namespace mhbk::wb

namespace mhbk::wb {

// A number as text with up to 15 significant digits, shortest form ("0.1", "1234.5", "1E+20"):
// what Excel's "&" and text functions produce, and how a number constant is given back as input.
QString numberText(double value);

// Exactly `decimals` places, halves rounded away from zero on the exact value ("0.13" for 0.125).
QString fixedText(double value, int decimals);

} // namespace mhbk::wb
