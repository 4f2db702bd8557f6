#pragma once

#include "numbers/extended.h"

#include <QString>
#include <optional>

namespace mhbk {

// Numbers are entered, shown and passed on as text. These are the conversions every page and
// the command line share; the digits themselves come from numbers/format.h.

// Parses a decimal number the way the calculators accept it: optional blanks around it,
// an optional sign, digits with at most one "." (a leading or trailing point is fine,
// a lone point is not), an optional exponent. No thousands separators.
std::optional<double> parseFloat(const QString &text);

// As parseFloat, but a text that is no number throws ConversionError with the text
// "'<text>' is not a valid floating point value".
double strToFloat(const QString &text);

// The conversion error's message for a text.
QString conversionErrorText(const QString &text);

// A calculator input under the rules of parseFloat, in the calculators' extended format
// (correctly rounded from the typed digits). Nothing when the text is no number.
std::optional<numbers::Extended> parseReal(const QString &text);
// As parseReal; throws ConversionError ("'<text>' is not a valid floating point value").
numbers::Extended strToReal(const QString &text);

// The section calculators' output format (numbers::generalText): "0.616539", "6.16539E-7".
QString floatToStr(const numbers::Extended &value);

// The numeric-entry key rule of the calculator inputs: a character typed into an edit whose
// whole text is `text` is kept when it is a digit, backspace (8), or the first "." of the text.
bool acceptsNumericKey(const QString &text, QChar typed);

// Exactly `decimals` places after the 15-digit rounding (numbers::fixedFromFifteenDigits).
QString formatFixed(double value, int decimals);

// The value as the expression result field shows it (numbers::resultText): at least one
// decimal, `digits` of them when there are more.
QString formatResult(const numbers::Extended &value, int digits, const QString &decimalPoint = QStringLiteral("."));

} // namespace mhbk
