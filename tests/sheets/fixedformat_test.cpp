#include "numbers/numtext.h"

#include <gtest/gtest.h>

namespace {

using mhbk::formatFixed;

struct FormatCase {
    double value;
    int decimals;
    const char *expected;
};

class FixedFormat : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FixedFormat, MatchesTheMask)
{
    const FormatCase &c = GetParam();
    EXPECT_EQ(formatFixed(c.value, c.decimals).toStdString(), c.expected) << c.value;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FixedFormat,
    ::testing::Values(
        // Plain rounding and padding.
        FormatCase{0, 4, "0.0000"}, FormatCase{0.044, 4, "0.0440"}, FormatCase{14 * 3.1415926 / 1000, 4, "0.0440"},
        FormatCase{1.7601, 4, "1.7601"}, FormatCase{123456.789, 4, "123456.7890"}, FormatCase{12.5, 0, "13"},
        // Decimal ties stored a little below the tie in binary still round up.
        FormatCase{1.005, 2, "1.01"}, FormatCase{2.675, 2, "2.68"}, FormatCase{0.12345, 4, "0.1235"},
        FormatCase{0.000125, 5, "0.00013"}, FormatCase{1.00005, 4, "1.0001"}, FormatCase{0.00225 * 10, 4, "0.0225"},
        // Just below a tie stays down; carries ripple through nines.
        FormatCase{0.000124999, 5, "0.00012"}, FormatCase{9.99995, 4, "10.0000"}, FormatCase{0.99999, 4, "1.0000"},
        // Half away from zero, and no "-0".
        FormatCase{-1.005, 2, "-1.01"}, FormatCase{-0.00004, 4, "0.0000"}, FormatCase{-0.00005, 4, "-0.0001"},
        // Tiny and large magnitudes.
        FormatCase{1e-20, 4, "0.0000"}, FormatCase{0.00005, 4, "0.0001"}, FormatCase{1e17, 2, "100000000000000000.00"}));

TEST(FixedFormatSpecial, NonFiniteValues)
{
    EXPECT_EQ(formatFixed(std::numeric_limits<double>::infinity(), 4), "INF");
    EXPECT_EQ(formatFixed(std::numeric_limits<double>::quiet_NaN(), 4), "NAN");
}

} // namespace
