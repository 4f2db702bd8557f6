#pragma once

#include <QString>
#include <optional>

namespace mhbk {

// Numbers are entered, shown and passed on as text. These are the conversions every page shares.

// Parses a decimal number the way the calculators accept it: optional blanks around it,
// an optional sign, digits with at most one "." (a leading or trailing point is fine,
// a lone point is not), an optional exponent. No thousands separators.
std::optional<double> parseFloat(const QString &text);

// As parseFloat, but a text that is no number throws ConversionError with the text
// "'<text>' is not a valid floating point value".
double strToFloat(const QString &text);

// The conversion error's message for a text.
QString conversionErrorText(const QString &text);

} // namespace mhbk
