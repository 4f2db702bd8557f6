#pragma once

#include <QString>

namespace mhbk {

// The value rounded to `digits` decimals the way fixed-point text with at most 18
// significant digits rounds it: halves away from zero, on the decimal digits of the value.
long double roundToDecimals(long double value, int digits);

// The result field's mask: "0.0" for 0 and 1 decimals, one more "0" for each further one.
QString resultMask(int digits);

// The value shown with resultMask(digits): max(digits, 1) decimals, "-" only for a value
// that does not show as zero. Values from 1E18 up, which the mask cannot hold, appear in
// the general form with 15 significant digits ("1E20").
QString formatResult(long double value, int digits, const QString &decimalPoint = QStringLiteral("."));

} // namespace mhbk
