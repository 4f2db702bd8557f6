#include "common/errors.h"
#include "numbers/numtext.h"

#include <gtest/gtest.h>
#include <limits>

namespace {

struct FormatCase {
    double value;
    const char *text;
};

TEST(FloatToStr, FifteenSignificantDigitsGeneralFormat)
{
    const FormatCase cases[] = {
        {0.0, "0"},
        {-0.0, "0"},
        {78.5, "78.5"},
        {0.785, "0.785"},
        {0.0001, "0.0001"},
        {40.035, "40.035"},
        {100, "100"},
        {-0.07398468, "-0.07398468"},
        {0.1 + 0.2, "0.3"},
        {1.0 / 3, "0.333333333333333"},
        {2.0 / 3, "0.666666666666667"},
        {5 * (5 * 3.1416) * 7.85 / 1000, "0.616539"},
        {1e14, "100000000000000"},
        {999999999999999, "999999999999999"},
        {123456789012345.6, "123456789012346"},
        // Rounding to 15 digits decides the notation: these become 1E15 and 0.0001.
        {999999999999999.9, "1E15"},
        {9.9999999999999999e-5, "0.0001"},
        {1e15, "1E15"},
        {6.16539e-7, "6.16539E-7"},
        {0.00009, "9E-5"},
        {-1.5e-5, "-1.5E-5"},
        {1.23456789012345678e20, "1.23456789012346E20"},
        {-2.5e300, "-2.5E300"},
        {std::numeric_limits<double>::infinity(), "INF"},
        {-std::numeric_limits<double>::infinity(), "-INF"},
        {std::numeric_limits<double>::quiet_NaN(), "NAN"},
    };
    for (const FormatCase &c : cases)
        EXPECT_EQ(mhbk::floatToStr(c.value).toStdString(), c.text) << "value " << c.value;
}

TEST(FloatToStr, ShownTextReadsBackAsTheSameFifteenDigits)
{
    for (double v : {0.616539, 4.21712676, 1.0 / 7, 12345.678901234, 3e-9}) {
        const QString shown = mhbk::floatToStr(v);
        EXPECT_EQ(mhbk::floatToStr(*mhbk::parseFloat(shown)), shown);
    }
}

TEST(NumericKeyRule, DigitsBackspaceAndOnePoint)
{
    using mhbk::acceptsNumericKey;
    EXPECT_TRUE(acceptsNumericKey(QString(), QLatin1Char('.')));
    EXPECT_TRUE(acceptsNumericKey(QStringLiteral("12"), QLatin1Char('.')));
    EXPECT_FALSE(acceptsNumericKey(QStringLiteral("1.2"), QLatin1Char('.')));
    EXPECT_TRUE(acceptsNumericKey(QStringLiteral("1.2"), QChar(8)));
    for (char c = '0'; c <= '9'; ++c)
        EXPECT_TRUE(acceptsNumericKey(QStringLiteral("1.2"), QLatin1Char(c)));
    for (QChar c : {QChar('-'), QChar('+'), QChar('e'), QChar('E'), QChar(' '), QChar(','), QChar(13), QChar(22),
                    QChar(3), QChar(0x4E00), QChar(0xFF11)})
        EXPECT_FALSE(acceptsNumericKey(QStringLiteral("1"), c)) << int(c.unicode());
}

// The calculators' conversion rules: a leading or trailing point is a number, a point alone is not.
TEST(CalculatorConversion, PointRules)
{
    EXPECT_EQ(mhbk::parseFloat(QStringLiteral(".5")), 0.5);
    EXPECT_EQ(mhbk::parseFloat(QStringLiteral("5.")), 5.0);
    EXPECT_EQ(mhbk::parseFloat(QStringLiteral("0010.250")), 10.25);
    EXPECT_FALSE(mhbk::parseFloat(QStringLiteral(".")));
    EXPECT_FALSE(mhbk::parseFloat(QString()));
    EXPECT_FALSE(mhbk::parseFloat(QStringLiteral("1.2.3")));
    using mhbk::numbers::Extended;
    EXPECT_EQ(*mhbk::parseReal(QStringLiteral(".5")), Extended(0.5));
    EXPECT_EQ(*mhbk::parseReal(QStringLiteral("5.")), Extended(5));
    EXPECT_EQ(*mhbk::parseReal(QStringLiteral(" +2.25 ")), Extended(2.25));
    EXPECT_EQ(*mhbk::parseReal(QStringLiteral("0.1")), Extended(1) / Extended(10));
    EXPECT_FALSE(*mhbk::parseReal(QStringLiteral("0.1")) == Extended(0.1)) << "read at extended precision, not via double";
    EXPECT_FALSE(mhbk::parseReal(QStringLiteral(".")));
    EXPECT_FALSE(mhbk::parseReal(QStringLiteral("1,5")));
    EXPECT_THROW(mhbk::strToReal(QStringLiteral(".")), mhbk::ConversionError);
}

// A Chinese input method types full-width digits, signs and points: they are the same number.
TEST(CalculatorConversion, FullWidthFormsAreNumbers)
{
    const struct {
        const char *typed, *ascii;
    } read[] = {{"５７", "57"}, {"－１．５", "-1.5"}, {"＋．５", "+.5"}, {"１ｅ－３", "1e-3"}, {"　２．２５　", "2.25"},
                {"1５.5", "15.5"}};
    for (const auto &c : read) {
        const QString typed = QString::fromUtf8(c.typed), ascii = QString::fromLatin1(c.ascii);
        ASSERT_TRUE(mhbk::parseFloat(typed)) << c.typed;
        EXPECT_EQ(mhbk::parseFloat(typed), mhbk::parseFloat(ascii)) << c.typed;
        EXPECT_EQ(*mhbk::parseReal(typed), *mhbk::parseReal(ascii)) << c.typed;
    }
    for (const char *text : {"５７ｋｇ", "．", "５，７", "５％", "٥٧", "五十七"})
        EXPECT_FALSE(mhbk::parseFloat(QString::fromUtf8(text))) << text;
}

} // namespace
