#pragma once

#include "numbers/extended.h"

#include <string>

namespace mhbk::numbers {

// The figures the program shows, each in one place. All of them are built from the exact value
// of the number (see decimal.h), so the text is the same on every processor and with any
// compiler, and none depends on the C locale.

// The section calculators' format: 15 significant digits (ties to even) without trailing zeros,
// fixed notation when 0.0001 <= |value| < 1E15 after rounding (and for 0), otherwise d.dddE[-]x
// ("6.16539E-7", "1E15"). Infinities and NaN read "INF", "-INF", "NAN".
std::string generalText(const Extended &value);

// Exactly `decimals` places (the sheets' "0.0000" masks): the value is first taken to 15
// significant digits and then rounded half away from zero on those digits, so a binary value
// just below a decimal tie (1.005 is 1.00499999...) still rounds up the way its printed figure
// suggests. A result that rounds to zero carries no minus sign.
std::string fixedFromFifteenDigits(double value, int decimals);

// Exactly `decimals` places, rounded half away from zero on the exact binary value
// (0.125 -> "0.13", 1.005 -> "1.00").
std::string fixedText(double value, int decimals);

// The expression calculator: the value rounded to `digits` decimals (halves away from zero) on
// its first 18 significant digits, held in the calculators' extended format.
Extended roundToDecimals(double value, int digits);

// The expression calculator's result field: max(digits, 1) decimals from the first 18
// significant digits, "-" only when the text is not all zeros; from 1E18 up, which the field's
// mask cannot hold, the general form with 15 significant digits ("1E20", "-1.5E19").
std::string resultText(const Extended &value, int digits, const std::string &decimalPoint = ".");

// The script engine's text of a number: `significant` digits (ties to even), trailing zeros
// dropped, fixed notation for 1E-4 <= |value| < 10^significant, otherwise "1.5E+20", "1E-05".
std::string scriptText(double value, int significant = 15);

// printf's "%.<significant>g" with halves rounded away from zero on the exact value:
// "0.1", "1234.5", "1e+15", "1.5e-07".
std::string compactText(double value, int significant);

// "E+05", "E-12", "E+300": the exponent with sign and at least `minDigits` digits.
std::string exponentText(int exponent, int minDigits = 2);

} // namespace mhbk::numbers
