#pragma once

#include <QString>
#include <optional>

namespace mhbk {

// The general number format of every calculator output: the value rounded to 15 significant
// digits without trailing zeros, in fixed notation when 0.0001 <= |value| < 1E15 (and for 0),
// otherwise as d.dddE[-]x ("6.16539E-7", "1E15"). Infinities and NaN read "INF", "-INF", "NAN".
// The value is taken at extended precision, which is what the calculators compute in.
QString floatToStr(long double value);

// A calculator input converted at extended precision, under the rules of parseFloat (a leading
// or trailing point is fine, a lone point is not). Nothing when the text is no number.
std::optional<long double> parseReal(const QString &text);
// As parseReal; throws ConversionError ("'<text>' is not a valid floating point value").
long double strToReal(const QString &text);

// The numeric-entry key rule of the calculator inputs: a character typed into an edit whose
// whole text is `text` is kept when it is a digit, backspace (8), or the first "." of the text.
bool acceptsNumericKey(const QString &text, QChar typed);

} // namespace mhbk
