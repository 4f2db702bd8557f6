#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace mhbk::numbers {

class Extended;

// A number as typed: value = ±digits × 10^exponent. Digits are ASCII '0'..'9', at least one.
struct DecimalText {
    bool negative = false;
    std::string digits;
    int exponent = 0;
};

// Reads a decimal number the way the calculators accept it: optional blanks (space, tab)
// around it, an optional sign, digits with at most one "." (a leading or trailing point is
// fine, a lone point is not), an optional exponent "e"/"E" with optional sign and at least one
// digit. No thousands separators, no "inf" or "nan", nothing else.
std::optional<DecimalText> scanDecimal(std::string_view text);

// The ASCII spelling of a number typed with the full-width forms a Chinese input method gives
// ("５７", "－１．５", "２ｅ３", "５０％", "１，２３４") and the ideographic space: those become
// their ASCII characters, other ASCII stays. Nothing when any other character is in it.
std::optional<std::string> asciiNumberText(std::u16string_view text);

// scanDecimal of the text's ASCII spelling (asciiNumberText): the one reading of a typed number.
std::optional<DecimalText> scanDecimal(std::u16string_view text);

// The nearest double; nothing when the value overflows or underflows to zero from nonzero.
std::optional<double> toDouble(const DecimalText &text);

// Correctly rounded decimal text -> double for a number a scanner has already delimited
// (digits, at most one point, optional exponent; no sign). Nothing when it is none or out of range.
std::optional<double> parseDouble(std::string_view text);

// The leading decimal digits of a finite number: |value| = 0.d1d2d3... × 10^point.
// Zero is "0" with point 1.
struct Digits {
    bool negative = false;
    std::string digits;
    int point = 1;

    // The exponent of the first digit in scientific notation (d1.d2d3... × 10^scientificExponent).
    int scientificExponent() const { return point - 1; }
    bool isZero() const;
};

// The first `significant` digits (>= 1), correctly rounded, ties to even on the exact
// binary value, as printf rounds. Platform independent: derived from the exact value.
Digits toDigits(double value, int significant);
Digits toDigits(const Extended &value, int significant);

// Every digit of the exact value of a finite number (a double has at most 767 of them), for
// roundings that must see exact halves.
Digits exactDigits(double value);
Digits exactDigits(const Extended &value);

// Keeps `keep` leading digits, rounding the rest half away from zero; nothing is left when
// keep < 0, and keep == 0 leaves "1" one place up when the first digit is 5 or more.
void roundHalfAway(Digits &d, int keep);

// Drops trailing zeros (keeping one digit).
void trimZeros(Digits &d);

// The digits as fixed notation with exactly `decimals` places ("0.50", "1024", "-3.3").
std::string fixedNotation(const Digits &d, int decimals, char point = '.');

} // namespace mhbk::numbers
