#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace mhbk::numbers {

struct DecimalText;

// A binary floating-point number with a 64-bit significand and a 15-bit exponent, every
// operation rounded to nearest, ties to even: the arithmetic of the x87 extended format, done
// in software so that the calculators' 15th digit is the same on every processor whatever the
// compiler's long double is. Results that fall below the smallest normal number become zero
// (the calculators never come near it); results above the largest become infinite.
class Extended {
public:
    Extended() = default;
    Extended(int value);    // NOLINT(google-explicit-constructor): exact, like a literal
    Extended(double value); // NOLINT(google-explicit-constructor): exact

    // digits × 10^exponent, correctly rounded; digits are '0'..'9'. Nothing when the value
    // is beyond the format's range (too large, or nonzero and below the smallest normal).
    static std::optional<Extended> fromDecimal(const std::string &digits, int exponent, bool negative = false);
    static std::optional<Extended> fromDecimal(const DecimalText &text);

    static Extended infinity(bool negative = false);
    static Extended nan();

    bool isZero() const { return kind_ == Kind::Zero; }
    bool isNan() const { return kind_ == Kind::Nan; }
    bool isInfinite() const { return kind_ == Kind::Infinite; }
    bool isFinite() const { return kind_ == Kind::Zero || kind_ == Kind::Normal; }
    bool isNegative() const { return negative_; }

    // The nearest double (ties to even), as a cast from the x87 format gives it.
    double toDouble() const;

    // The exact value as significand × 2^(exponent - 63), significand's top bit set.
    std::uint64_t significand() const { return significand_; }
    int exponent() const { return exponent_; }

    friend Extended operator+(const Extended &a, const Extended &b);
    friend Extended operator-(const Extended &a, const Extended &b);
    friend Extended operator*(const Extended &a, const Extended &b);
    friend Extended operator/(const Extended &a, const Extended &b);
    Extended operator-() const;
    Extended &operator+=(const Extended &b) { return *this = *this + b; }
    Extended &operator-=(const Extended &b) { return *this = *this - b; }
    Extended &operator*=(const Extended &b) { return *this = *this * b; }
    Extended &operator/=(const Extended &b) { return *this = *this / b; }

    friend bool operator==(const Extended &a, const Extended &b);
    friend bool operator<(const Extended &a, const Extended &b);
    friend bool operator>(const Extended &a, const Extended &b) { return b < a; }
    friend bool operator<=(const Extended &a, const Extended &b) { return !(b < a) && !a.isNan() && !b.isNan(); }
    friend bool operator>=(const Extended &a, const Extended &b) { return b <= a; }

private:
    enum class Kind : std::uint8_t { Zero, Normal, Infinite, Nan };

    static Extended normal(bool negative, int exponent, std::uint64_t significand);
    // Rounds magnitude × 2^scale (magnitude != 0) to the format; `sticky` says the exact value
    // is a little more than magnitude × 2^scale (only below the magnitude's last bit).
    static Extended rounded(bool negative, unsigned __int128 magnitude, int scale, bool sticky);
    static Extended addMagnitudes(const Extended &a, const Extended &b, bool subtract);

    Kind kind_ = Kind::Zero;
    bool negative_ = false;
    int exponent_ = 0;
    std::uint64_t significand_ = 0;
};

} // namespace mhbk::numbers
