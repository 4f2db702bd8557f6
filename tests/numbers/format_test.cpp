// Reading typed numbers and the shown formats, from exact decimal digits.
#include "numbers/decimal.h"
#include "numbers/extended.h"
#include "numbers/format.h"

#include <gtest/gtest.h>
#include <limits>
#include <optional>

namespace {

using namespace mhbk::numbers;

TEST(ScanDecimal, CalculatorInputRules)
{
    struct Case {
        const char *text;
        std::optional<double> value;
    };
    const Case cases[] = {
        {"12", 12},       {" \t+2.25 ", 2.25}, {".5", 0.5},      {"5.", 5},         {"0010.250", 10.25},
        {"-3e2", -300},   {"1.5E-3", 0.0015},  {"1e+2", 100},    {"0", 0},          {".", {}},
        {"", {}},         {"1.2.3", {}},       {"1,5", {}},      {"1e", {}},        {"e5", {}},
        {"--1", {}},      {"1 2", {}},         {"inf", {}},      {"nan", {}},       {"0x10", {}},
        {"1e400", {}},    {"1e-400", {}},      {"1e99999999999", {}},
    };
    for (const Case &c : cases) {
        const auto scanned = scanDecimal(c.text);
        const std::optional<double> value = scanned ? toDouble(*scanned) : std::nullopt;
        EXPECT_EQ(value, c.value) << '"' << c.text << '"';
    }
}

TEST(ParseDouble, DelimitedNumbersOnly)
{
    EXPECT_EQ(parseDouble("5."), 5.0);
    EXPECT_EQ(parseDouble(".5"), 0.5);
    EXPECT_EQ(parseDouble("1e5"), 1e5);
    for (const char *text : {"1e", "+5", "-5", "inf", "nan", "1e400", "", "5x"})
        EXPECT_FALSE(parseDouble(text)) << text;
}

TEST(FixedText, HalvesAwayFromZeroOnTheExactValue)
{
    struct Case {
        double value;
        int decimals;
        const char *text;
    };
    const Case cases[] = {
        {0.125, 2, "0.13"},        {-0.125, 2, "-0.13"},       {0.0009765625, 9, "0.000976563"},
        {2.5, 0, "3"},             {1.005, 2, "1.00"},         {-0.001, 2, "0.00"},
        {1e22, 2, "10000000000000000000000.00"},               {0.0, 3, "0.000"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(fixedText(c.value, c.decimals), c.text) << c.value;
    // The sheets' masks look at the 15-digit figure first: 1.005 shows as 1.01 there.
    EXPECT_EQ(fixedFromFifteenDigits(1.005, 2), "1.01");
    EXPECT_EQ(fixedFromFifteenDigits(-0.00004, 4), "0.0000");
    EXPECT_EQ(fixedFromFifteenDigits(0.6, 0), "1");
    EXPECT_EQ(fixedFromFifteenDigits(std::numeric_limits<double>::infinity(), 2), "INF");
}

TEST(CompactText, FifteenSignificantDigitsShortestNotation)
{
    struct Case {
        double value;
        const char *text;
    };
    const Case cases[] = {
        {0.1 + 0.2, "0.3"},  {1e15, "1e+15"},   {123456789012345.6, "123456789012346"},
        {1.5e-7, "1.5e-07"}, {0.0001, "0.0001"}, {-2.5, "-2.5"},  {0.0, "0"},  {1e100, "1e+100"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(compactText(c.value, 15), c.text) << c.value;
}

TEST(ScriptText, FifteenDigitsWithTwoDigitExponent)
{
    struct Case {
        double value;
        const char *text;
    };
    const Case cases[] = {
        {1e-5, "1E-05"}, {1.5e20, "1.5E+20"}, {0.0001, "0.0001"}, {123.456, "123.456"}, {1e15, "1E+15"},
        {-0.5, "-0.5"},  {100, "100"},        {1.0 / 3, "0.333333333333333"},          {-1e300, "-1E+300"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(scriptText(c.value), c.text) << c.value;
    // Single precision shows 7 digits: the float nearest 1.1 is 1.10000002384...
    EXPECT_EQ(scriptText(static_cast<double>(1.1f), 7), "1.1");
    EXPECT_EQ(scriptText(1e7, 7), "1E+07");
    EXPECT_EQ(scriptText(1234567.0, 7), "1234567");
}

TEST(ResultText, EighteenDigitsThenTheChosenDecimals)
{
    struct Case {
        double value;
        int digits;
        const char *text;
    };
    const Case cases[] = {
        // 18 digits of 1/3 are ...315, rounded to 17 decimals ...332: more than a double can hold.
        {1.0 / 3, 17, "0.33333333333333332"},
        {2.0 / 3, 17, "0.66666666666666663"},
        {2.675, 2, "2.67"},
        {-0.04, 1, "0.0"},
        {1e20, 1, "1E20"},
        {-1.5e19, 2, "-1.5E19"},
        {123456.789, 0, "123457.0"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(resultText(roundToDecimals(c.value, c.digits), c.digits), c.text) << c.value;
    EXPECT_EQ(resultText(Extended(0.5), 2, ","), "0,50");
    EXPECT_EQ(resultText(Extended::nan(), 2), "NAN");
}

TEST(GeneralText, NotationFollowsTheRoundedValue)
{
    EXPECT_EQ(generalText(Extended(1) / Extended(3)), "0.333333333333333");
    EXPECT_EQ(generalText(Extended(999999999999999.9)), "1E15");
    EXPECT_EQ(generalText(Extended(9.9999999999999999e-5)), "0.0001");
    EXPECT_EQ(generalText(Extended(-0.0)), "0");
    EXPECT_EQ(generalText(Extended(6.16539e-7)), "6.16539E-7");
    EXPECT_EQ(exponentText(5), "E+05");
    EXPECT_EQ(exponentText(-300, 2), "E-300");
    EXPECT_EQ(exponentText(3, 0), "E+3");
}

} // namespace
