#include "numbers/bignum.h"

#include <algorithm>
#include <bit>

namespace mhbk::numbers::detail {

BigUnsigned::BigUnsigned(std::uint64_t value)
{
    while (value != 0) {
        limbs_.push_back(static_cast<std::uint32_t>(value));
        value >>= 32;
    }
}

BigUnsigned BigUnsigned::fromDigits(const std::string &digits)
{
    BigUnsigned n;
    std::size_t i = 0;
    // Nine digits at a time: 10^9 still fits a limb.
    while (i < digits.size()) {
        const std::size_t take = std::min<std::size_t>(9, digits.size() - i);
        std::uint32_t chunk = 0;
        std::uint32_t scale = 1;
        for (std::size_t k = 0; k < take; ++k) {
            chunk = chunk * 10 + static_cast<std::uint32_t>(digits[i + k] - '0');
            scale *= 10;
        }
        n.multiplySmall(scale);
        // n += chunk
        std::uint64_t carry = chunk;
        for (std::size_t k = 0; carry != 0; ++k) {
            if (k == n.limbs_.size())
                n.limbs_.push_back(0);
            const std::uint64_t sum = std::uint64_t{n.limbs_[k]} + carry;
            n.limbs_[k] = static_cast<std::uint32_t>(sum);
            carry = sum >> 32;
        }
        i += take;
    }
    return n;
}

int BigUnsigned::bitLength() const
{
    if (limbs_.empty())
        return 0;
    return static_cast<int>(32 * (limbs_.size() - 1)) + std::bit_width(limbs_.back());
}

bool BigUnsigned::bit(int index) const
{
    const auto limb = static_cast<std::size_t>(index / 32);
    return limb < limbs_.size() && ((limbs_[limb] >> (index % 32)) & 1u) != 0;
}

void BigUnsigned::multiplySmall(std::uint32_t factor)
{
    std::uint64_t carry = 0;
    for (std::uint32_t &limb : limbs_) {
        const std::uint64_t product = std::uint64_t{limb} * factor + carry;
        limb = static_cast<std::uint32_t>(product);
        carry = product >> 32;
    }
    if (carry != 0)
        limbs_.push_back(static_cast<std::uint32_t>(carry));
    trim();
}

void BigUnsigned::multiplyByPowerOf5(int exponent)
{
    constexpr std::uint32_t kFivePow13 = 1220703125u;
    for (; exponent >= 13; exponent -= 13)
        multiplySmall(kFivePow13);
    std::uint32_t rest = 1;
    for (; exponent > 0; --exponent)
        rest *= 5;
    multiplySmall(rest);
}

void BigUnsigned::multiplyByPowerOf10(int exponent)
{
    multiplyByPowerOf5(exponent);
    shiftLeft(exponent);
}

void BigUnsigned::shiftLeft(int bits)
{
    if (limbs_.empty() || bits <= 0)
        return;
    const auto whole = static_cast<std::size_t>(bits / 32);
    const int part = bits % 32;
    if (part != 0) {
        std::uint32_t carry = 0;
        for (std::uint32_t &limb : limbs_) {
            const std::uint32_t next = limb >> (32 - part);
            limb = (limb << part) | carry;
            carry = next;
        }
        if (carry != 0)
            limbs_.push_back(carry);
    }
    limbs_.insert(limbs_.begin(), whole, 0u);
}

void BigUnsigned::subtract(const BigUnsigned &smaller)
{
    std::int64_t borrow = 0;
    for (std::size_t i = 0; i < limbs_.size(); ++i) {
        std::int64_t diff = std::int64_t{limbs_[i]} - borrow - (i < smaller.limbs_.size() ? smaller.limbs_[i] : 0);
        borrow = diff < 0 ? 1 : 0;
        if (diff < 0)
            diff += std::int64_t{1} << 32;
        limbs_[i] = static_cast<std::uint32_t>(diff);
    }
    trim();
}

int BigUnsigned::compare(const BigUnsigned &other) const
{
    if (limbs_.size() != other.limbs_.size())
        return limbs_.size() < other.limbs_.size() ? -1 : 1;
    for (std::size_t i = limbs_.size(); i-- > 0;) {
        if (limbs_[i] != other.limbs_[i])
            return limbs_[i] < other.limbs_[i] ? -1 : 1;
    }
    return 0;
}

std::uint32_t BigUnsigned::divideSmall(std::uint32_t divisor)
{
    std::uint64_t remainder = 0;
    for (std::size_t i = limbs_.size(); i-- > 0;) {
        const std::uint64_t current = (remainder << 32) | limbs_[i];
        limbs_[i] = static_cast<std::uint32_t>(current / divisor);
        remainder = current % divisor;
    }
    trim();
    return static_cast<std::uint32_t>(remainder);
}

std::string BigUnsigned::toDigits() const
{
    if (limbs_.empty())
        return "0";
    BigUnsigned n = *this;
    std::vector<std::uint32_t> chunks; // base 10^9, least significant first
    while (!n.isZero())
        chunks.push_back(n.divideSmall(1000000000u));
    std::string text = std::to_string(chunks.back());
    for (std::size_t i = chunks.size() - 1; i-- > 0;) {
        const std::string chunk = std::to_string(chunks[i]);
        text.append(9 - chunk.size(), '0');
        text += chunk;
    }
    return text;
}

void BigUnsigned::trim()
{
    while (!limbs_.empty() && limbs_.back() == 0)
        limbs_.pop_back();
}

} // namespace mhbk::numbers::detail
