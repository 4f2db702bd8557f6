#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace mhbk::numbers::detail {

// A non-negative integer of any size, just enough arithmetic for exact binary <-> decimal
// conversion: the exact value of a binary fraction m * 2^e is an integer times a power of ten.
class BigUnsigned {
public:
    BigUnsigned() = default;
    explicit BigUnsigned(std::uint64_t value);

    // From decimal digits ('0'..'9' only).
    static BigUnsigned fromDigits(const std::string &digits);

    bool isZero() const { return limbs_.empty(); }
    int bitLength() const;
    bool bit(int index) const;

    void multiplySmall(std::uint32_t factor);
    void multiplyByPowerOf5(int exponent);
    void multiplyByPowerOf10(int exponent);
    void shiftLeft(int bits);
    void subtract(const BigUnsigned &smaller); // requires *this >= smaller
    int compare(const BigUnsigned &other) const;

    // The decimal digits, without leading zeros ("0" for zero).
    std::string toDigits() const;

private:
    void trim();
    std::uint32_t divideSmall(std::uint32_t divisor); // returns the remainder

    std::vector<std::uint32_t> limbs_; // least significant first, no leading zero limbs
};

} // namespace mhbk::numbers::detail
