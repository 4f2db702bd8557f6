#include "expr/vbsrandom.h"

#include <QTime>
#include <bit>

namespace mhbk::vbs {

namespace {

constexpr std::uint32_t kMask = 0xFFFFFF; // 24 bits
constexpr float kScale = 16777216.0f;     // 2^24

std::uint32_t step(std::uint32_t state)
{
    return (state * 1140671485u + 12820163u) & kMask;
}

} // namespace

float RandomGenerator::next()
{
    state_ = step(state_);
    return last();
}

float RandomGenerator::last() const
{
    return static_cast<float>(state_) / kScale;
}

float RandomGenerator::restartFrom(float seed)
{
    const std::uint32_t bits = std::bit_cast<std::uint32_t>(seed);
    state_ = (bits + (bits >> 24)) & kMask;
    return next();
}

void RandomGenerator::randomize(double seed)
{
    const auto high = static_cast<std::uint32_t>(std::bit_cast<std::uint64_t>(seed) >> 32);
    const std::uint32_t mixed = ((high & 0xFFFF) ^ (high >> 16)) << 8;
    state_ = (state_ & 0xFF0000FFu) | (mixed & 0x00FFFF00u);
}

double Session::secondsSinceMidnight()
{
    return QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
}

} // namespace mhbk::vbs
