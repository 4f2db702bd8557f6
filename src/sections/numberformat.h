#pragma once

#include <QString>

namespace mhbk {

// The general number format of every calculator output: the value rounded to 15 significant
// digits without trailing zeros, in fixed notation when 0.0001 <= |value| < 1E15 (and for 0),
// otherwise as d.dddE[-]x ("6.16539E-7", "1E15"). Infinities and NaN read "INF", "-INF", "NAN".
QString floatToStr(double value);

// The numeric-entry key rule of the calculator inputs: a character typed into an edit whose
// whole text is `text` is kept when it is a digit, backspace (8), or the first "." of the text.
bool acceptsNumericKey(const QString &text, QChar typed);

} // namespace mhbk
