#pragma once

#include <QString>

namespace mhbk::sheets {

// Formats a value with exactly `decimals` digits after the point, like the masks "0.0000" and
// "0.00000" of the sheets. The value is first taken to 15 significant decimal digits and then
// rounded half away from zero on those digits, so a binary value just below a decimal tie
// (1.005 is stored as 1.00499999...) still rounds up the way the printed figure suggests.
// A result that rounds to zero never carries a minus sign.
QString formatFixed(double value, int decimals);

} // namespace mhbk::sheets
