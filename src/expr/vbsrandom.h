#pragma once

#include <cstdint>
#include <functional>

namespace mhbk::vbs {

// The sequence behind Rnd and Randomize: a 24-bit linear congruential generator, so that
// a seed gives the same numbers here as in any VBScript host.
class RandomGenerator {
public:
    // Rnd and Rnd(positive): the next number of the sequence, in [0, 1).
    float next();
    // Rnd(0): the number last returned again.
    float last() const;
    // Rnd(negative): a seed made from the argument alone, so the same argument always gives
    // the same number, followed by the next number.
    float restartFrom(float seed);
    // Randomize seed: mixes the seed into the middle of the state; the outer bits stay.
    void randomize(double seed);

private:
    std::uint32_t state_ = 0x50000;
};

// What an evaluator keeps from one expression to the next.
struct Session {
    RandomGenerator random;
    // Seconds since midnight: the seed of Randomize without an argument.
    std::function<double()> clock = secondsSinceMidnight;

    static double secondsSinceMidnight();
};

} // namespace mhbk::vbs
