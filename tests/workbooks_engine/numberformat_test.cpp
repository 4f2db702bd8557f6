#include "workbooks/engine/numberformat.h"

#include <gtest/gtest.h>

namespace mhbk::wb {
namespace {

TEST(NumberFormatTest, GeneralFitsElevenCharactersLikeAStandardCell)
{
    const std::pair<double, const char *> cases[] = {
        {0, "0"},
        {1, "1"},
        {-1.5, "-1.5"},
        {1.0 / 3, "0.333333333"},
        {2.0 / 3, "0.666666667"},
        {-2.0 / 3, "-0.666666667"},
        {0.1 + 0.2, "0.3"},
        {12345678901, "12345678901"},
        {123456789012, "1.23457E+11"},
        {1e11, "1E+11"},
        {1234567.891234, "1234567.891"},
        {0.00001, "0.00001"},
        {0.0001234567891, "0.000123457"},
        {0.00001234567, "1.23457E-05"},
        {1e-10, "1E-10"},
        {99999999999.7, "1E+11"},
        {1.5e100, "1.5E+100"},
        {616.539, "616.539"},
    };
    for (const auto &[v, text] : cases)
        EXPECT_EQ(formatGeneral(v), QString::fromLatin1(text)) << v;
}

TEST(NumberFormatTest, FormatCodes)
{
    struct Case
    {
        double value;
        const char *format;
        const char *text;
    };
    const Case cases[] = {
        {3.14159, "General", "3.14159"},
        {2.5, "0", "3"},
        {-2.5, "0", "-3"},               // halves away from zero
        {2.675, "0.00", "2.68"},
        {1.005, "0.00", "1.01"},
        {0.5, "0.0000", "0.5000"},
        {1234567.891, "#,##0.00", "1,234,567.89"},
        {-1234.5, "#,##0.00", "-1,234.50"},
        {999.995, "#,##0.00", "1,000.00"},
        {12, "#,##0", "12"},
        {0.256, "0%", "26%"},
        {0.256, "0.00%", "25.60%"},
        {-0.001, "0.00", "0.00"},        // no "-0.00"
        {0.5, "#.00", ".50"},
        {12345.678, "0.00E+00", "1.23E+04"},
        {0.000123, "0.0E+00", "1.2E-04"},
        {7.5, "0.0\" kg\"", "7.5 kg"},
        {7.5, "\"约\"0", "约8"},
        {7.5, "0.0\\m", "7.5m"},
        {-5, "0.00;(0.00)", "(5.00)"},
        {0, "0.00;(0.00);\"-\"", "-"},
        {1500000, "#,##0,", "1,500"},    // trailing comma scales by a thousand
        {3, "[Red]0.0", "3.0"},
        {42, "@", "42"},
        {1.25, "0.0_)", "1.3 "},
    };
    for (const Case &c : cases)
        EXPECT_EQ(formatNumber(c.value, QString::fromUtf8(c.format)), QString::fromUtf8(c.text)) << c.format << " " << c.value;
}

TEST(NumberFormatTest, ValuesOfEveryKind)
{
    EXPECT_EQ(formatValue(Value(), QStringLiteral("0.00")), QString());
    EXPECT_EQ(formatValue(Value::text(QStringLiteral("按设计")), QStringLiteral("0.00")), QStringLiteral("按设计"));
    EXPECT_EQ(formatValue(Value::text(QStringLiteral("x")), QStringLiteral("0;0;0;\"[\"@\"]\"")), QStringLiteral("[x]"));
    EXPECT_EQ(formatValue(Value::boolean(true), QStringLiteral("0.00")), QStringLiteral("TRUE"));
    EXPECT_EQ(formatValue(Value::error(ErrorCode::Div0), QStringLiteral("0.00")), QStringLiteral("#DIV/0!"));
    EXPECT_EQ(formatValue(Value::number(0.75), QStringLiteral("General")), QStringLiteral("0.75"));
}

TEST(NumberFormatTest, NumberTextKeepsFifteenDigits)
{
    const std::pair<double, const char *> cases[] = {
        {0.1, "0.1"}, {1.0 / 3, "0.333333333333333"}, {1234.5, "1234.5"}, {-7, "-7"},
        {1e20, "1E+20"}, {1.5e-12, "1.5E-12"}, {0.00001, "0.00001"}, {123456789012345, "123456789012345"},
    };
    for (const auto &[v, text] : cases)
        EXPECT_EQ(numberText(v), QString::fromLatin1(text)) << v;
}

} // namespace
} // namespace mhbk::wb
