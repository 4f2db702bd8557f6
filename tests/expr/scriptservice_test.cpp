// The evaluation service and the result field's number format.
#include "qstringprint.h"
#include "common/reporter.h"
#include "numbers/format.h"
#include "numbers/numtext.h"
#include "expr/scriptservice.h"

#include <cmath>
#include <gtest/gtest.h>

namespace mhbk {
namespace {

TEST(ResultFormat, RoundsHalvesAwayFromZeroOnDecimalDigits)
{
    struct Row {
        double value;
        int digits;
        double expected;
    };
    const Row rows[] = {
        {3.5, 0, 4.0},          {-3.5, 0, -4.0},          {2.5, 0, 3.0},
        {0.125, 2, 0.13},       {-0.125, 2, -0.13},       {10.0 / 3, 3, 3.333},
        {1.41421356, 3, 1.414}, {0.04, 1, 0.0},           {0.05, 1, 0.1},
        {0.96, 1, 1.0},         {999.99, 1, 1000.0},      {0.6, 0, 1.0},
        {0.4, 0, 0.0},          {0.004, 1, 0.0},          {1e20, 2, 1e20},
        {123.456, 10, 123.456}, {-0.04, 1, 0.0},          {0.0, 3, 0.0},
        // 2.675 is stored just below itself; its 18 significant digits decide.
        {2.675, 2, 2.67},
    };
    for (const Row &row : rows) {
        const numbers::Extended got = numbers::roundToDecimals(row.value, row.digits);
        EXPECT_NEAR(got.toDouble(), row.expected, 1e-12 * (1 + std::fabs(row.expected)))
            << row.value << " to " << row.digits;
        EXPECT_FALSE(got.isZero() && got.isNegative()) << "negative zero";
    }
}

TEST(ResultFormat, ShowsAtLeastOneDecimal)
{
    struct Row {
        const char *value;
        int digits;
        const char *text;
    };
    const Row rows[] = {
        {"4", 0, "4.0"},        {"3.333", 3, "3.333"},      {"3.3", 1, "3.3"},       {"0", 1, "0.0"},
        {"0", 4, "0.0000"},     {"-2.5", 1, "-2.5"},        {"0.5", 2, "0.50"},      {"-0", 1, "0.0"},
        {"0.001", 3, "0.001"},  {"1024", 2, "1024.00"},     {"1234567", 1, "1234567.0"},
        {"123456789012345678", 1, "123456789012345678.0"}, {"1e20", 1, "1E20"},  {"-1.5e19", 2, "-1.5E19"},
        {"0.0000001", 10, "0.0000001000"},
    };
    for (const Row &row : rows)
        EXPECT_EQ(formatResult(*parseReal(QString::fromLatin1(row.value)), row.digits), QString::fromLatin1(row.text))
            << row.text;
    EXPECT_EQ(formatResult(numbers::Extended(1.5), 1, QStringLiteral(",")), QStringLiteral("1,5"));
}

TEST(ScriptService, EvaluatesAndRounds)
{
    RecordingReporter reporter;
    ScriptEvaluator script(reporter);
    struct Row {
        const char *expression;
        int digits;
        const char *shown;
    };
    const Row rows[] = {
        {"1+2", 2, "3.00"},   {"7/2", 0, "4.0"},        {"2^10", 1, "1024.0"},   {"sqr(2)", 3, "1.414"},
        {"10/3", 3, "3.333"}, {"10/3", 1, "3.3"},       {"-7/2", 0, "-4.0"},     {"\"12\"", 1, "12.0"},
        {"True", 1, "-1.0"},  {"", 1, "0.0"},           {"  ", 2, "0.00"},       {"x", 1, "0.0"},
        {"3.14159*2", 2, "6.28"}, {"round(2.5)", 0, "2.0"}, {"abs(-1.25)", 1, "1.3"},
    };
    for (const Row &row : rows) {
        const numbers::Extended value = script.evaluate(QString::fromUtf8(row.expression), row.digits);
        EXPECT_EQ(formatResult(value, row.digits), QString::fromLatin1(row.shown)) << row.expression;
        // The value is the shown decimal itself (nearest in the calculators' format), not a binary neighbour.
        EXPECT_EQ(value, *parseReal(QString::fromLatin1(row.shown))) << row.expression;
    }
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
        {"1+", "缺少表达式"},
        {"1/0", "被零除"},
        {"foo(2)", "类型不匹配: 'foo'"},
        {"\"abc\"", "类型不匹配"}, // a text result that is no number
        {"Null", "无效使用 Null"},
        {"Nothing", "类型不匹配"},
        {"sqr(-1)", "无效的过程调用或参数: 'Sqr'"},
    };
    for (const Row &row : rows) {
        reporter.clear();
        EXPECT_TRUE(script.evaluate(QString::fromUtf8(row.expression), 1).isZero()) << row.expression;
        ASSERT_EQ(reporter.size(), 1u) << row.expression;
        EXPECT_EQ(reporter.last().text, QString::fromUtf8(row.description));
        EXPECT_EQ(reporter.last().caption, QStringLiteral("表达式错误"));
        EXPECT_EQ(reporter.last().icon, MessageIcon::Warning);
    }
    // The failure leaves nothing behind for the next evaluation.
    reporter.clear();
    EXPECT_EQ(script.evaluate(QStringLiteral("1+1"), 1), numbers::Extended(2));
    EXPECT_TRUE(reporter.empty());
    EXPECT_EQ(script.error().number(), 0);
}

TEST(ScriptService, ErrorTextsAreTheChineseEnginesForEveryNumber)
{
    struct Row {
        int number;
        const char *text;
    };
    const Row rows[] = {
        {5, "无效的过程调用或参数"}, {6, "溢出"}, {11, "被零除"}, {13, "类型不匹配"}, {28, "堆栈溢出"},
        {91, "对象变量未设置"}, {94, "无效使用 Null"}, {424, "缺少对象"},
        {450, "错误的参数个数或无效的参数属性值"}, {1002, "语法错误"}, {1005, "缺少 '('"}, {1006, "缺少 ')'"},
        {1023, "缺少表达式"}, {1025, "语句未结束"}, {1031, "无效数字"}, {1032, "无效字符"},
        {1033, "未结束的字符串常量"}, {9999, "未知的运行时错误"},
    };
    for (const Row &row : rows)
        EXPECT_EQ(vbs::errorText(row.number), QString::fromUtf8(row.text)) << row.number;
}

TEST(ScriptService, NamesTakenAsZeroAreToldEachOnce)
{
    RecordingReporter reporter;
    ScriptEvaluator script(reporter);
    struct Row {
        const char *expression;
        QStringList names;
    };
    const Row rows[] = {
        {"pi", {"pi"}},
        {"abc+1", {"abc"}},
        {"a*B+A-c", {"a", "B", "c"}}, // VBScript names ignore case
        {"Randomize 3: q", {"q"}},
        {"sqr(16)+Rnd*0", {}},
        {"", {}},
    };
    for (const Row &row : rows) {
        const ScriptEvaluator::Outcome outcome = script.evaluateQuietly(QString::fromUtf8(row.expression), 2);
        EXPECT_FALSE(outcome.error) << row.expression;
        EXPECT_EQ(outcome.namesTakenAsZero, row.names) << row.expression;
    }
    // A failed expression reports its error, not its names.
    EXPECT_TRUE(script.evaluateQuietly(QStringLiteral("pi/0"), 2).namesTakenAsZero.isEmpty());
}

TEST(ScriptService, ErrorObjectKeepsTheLastFailureUntilReset)
{
    RecordingReporter reporter;
    ScriptEvaluator script(reporter);
    EXPECT_THROW(script.eval(QStringLiteral("(1")), vbs::ScriptException);
    EXPECT_EQ(script.error().description(), QStringLiteral("缺少 ')'"));
    EXPECT_EQ(script.error().number(), 1006);
    EXPECT_EQ(script.error().position(), 2);
    script.reset();
    EXPECT_TRUE(script.error().description().isEmpty());
}

} // namespace
} // namespace mhbk
