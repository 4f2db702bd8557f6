// The calculators' number format: the figures the x87 extended format gives, on any processor.
#include "numbers/decimal.h"
#include "numbers/extended.h"
#include "numbers/format.h"
#include "sections/weightformulas.h"

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <gtest/gtest.h>
#include <random>
#include <string>

namespace {

using mhbk::numbers::Extended;

Extended typed(const char *text) { return *Extended::fromDecimal(*mhbk::numbers::scanDecimal(text)); }

std::string shown(const Extended &value) { return mhbk::numbers::generalText(value); }

// Inputs whose exact product ends in a 5 just after the 15th digit: which way the shown figure
// goes is decided by the binary rounding of each step, so neither exact decimal arithmetic nor
// double reproduces all of them. These are the digits the x87 format gives.
TEST(WeightFormulas, ExactDecimalTiesGoWhereTheBinaryStepsTakeThem)
{
    const std::pair<const char *, const char *> roundBars[] = {
        {"40.275", "10.0007288376188"}, {"40.285", "10.0056956758028"}, {"40.295", "10.0106637470647"},
        {"40.305", "10.0156330514047"}, {"40.315", "10.0206035888228"}, {"40.325", "10.0255753593187"},
        {"40.335", "10.0305483628927"}, {"40.345", "10.0355225995448"},
    };
    for (const auto &[d, expected] : roundBars)
        EXPECT_EQ(shown(mhbk::weights::roundBar(typed(d))), expected) << d;
}

TEST(WeightFormulas, FifteenthDigitOfTheExtendedFormatNotOfDouble)
{
    struct Case {
        const char *outer, *wall, *expected;
    };
    const Case pipes[] = {
        {"104.201", "100.962", "8.06472268271208"}, // double: ...206
        {"166.279", "149.828", "60.7863168743477"}, // double: ...476
        {"13.556", "13.256", "0.098074091808"},     // double: 0.0980740918079996
        {"70.664", "68.704", "3.3209217237504"},    // double: ...041
        {"133.279", "132.825", "1.487154954978"},   // double: ...802
        {"17.899", "17.752", "0.06435542592864"},
    };
    for (const Case &c : pipes)
        EXPECT_EQ(shown(mhbk::weights::pipe(typed(c.outer), typed(c.wall))), c.expected) << c.outer << " " << c.wall;
    EXPECT_EQ(shown(mhbk::weights::roundBar(typed("70.972"))), "31.0552222330258");
    // The plate area is held as a double; the weight per m² then multiplies in the extended format.
    const double area = mhbk::weights::plateArea(typed("1234.5"), typed("2345.6"));
    EXPECT_EQ(area, 2.8956431999999999);
    EXPECT_EQ(shown(typed("25.6") * Extended(area)), "74.12846592");
}

TEST(Extended, SignificandsOfKnownQuotients)
{
    struct Case {
        Extended value;
        std::uint64_t significand;
        int exponent;
    };
    const Case cases[] = {
        {Extended(1) / Extended(3), 0xAAAAAAAAAAAAAAABull, -2},
        {Extended(2) / Extended(3), 0xAAAAAAAAAAAAAAABull, -1},
        {typed("0.1"), 0xCCCCCCCCCCCCCCCDull, -4},
        {Extended(1) / Extended(10), 0xCCCCCCCCCCCCCCCDull, -4},
        {typed("7.85"), (Extended(785) / Extended(100)).significand(), 2},
        {Extended(0.1), 0xCCCCCCCCCCCCD000ull, -4}, // the double, exactly
    };
    for (const Case &c : cases) {
        EXPECT_EQ(c.value.significand(), c.significand);
        EXPECT_EQ(c.value.exponent(), c.exponent);
    }
}

TEST(Extended, RoundsTiesToEvenAndKeepsStickyBits)
{
    const Extended one(1);
    const Extended halfUlp = Extended(std::ldexp(1.0, -64));     // half a unit in the last place of 1
    const Extended quarterUlp = Extended(std::ldexp(1.0, -65));
    EXPECT_EQ(one + halfUlp, one) << "tie goes to the even significand";
    EXPECT_EQ(one + halfUlp + halfUlp, one) << "each step is a tie again";
    EXPECT_EQ((one + (halfUlp + halfUlp)).significand(), 0x8000000000000001ull);
    EXPECT_EQ((one + (halfUlp + quarterUlp)).significand(), 0x8000000000000001ull) << "more than half rounds up";
    EXPECT_EQ(one - quarterUlp, one) << "below 1 the spacing halves: a tie between 1 and 1 - 2^-64, 1 is even";
    EXPECT_EQ(one - Extended(std::ldexp(1.0, -100)), one) << "far below the last place: only a sticky bit";
    EXPECT_EQ((one - halfUlp).significand(), 0xFFFFFFFFFFFFFFFFull) << "exact below 1";
    EXPECT_TRUE((Extended(5) - Extended(5)).isZero());
    EXPECT_FALSE((Extended(5) - Extended(5)).isNegative());
}

TEST(Extended, SpecialValuesAndOrder)
{
    const Extended zero;
    const Extended inf = Extended(1) / zero;
    EXPECT_TRUE(inf.isInfinite());
    EXPECT_FALSE(inf.isNegative());
    EXPECT_TRUE((zero / zero).isNan());
    EXPECT_TRUE((inf - inf).isNan());
    EXPECT_TRUE((inf * zero).isNan());
    EXPECT_FALSE(Extended::nan() == Extended::nan());
    EXPECT_TRUE(Extended(-2) < Extended(-1));
    EXPECT_TRUE(Extended(-1) < zero);
    EXPECT_TRUE(zero < Extended(0.5));
    EXPECT_TRUE(Extended(0.5) < inf);
    EXPECT_TRUE(Extended(0.0) == Extended(-0.0));
    EXPECT_EQ(shown(inf), "INF");
    EXPECT_EQ(shown(-inf), "-INF");
    EXPECT_EQ(shown(Extended::nan()), "NAN");
    // Beyond the format's range a typed number is no number, as the C library says out of range.
    EXPECT_FALSE(Extended::fromDecimal("1", 4933));
    EXPECT_TRUE(Extended::fromDecimal("1", 4931));
    EXPECT_FALSE(Extended::fromDecimal("1", -4940));
    EXPECT_TRUE(Extended::fromDecimal("0", -99999)->isZero());
}

TEST(Extended, ToDoubleRoundsTiesToEven)
{
    EXPECT_EQ((Extended(1) / Extended(3)).toDouble(), 1.0 / 3);
    EXPECT_EQ(typed("0.1").toDouble(), 0.1);
    const Extended tie = Extended(1) + Extended(std::ldexp(1.0, -53)); // halfway between 1 and next double
    EXPECT_EQ(tie.toDouble(), 1.0);
    const Extended tieUp = Extended(1.0 + std::ldexp(1.0, -52)) + Extended(std::ldexp(1.0, -53));
    EXPECT_EQ(tieUp.toDouble(), 1.0 + std::ldexp(1.0, -51));
    EXPECT_EQ((-typed("2.5")).toDouble(), -2.5);
}

#if LDBL_MANT_DIG == 64
constexpr bool kNativeExtended = true;
#else
constexpr bool kNativeExtended = false;
#endif

// Where the compiler's long double is the x87 format itself, every operation and conversion is
// compared with the hardware's on many random operands.
class AgainstNativeExtended : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!kNativeExtended)
            GTEST_SKIP() << "long double is not the x87 extended format here";
    }

    static long double native(const Extended &x)
    {
        if (x.isZero())
            return x.isNegative() ? -0.0L : 0.0L;
        const long double m = std::ldexp(static_cast<long double>(x.significand()), x.exponent() - 63);
        return x.isNegative() ? -m : m;
    }

    Extended random()
    {
        const std::uint64_t significand = rng_() | (std::uint64_t{1} << 63);
        const int exponent = static_cast<int>(rng_() % 80) - 40;
        const char *sign = (rng_() & 1) != 0 ? "-" : "";
        // Through the decimal digits of the exact value, which also exercises fromDecimal.
        char text[64];
        std::snprintf(text, sizeof text, "%s%llu", sign, static_cast<unsigned long long>(significand));
        return *Extended::fromDecimal(*mhbk::numbers::scanDecimal(text)) *
               Extended(std::ldexp(1.0, exponent));
    }

    std::mt19937_64 rng_{20261207};
};

TEST_F(AgainstNativeExtended, Arithmetic)
{
    for (int i = 0; i < 20000; ++i) {
        const Extended a = random();
        const Extended b = (i % 3 == 0) ? a * Extended(1.0 + std::ldexp(1.0, -40)) : random(); // near cancellation too
        ASSERT_EQ(native(a + b), native(a) + native(b)) << i;
        ASSERT_EQ(native(a - b), native(a) - native(b)) << i;
        ASSERT_EQ(native(a * b), native(a) * native(b)) << i;
        ASSERT_EQ(native(a / b), native(a) / native(b)) << i;
        ASSERT_EQ((a / b).toDouble(), static_cast<double>(native(a) / native(b))) << i;
    }
}

TEST_F(AgainstNativeExtended, DecimalConversions)
{
    for (int i = 0; i < 5000; ++i) {
        char text[64];
        std::snprintf(text, sizeof text, "%llu.%llue%d", static_cast<unsigned long long>(rng_() % 1000000007ull),
                      static_cast<unsigned long long>(rng_()), static_cast<int>(rng_() % 60) - 30);
        const Extended x = typed(text);
        ASSERT_EQ(native(x), std::strtold(text, nullptr)) << text;
        for (int significant : {15, 18, 21}) {
            char expected[96];
            std::snprintf(expected, sizeof expected, "%.*Le", significant - 1, native(x));
            const mhbk::numbers::Digits d = mhbk::numbers::toDigits(x, significant);
            std::string mine = d.digits.substr(0, 1) + "." + d.digits.substr(1);
            char exponent[16];
            std::snprintf(exponent, sizeof exponent, "e%+03d", d.point - 1);
            ASSERT_EQ(mine + exponent, expected) << text;
        }
    }
}

} // namespace
