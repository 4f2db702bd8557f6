// The evaluation service and the result field's number format.
#include "qstringprint.h"
#include "common/reporter.h"
#include "expr/resultformat.h"
#include "expr/scriptservice.h"

#include <cmath>
#include <gtest/gtest.h>

namespace mhbk {
namespace {

TEST(ResultFormat, RoundsHalvesAwayFromZeroOnDecimalDigits)
{
    struct Row {
        long double value;
        int digits;
        long double expected;
    };
    const Row rows[] = {
        {3.5L, 0, 4.0L},          {-3.5L, 0, -4.0L},          {2.5L, 0, 3.0L},
        {0.125L, 2, 0.13L},       {-0.125L, 2, -0.13L},       {10.0L / 3, 3, 3.333L},
        {1.41421356L, 3, 1.414L}, {0.04L, 1, 0.0L},           {0.05L, 1, 0.1L},
        {0.96L, 1, 1.0L},         {999.99L, 1, 1000.0L},      {0.6L, 0, 1.0L},
        {0.4L, 0, 0.0L},          {0.004L, 1, 0.0L},          {1e20L, 2, 1e20L},
        {123.456L, 10, 123.456L}, {-0.04L, 1, 0.0L},          {0.0L, 3, 0.0L},
        // 2.675 is stored just below itself; its 18 significant digits decide.
        {static_cast<long double>(2.675), 2, 2.67L},
    };
    for (const Row &row : rows) {
        const long double got = roundToDecimals(row.value, row.digits);
        EXPECT_NEAR(static_cast<double>(got), static_cast<double>(row.expected), 1e-12 * (1 + std::fabs(static_cast<double>(row.expected))))
            << static_cast<double>(row.value) << " to " << row.digits;
        EXPECT_FALSE(std::signbit(got) && got == 0.0L) << "negative zero";
    }
}

TEST(ResultFormat, MaskShowsAtLeastOneDecimal)
{
    EXPECT_EQ(resultMask(0), QStringLiteral("0.0"));
    EXPECT_EQ(resultMask(1), QStringLiteral("0.0"));
    EXPECT_EQ(resultMask(2), QStringLiteral("0.00"));
    EXPECT_EQ(resultMask(10), QStringLiteral("0.0000000000"));
    struct Row {
        long double value;
        int digits;
        const char *text;
    };
    const Row rows[] = {
        {4.0L, 0, "4.0"},        {3.333L, 3, "3.333"},      {3.3L, 1, "3.3"},       {0.0L, 1, "0.0"},
        {0.0L, 4, "0.0000"},     {-2.5L, 1, "-2.5"},        {0.5L, 2, "0.50"},      {-0.0L, 1, "0.0"},
        {0.001L, 3, "0.001"},    {1024.0L, 2, "1024.00"},   {1234567.0L, 1, "1234567.0"},
        {123456789012345678.0L, 1, "123456789012345678.0"}, {1e20L, 1, "1E20"},  {-1.5e19L, 2, "-1.5E19"},
        {0.0000001L, 10, "0.0000001000"},
    };
    for (const Row &row : rows)
        EXPECT_EQ(formatResult(row.value, row.digits), QString::fromLatin1(row.text)) << row.text;
    EXPECT_EQ(formatResult(1.5L, 1, QStringLiteral(",")), QStringLiteral("1,5"));
}

TEST(ScriptService, EvaluatesAndRounds)
{
    RecordingReporter reporter;
    ScriptEvaluator script(reporter);
    EXPECT_EQ(script.language(), ScriptLanguage::VBScript);
    struct Row {
        const char *expression;
        int digits;
        long double expected;
    };
    const Row rows[] = {
        {"1+2", 2, 3.0L},   {"7/2", 0, 4.0L},          {"2^10", 1, 1024.0L},     {"sqr(2)", 3, 1.414L},
        {"10/3", 3, 3.333L}, {"10/3", 1, 3.3L},        {"-7/2", 0, -4.0L},       {"\"12\"", 1, 12.0L},
        {"True", 1, -1.0L},  {"", 1, 0.0L},            {"  ", 2, 0.0L},          {"x", 1, 0.0L},
        {"3.14159*2", 2, 6.28L}, {"round(2.5)", 0, 2.0L}, {"abs(-1.25)", 1, 1.3L},
    };
    for (const Row &row : rows)
        EXPECT_EQ(script.evaluate(QString::fromUtf8(row.expression), row.digits), row.expected) << row.expression;
    EXPECT_TRUE(reporter.empty());
}

TEST(ScriptService, FailureShowsTheDescriptionAndYieldsZero)
{
    RecordingReporter reporter;
    ScriptEvaluator script(reporter);
    struct Row {
        const char *expression;
        const char *description;
    };
    const Row rows[] = {
        {"1+", "Expected expression"},
        {"1/0", "Division by zero"},
        {"foo(2)", "Type mismatch: 'foo'"},
        {"\"abc\"", "Type mismatch"}, // a text result that is no number
        {"Null", "Invalid use of Null"},
        {"Nothing", "Type mismatch"},
        {"sqr(-1)", "Invalid procedure call or argument: 'Sqr'"},
    };
    for (const Row &row : rows) {
        reporter.clear();
        EXPECT_EQ(script.evaluate(QString::fromUtf8(row.expression), 1), 0.0L) << row.expression;
        ASSERT_EQ(reporter.size(), 1u) << row.expression;
        EXPECT_EQ(reporter.last().text, QString::fromUtf8(row.description));
        EXPECT_EQ(reporter.last().caption, QStringLiteral("表达式错误"));
        EXPECT_EQ(reporter.last().icon, MessageIcon::Warning);
    }
    // The failure leaves nothing behind for the next evaluation.
    reporter.clear();
    EXPECT_EQ(script.evaluate(QStringLiteral("1+1"), 1), 2.0L);
    EXPECT_TRUE(reporter.empty());
    EXPECT_EQ(script.error().number(), 0);
}

TEST(ScriptService, ErrorObjectAndLanguage)
{
    RecordingReporter reporter;
    ScriptEvaluator script(reporter);
    EXPECT_THROW(script.eval(QStringLiteral("(1")), vbs::ScriptException);
    EXPECT_EQ(script.error().description(), QStringLiteral("Expected ')'"));
    EXPECT_EQ(script.error().number(), 1006);
    EXPECT_EQ(script.error().position(), 2);
    script.reset();
    EXPECT_TRUE(script.error().description().isEmpty());

    script.setLanguageText(QStringLiteral("vbscript"));
    EXPECT_EQ(script.language(), ScriptLanguage::JScript); // only the exact text counts
    EXPECT_EQ(script.evaluate(QStringLiteral("1"), 1), 0.0L);
    EXPECT_EQ(reporter.size(), 1u);
    script.setLanguage(ScriptLanguage::VBScript);
    EXPECT_EQ(script.languageText(), QStringLiteral("VBScript"));
}

} // namespace
} // namespace mhbk
