#include "numbers/extended.h"

#include "numbers/bignum.h"
#include "numbers/decimal.h"

#include <bit>
#include <cmath>
#include <cstring>

namespace mhbk::numbers {

namespace {

using u128 = unsigned __int128;

constexpr int kMaxExponent = 16383;
constexpr int kMinExponent = -16382;

int bitWidth(u128 value)
{
    const auto high = static_cast<std::uint64_t>(value >> 64);
    return high != 0 ? 64 + std::bit_width(high) : std::bit_width(static_cast<std::uint64_t>(value));
}

} // namespace

Extended::Extended(int value)
{
    if (value == 0)
        return;
    const bool negative = value < 0;
    const std::uint64_t magnitude = negative ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    *this = rounded(negative, magnitude, 0, false);
}

Extended::Extended(double value)
{
    negative_ = std::signbit(value);
    if (std::isnan(value)) {
        kind_ = Kind::Nan;
        negative_ = false;
        return;
    }
    if (std::isinf(value)) {
        kind_ = Kind::Infinite;
        return;
    }
    if (value == 0.0)
        return;
    int exponent = 0;
    const double fraction = std::frexp(std::fabs(value), &exponent); // [0.5, 1)
    const auto mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, 64));
    *this = rounded(negative_, mantissa, exponent - 64, false);
}

Extended Extended::infinity(bool negative)
{
    Extended x;
    x.kind_ = Kind::Infinite;
    x.negative_ = negative;
    return x;
}

Extended Extended::nan()
{
    Extended x;
    x.kind_ = Kind::Nan;
    return x;
}

Extended Extended::normal(bool negative, int exponent, std::uint64_t significand)
{
    if (exponent > kMaxExponent)
        return infinity(negative);
    Extended x;
    if (exponent < kMinExponent)
        return x;
    x.kind_ = Kind::Normal;
    x.negative_ = negative;
    x.exponent_ = exponent;
    x.significand_ = significand;
    return x;
}

Extended Extended::rounded(bool negative, u128 magnitude, int scale, bool sticky)
{
    const int width = bitWidth(magnitude);
    if (width <= 64) {
        const int shift = 64 - width;
        return normal(negative, scale - shift + 63, static_cast<std::uint64_t>(magnitude << shift));
    }
    const int shift = width - 64;
    auto kept = static_cast<std::uint64_t>(magnitude >> shift);
    const u128 rest = magnitude & ((u128{1} << shift) - 1);
    const u128 half = u128{1} << (shift - 1);
    const bool up = rest > half || (rest == half && (sticky || (kept & 1) != 0));
    int exponent = scale + shift + 63;
    if (up && ++kept == 0) {
        kept = std::uint64_t{1} << 63;
        ++exponent;
    }
    return normal(negative, exponent, kept);
}

Extended Extended::addMagnitudes(const Extended &a, const Extended &b, bool subtract)
{
    // a has the larger magnitude. Both significands get 62 low bits of room, so that what a
    // large exponent difference shifts out of b survives as a sticky bit far below the
    // rounding position.
    const int difference = a.exponent_ - b.exponent_;
    const u128 big = u128{a.significand_} << 62;
    u128 small = u128{b.significand_} << 62;
    if (difference >= 126) {
        small = 1;
    } else if (difference > 0) {
        const bool lost = (small & ((u128{1} << difference) - 1)) != 0;
        small = (small >> difference) | (lost ? 1 : 0);
    }
    const u128 sum = subtract ? big - small : big + small;
    if (sum == 0)
        return Extended();
    return rounded(a.negative_, sum, a.exponent_ - 63 - 62, false);
}

Extended operator+(const Extended &a, const Extended &b)
{
    using Kind = Extended::Kind;
    if (a.kind_ == Kind::Nan || b.kind_ == Kind::Nan)
        return Extended::nan();
    if (a.kind_ == Kind::Infinite || b.kind_ == Kind::Infinite) {
        if (a.kind_ == Kind::Infinite && b.kind_ == Kind::Infinite && a.negative_ != b.negative_)
            return Extended::nan();
        return a.kind_ == Kind::Infinite ? a : b;
    }
    if (a.kind_ == Kind::Zero) {
        if (b.kind_ == Kind::Zero) {
            Extended zero;
            zero.negative_ = a.negative_ && b.negative_;
            return zero;
        }
        return b;
    }
    if (b.kind_ == Kind::Zero)
        return a;
    const bool aLarger = a.exponent_ != b.exponent_ ? a.exponent_ > b.exponent_ : a.significand_ >= b.significand_;
    const bool subtract = a.negative_ != b.negative_;
    return aLarger ? Extended::addMagnitudes(a, b, subtract) : Extended::addMagnitudes(b, a, subtract);
}

Extended Extended::operator-() const
{
    Extended x = *this;
    if (x.kind_ != Kind::Nan)
        x.negative_ = !x.negative_;
    return x;
}

Extended operator-(const Extended &a, const Extended &b) { return a + -b; }

Extended operator*(const Extended &a, const Extended &b)
{
    using Kind = Extended::Kind;
    const bool negative = a.negative_ != b.negative_;
    if (a.kind_ == Kind::Nan || b.kind_ == Kind::Nan)
        return Extended::nan();
    if (a.kind_ == Kind::Infinite || b.kind_ == Kind::Infinite) {
        if (a.kind_ == Kind::Zero || b.kind_ == Kind::Zero)
            return Extended::nan();
        return Extended::infinity(negative);
    }
    if (a.kind_ == Kind::Zero || b.kind_ == Kind::Zero) {
        Extended zero;
        zero.negative_ = negative;
        return zero;
    }
    const u128 product = u128{a.significand_} * b.significand_;
    return Extended::rounded(negative, product, (a.exponent_ - 63) + (b.exponent_ - 63), false);
}

Extended operator/(const Extended &a, const Extended &b)
{
    using Kind = Extended::Kind;
    const bool negative = a.negative_ != b.negative_;
    if (a.kind_ == Kind::Nan || b.kind_ == Kind::Nan)
        return Extended::nan();
    if (a.kind_ == Kind::Infinite)
        return b.kind_ == Kind::Infinite ? Extended::nan() : Extended::infinity(negative);
    if (b.kind_ == Kind::Zero)
        return a.kind_ == Kind::Zero ? Extended::nan() : Extended::infinity(negative);
    if (a.kind_ == Kind::Zero || b.kind_ == Kind::Infinite) {
        Extended zero;
        zero.negative_ = negative;
        return zero;
    }
    const u128 dividend = u128{a.significand_} << 64;
    u128 quotient = dividend / b.significand_;
    u128 remainder = dividend % b.significand_;
    int scale = a.exponent_ - b.exponent_ - 64;
    if ((quotient >> 64) == 0) {
        // 64 quotient bits only: one more for the rounding decision.
        remainder <<= 1;
        quotient <<= 1;
        if (remainder >= b.significand_) {
            remainder -= b.significand_;
            quotient |= 1;
        }
        --scale;
    }
    return Extended::rounded(negative, quotient, scale, remainder != 0);
}

bool operator==(const Extended &a, const Extended &b)
{
    using Kind = Extended::Kind;
    if (a.kind_ == Kind::Nan || b.kind_ == Kind::Nan)
        return false;
    if (a.kind_ == Kind::Zero && b.kind_ == Kind::Zero)
        return true;
    return a.kind_ == b.kind_ && a.negative_ == b.negative_ && a.exponent_ == b.exponent_ &&
           a.significand_ == b.significand_;
}

bool operator<(const Extended &a, const Extended &b)
{
    using Kind = Extended::Kind;
    if (a.kind_ == Kind::Nan || b.kind_ == Kind::Nan || a == b)
        return false;
    const auto sign = [](const Extended &x) { return x.kind_ == Kind::Zero ? 0 : (x.negative_ ? -1 : 1); };
    if (sign(a) != sign(b))
        return sign(a) < sign(b);
    // Same sign, both nonzero and different.
    const bool magnitudeLess = a.kind_ != b.kind_ ? b.kind_ == Kind::Infinite
                               : a.exponent_ != b.exponent_ ? a.exponent_ < b.exponent_
                                                             : a.significand_ < b.significand_;
    return a.negative_ ? !magnitudeLess : magnitudeLess;
}

double Extended::toDouble() const
{
    switch (kind_) {
    case Kind::Nan: return std::nan("");
    case Kind::Infinite: return negative_ ? -HUGE_VAL : HUGE_VAL;
    case Kind::Zero: return negative_ ? -0.0 : 0.0;
    case Kind::Normal: break;
    }
    // 53 of the 64 bits, ties to even.
    std::uint64_t kept = significand_ >> 11;
    const std::uint64_t rest = significand_ & 0x7FF;
    if (rest > 0x400 || (rest == 0x400 && (kept & 1) != 0))
        ++kept;
    const double magnitude = std::ldexp(static_cast<double>(kept), exponent_ - 52);
    return negative_ ? -magnitude : magnitude;
}

std::optional<Extended> Extended::fromDecimal(const DecimalText &text)
{
    return fromDecimal(text.digits, text.exponent, text.negative);
}

std::optional<Extended> Extended::fromDecimal(const std::string &digits, int exponent, bool negative)
{
    // Leading and trailing zeros carry nothing; they only make the integers larger.
    const std::size_t first = digits.find_first_not_of('0');
    if (first == std::string::npos) {
        Extended zero;
        zero.negative_ = negative;
        return zero;
    }
    const std::size_t last = digits.find_last_not_of('0');
    const std::string significant = digits.substr(first, last - first + 1);
    exponent += static_cast<int>(digits.size() - 1 - last);
    // The largest finite value is about 1.19E4932, the smallest normal 3.36E-4932.
    const long leading = static_cast<long>(exponent) + static_cast<long>(significant.size()) - 1;
    if (leading > 4933 || leading < -4934)
        return std::nullopt;

    // value = numerator / denominator exactly; the quotient is scaled to 65..66 bits so that
    // its last bit and the remainder decide the rounding.
    detail::BigUnsigned numerator = detail::BigUnsigned::fromDigits(significant);
    detail::BigUnsigned denominator(1);
    if (exponent >= 0)
        numerator.multiplyByPowerOf10(exponent);
    else
        denominator.multiplyByPowerOf10(-exponent);
    const int shift = 65 - (numerator.bitLength() - denominator.bitLength());
    if (shift >= 0)
        numerator.shiftLeft(shift);
    else
        denominator.shiftLeft(-shift);
    u128 quotient = 0;
    for (int bit = 66; bit >= 0; --bit) {
        detail::BigUnsigned step = denominator;
        step.shiftLeft(bit);
        if (numerator.compare(step) >= 0) {
            numerator.subtract(step);
            quotient |= u128{1} << bit;
        }
    }
    const Extended x = rounded(negative, quotient, -shift, !numerator.isZero());
    if (!x.isFinite() || x.isZero())
        return std::nullopt;
    return x;
}

} // namespace mhbk::numbers
