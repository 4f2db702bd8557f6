#include "numbers/format.h"

#include "numbers/decimal.h"

#include <algorithm>
#include <cstdlib>

namespace mhbk::numbers {

namespace {

std::string specialText(const Extended &value)
{
    if (value.isNan())
        return "NAN";
    return value.isNegative() ? "-INF" : "INF";
}

// -d.ddd: the sign and the digits as they are (no trailing-zero handling here). Built by
// appending: GCC 12 at -O3 takes "-" + std::string for an overlapping copy (-Wrestrict).
std::string mantissa(const Digits &d)
{
    std::string text = d.negative ? "-" : "";
    text.push_back(d.digits[0]);
    if (d.digits.size() > 1) {
        text.push_back('.');
        text.append(d.digits, 1, std::string::npos);
    }
    return text;
}

int placesAfterPoint(const Digits &d) { return std::max(0, static_cast<int>(d.digits.size()) - d.point); }

} // namespace

std::string exponentText(int exponent, int minDigits)
{
    std::string digits = std::to_string(std::abs(exponent));
    if (static_cast<int>(digits.size()) < minDigits)
        digits.insert(0, static_cast<std::size_t>(minDigits) - digits.size(), '0');
    return (exponent < 0 ? "E-" : "E+") + digits;
}

std::string generalText(const Extended &value)
{
    if (!value.isFinite())
        return specialText(value);
    if (value.isZero())
        return "0";
    Digits d = toDigits(value, 15);
    trimZeros(d);
    // The notation is chosen on the rounded value: 999999999999999.9 becomes 1E15.
    const int exponent = d.scientificExponent();
    if (exponent >= -4 && exponent < 15)
        return fixedNotation(d, placesAfterPoint(d));
    std::string text = mantissa(d);
    text += 'E';
    text += std::to_string(exponent);
    return text;
}

std::string fixedFromFifteenDigits(double value, int decimals)
{
    const Extended x(value);
    if (!x.isFinite())
        return specialText(x);
    Digits d = toDigits(value, 15);
    roundHalfAway(d, d.point + decimals);
    return fixedNotation(d, decimals);
}

std::string fixedText(double value, int decimals)
{
    const Extended x(value);
    if (!x.isFinite())
        return specialText(x);
    Digits d = exactDigits(value);
    roundHalfAway(d, d.point + decimals);
    return fixedNotation(d, decimals);
}

Extended roundToDecimals(double value, int digits)
{
    constexpr int kSignificant = 18;
    if (value == 0.0 || !Extended(value).isFinite())
        return value == 0.0 ? Extended() : Extended(value);
    Digits d = toDigits(value, kSignificant);
    const int keep = d.point > kSignificant ? kSignificant : std::min(kSignificant, d.point + std::max(digits, 0));
    roundHalfAway(d, keep);
    if (d.digits.empty() || d.isZero())
        return Extended();
    const int exponent = d.point - static_cast<int>(d.digits.size());
    return *Extended::fromDecimal(d.digits, exponent, d.negative); // within range: it came from a double
}

std::string resultText(const Extended &value, int digits, const std::string &decimalPoint)
{
    const int decimals = std::max(digits, 1);
    if (!value.isFinite())
        return specialText(value);
    const Extended magnitude = value.isNegative() ? -value : value;
    if (magnitude >= Extended(1e18)) {
        Digits d = toDigits(value, 15);
        trimZeros(d);
        return mantissa(d) + 'E' + std::to_string(d.scientificExponent());
    }
    Digits d = value.isZero() ? Digits{false, "0", 1} : toDigits(value, 18);
    roundHalfAway(d, d.point + decimals);
    std::string text = fixedNotation(d, decimals);
    const std::size_t point = text.find('.');
    text.replace(point, 1, decimalPoint);
    return text;
}

std::string compactText(double value, int significant)
{
    const Extended x(value);
    if (!x.isFinite())
        return x.isNan() ? "nan" : (x.isNegative() ? "-inf" : "inf");
    if (value == 0.0)
        return "0";
    Digits d = exactDigits(value);
    roundHalfAway(d, significant);
    trimZeros(d);
    const int exponent = d.scientificExponent();
    if (exponent >= -4 && exponent < significant)
        return fixedNotation(d, placesAfterPoint(d));
    std::string text = exponentText(exponent);
    text[0] = 'e';
    return mantissa(d) + text;
}

std::string scriptText(double value, int significant)
{
    if (value == 0.0)
        return "0";
    Digits d = toDigits(value, significant);
    trimZeros(d);
    const int exponent = d.scientificExponent();
    if (exponent >= significant || exponent < -4)
        return mantissa(d) + exponentText(exponent);
    return fixedNotation(d, placesAfterPoint(d));
}

} // namespace mhbk::numbers
