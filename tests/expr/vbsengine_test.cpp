// The engine against VBScript's documented behaviour: one row per expression.
#include "vbscases.h"
#include "expr/vbsengine.h"
#include "expr/vbsoperators.h"
#include "expr/vbsparser.h"

#include <gtest/gtest.h>

namespace mhbk::vbs {
namespace {

TEST(VbsEngine, PrecedenceAndAssociativity)
{
    const ValueCase cases[] = {
        {"-2^2", "Double", "4"},          {"-3^2", "Double", "9"},         {"2^3^2", "Double", "64"},
        {"2^-2", "Double", "0.25"},       {"--1", "Integer", "1"},         {"-+-1", "Integer", "1"},
        {"1+2*3", "Integer", "7"},        {"(1+2)*3", "Integer", "9"},     {"2+3\\4", "Integer", "2"},
        {"12/3\\2", "Long", "2"},         {"7 Mod 4+2", "Integer", "5"},   {"10-4-3", "Integer", "3"},
        {"100/10/5", "Double", "2"},      {"1+2&3", "String", "33"},       {"1 = 1 < 0", "Boolean", "True"},
        {"Not 1 = 2", "Boolean", "True"}, {"Not Not True", "Boolean", "True"},
        {"True Or False And False", "Boolean", "True"},
        {"False Imp True Eqv False", "Boolean", "True"},
        {"Not False And False", "Boolean", "False"},
        {"2*3^2", "Double", "18"},        {"-2*-3", "Integer", "6"},       {"8 Mod 3 * 2", "Integer", "2"},
    };
    for (const ValueCase &c : cases)
        expectValue(c);
}

TEST(VbsEngine, Operators)
{
    const ValueCase cases[] = {
        {"32767+1", "Long", "32768"},
        {"2147483647+1", "Double", "2147483648"},
        {"-32768-1", "Long", "-32769"},
        {"300*300", "Long", "90000"},
        {"65536*65536", "Double", "4294967296"},
        {"True+True", "Integer", "-2"},
        {"1.5+1", "Double", "2.5"},
        {"0.1+0.2", "Double", "0.3"},
        {"7/2", "Double", "3.5"},
        {"4/2", "Double", "2"},
        {"\"12\"+1", "Double", "13"},
        {"\"12\"&1", "String", "121"},
        {"\"a\"+\"b\"", "String", "ab"},
        {"Empty+\"x\"", "String", "x"},
        {"Empty+Empty", "Integer", "0"},
        {"\"3\"*\"4\"", "Double", "12"},
        {"4.6 \\ 1.5", "Long", "2"},
        {"-7 \\ 2", "Integer", "-3"},
        {"100000 \\ 3", "Long", "33333"},
        {"-32768 \\ -1", "Long", "32768"},
        {"8 Mod 8.5", "Long", "0"},
        {"7.5 Mod 10", "Long", "8"},
        {"-5 Mod 3", "Integer", "-2"},
        {"5 Mod -3", "Integer", "2"},
        {"1 & True", "String", "1True"},
        {"1.5 & \"\"", "String", "1.5"},
        {"Null & \"a\"", "String", "a"},
        {"Null & Null", "Null", ""},
        {"Null + 1", "Null", ""},
        {"-Null", "Null", ""},
        {"Null = Null", "Null", ""},
        {"1 < 2", "Boolean", "True"},
        {"2 <= 2", "Boolean", "True"},
        {"3 >= 4", "Boolean", "False"},
        {"1 <> 1", "Boolean", "False"},
        {"1 >< 2", "Boolean", "True"},
        {"1 =< 2", "Boolean", "True"},
        {"2 => 3", "Boolean", "False"},
        {"\"a\" < \"b\"", "Boolean", "True"},
        {"\"B\" < \"a\"", "Boolean", "True"},
        {"1 < \"a\"", "Boolean", "True"},
        {"\"12\" = 12", "Boolean", "False"},
        {"Empty = 0", "Boolean", "True"},
        {"Empty = \"\"", "Boolean", "True"},
        {"Not 0", "Integer", "-1"},
        {"Not 5", "Integer", "-6"},
        {"Not 1.6", "Long", "-3"},
        {"Not Null", "Null", ""},
        {"Not Empty", "Integer", "-1"},
        {"6 And 3", "Integer", "2"},
        {"6 Or 3", "Integer", "7"},
        {"6 Xor 3", "Integer", "5"},
        {"True Xor True", "Boolean", "False"},
        {"True Eqv False", "Boolean", "False"},
        {"False Imp False", "Boolean", "True"},
        {"True Imp False", "Boolean", "False"},
        {"70000 And 65535", "Long", "4464"},
        {"Null And False", "Boolean", "False"},
        {"Null And True", "Null", ""},
        {"Null Or True", "Boolean", "True"},
        {"Null Or False", "Null", ""},
        {"False Imp Null", "Boolean", "True"},
        {"Null Imp True", "Boolean", "True"},
        {"Null Xor True", "Null", ""},
        {"Nothing Is Nothing", "Boolean", "True"},
        {"x+1", "Integer", "1"},
        {"TypeName(undefinedName)", "String", "Empty"},
        {"x & \"!\"", "String", "!"},
        {"+\"7\"", "String", "7"},
    };
    for (const ValueCase &c : cases)
        expectValue(c);
}

TEST(VbsEngine, Literals)
{
    const ValueCase cases[] = {
        {"10.", "Double", "10"},          {".5", "Double", "0.5"},          {".5e1", "Double", "5"},
        {"34e5", "Double", "3400000"},    {"34e+5", "Double", "3400000"},   {"56.789e-2", "Double", "0.56789"},
        {"010", "Integer", "10"},         {"32767", "Integer", "32767"},    {"32768", "Long", "32768"},
        {"2147483648", "Double", "2147483648"},
        {"&hFF", "Integer", "255"},       {"&HFFFF", "Integer", "-1"},      {"&hFFFF&", "Long", "65535"},
        {"&h10000", "Long", "65536"},     {"&hFFFFFFFF", "Long", "-1"},     {"&O10", "Integer", "8"},
        {"&o177777", "Integer", "-1"},    {"\"say \"\"hi\"\"\"", "String", "say \"hi\""},
        {"True", "Boolean", "True"},      {"FALSE", "Boolean", "False"},    {"Empty", "Empty", ""},
        {"Null", "Null", ""},             {"\"\"", "String", ""},           {"1e300*1e-300", "Double", "1"},
        {"2^0.5", "Double", "1.4142135623731"},
        {"1e15", "Double", "1E+15"},      {"123456789012345", "Double", "123456789012345"},
        {"0.0001", "Double", "0.0001"},   {"0.00001", "Double", "1E-05"},   {"1/3", "Double", "0.333333333333333"},
        {"  1 + 2  ", "Integer", "3"},    {"\t3", "Integer", "3"},          {"1 ' a comment", "Integer", "1"},
        {"", "Empty", ""},                {"   ", "Empty", ""},             {"1\n", "Integer", "1"},
        {"\"中文\"", "String", "中文"},
    };
    for (const ValueCase &c : cases)
        expectValue(c);
}

TEST(VbsEngine, Functions)
{
    const ValueCase cases[] = {
        {"Abs(-3)", "Integer", "3"},        {"abs(-2.5)", "Double", "2.5"},      {"ABS(-32768)", "Long", "32768"},
        {"Abs(\"-4\")", "Double", "4"},    {"Abs(Null)", "Null", ""},            {"Abs(Empty)", "Integer", "0"},
        {"Sqr(16)", "Double", "4"},        {"sqr(2)", "Double", "1.4142135623731"},
        {"Sin(0)", "Double", "0"},         {"Cos(0)", "Double", "1"},            {"Tan(0)", "Double", "0"},
        {"Atn(1)*4", "Double", "3.14159265358979"},
        {"Exp(0)", "Double", "1"},         {"Log(Exp(2))", "Double", "2"},       {"Exp(709)", "Double", "8.21840746155497E+307"},
        {"Round(2.5)", "Double", "2"},     {"Round(3.5)", "Double", "4"},        {"Round(-2.5)", "Double", "-2"},
        {"Round(-3.5)", "Double", "-4"},   {"Round(0.5)", "Double", "0"},        {"Round(1.25, 1)", "Double", "1.2"},
        {"Round(1.35, 1)", "Double", "1.4"},
        {"Round(3.14159, 3)", "Double", "3.142"},                                {"Round(7)", "Integer", "7"},
        {"Round(1e300, 20)", "Double", "1E+300"},
        {"Int(-1.99)", "Double", "-2"},    {"Fix(-1.99)", "Double", "-1"},       {"Int(1.99)", "Double", "1"},
        {"Int(5)", "Integer", "5"},        {"Fix(\"2.5\")", "Double", "2"},
        {"Sgn(-4)", "Integer", "-1"},      {"Sgn(0)", "Integer", "0"},           {"Sgn(0.1)", "Integer", "1"},
        {"CInt(1.5)", "Integer", "2"},     {"CInt(0.5)", "Integer", "0"},        {"CInt(2.5)", "Integer", "2"},
        {"CInt(-1.5)", "Integer", "-2"},   {"CInt(\"12\")", "Integer", "12"},    {"CInt(True)", "Integer", "-1"},
        {"CLng(2.5)", "Long", "2"},        {"CLng(100000.5)", "Long", "100000"}, {"CDbl(3)", "Double", "3"},
        {"CDbl(\" 1.5 \")", "Double", "1.5"},                                     {"CDbl(\"&H10\")", "Double", "16"},
        {"Hex(255)", "String", "FF"},      {"Hex(-1)", "String", "FFFF"},        {"Hex(-1.0)", "String", "FFFFFFFF"},
        {"Hex(65536)", "String", "10000"}, {"Hex(10.5)", "String", "A"},         {"Hex(Null)", "Null", ""},
        {"Oct(8)", "String", "10"},        {"Oct(-1)", "String", "177777"},      {"Oct(-1.0)", "String", "37777777777"},
        {"CStr(1.5)", "String", "1.5"},    {"Len(\"abc\")", "Long", "3"},        {"CBool(2)", "Boolean", "True"},
        {"VarType(1.5)", "Integer", "5"},  {"TypeName(1)", "String", "Integer"},
        {"sqr(abs(-16)) + round(2.5)", "Double", "6"},
    };
    for (const ValueCase &c : cases)
        expectValue(c);
}

TEST(VbsEngine, RuntimeErrors)
{
    const ErrorCase cases[] = {
        {"1/0", 11, 1, "被零除"},
        {"0/0", 6, 1, "溢出"},
        {"5 \\ 0", 11, 2},
        {"5 Mod 0", 11, 2},
        {"5 Mod 0.4", 11, 2},
        {"10^400", 6, 2, "溢出"},
        {"0^-1", 5, 1},
        {"(-8)^(1/3)", 5, 4},
        {"1e308*10", 6, 5},
        {"2147483648 \\ 1", 6, 11},
        {"1 Mod 3e9", 6, 2},
        {"Not 3e9", 6, 0},
        {"sqr(-1)", 5, 0, "无效的过程调用或参数: 'Sqr'"},
        {"log(0)", 5, 0, "无效的过程调用或参数: 'Log'"},
        {"log(-1)", 5, 0},
        {"Exp(710)", 6, 0, "溢出: 'Exp'"},
        {"Round(1.5, -1)", 5, 0},
        {"CInt(32767.5)", 6, 0, "溢出: 'CInt'"},
        {"CInt(-32769)", 6, 0},
        {"CLng(2147483647.5)", 6, 0},
        {"CDbl(\"\")", 13, 0, "类型不匹配: 'CDbl'"},
        {"CDbl(\"1,5\")", 13, 0},
        {"CInt(Null)", 94, 0, "无效使用 Null: 'CInt'"},
        {"Sgn(Null)", 94, 0},
        {"Abs(\"x\")", 13, 0, "类型不匹配: 'Abs'"},
        {"\"a\"*2", 13, 3, "类型不匹配"},
        {"1 + \"x\"", 13, 2},
        {"foo(1)", 13, 0, "类型不匹配: 'foo'"},
        {"2 * Foo()", 13, 4, "类型不匹配: 'Foo'"},
        {"1 Is 1", 424, 2, "缺少对象"},
        {"Nothing + 1", 91, 8},
        {"Hex(3e10)", 6, 0},
    };
    for (const ErrorCase &c : cases)
        expectError(c);
}

TEST(VbsEngine, CompileErrors)
{
    const ErrorCase cases[] = {
        {"1+", 1023, 2, "缺少表达式"},
        {"(1+2", 1006, 4, "缺少 ')'"},
        {"((1)", 1006, 4},
        {"1+2)", 1025, 3, "语句未结束"},
        {"1 2", 1025, 2},
        {"1.2.3", 1025, 3},
        {")", 1023, 0},
        {"*2", 1023, 0},
        {"1 + * 2", 1023, 4},
        {"abs(1", 1006, 5},
        {"abs(1,", 1023, 6},
        {"sqr()", 450, 0, "错误的参数个数或无效的参数属性值: 'Sqr'"},
        {"sqr(1, 2)", 450, 0},
        {"round(1, 2, 3)", 450, 0},
        {"3 + sin", 450, 4},
        {"1 # 2", 1032, 2, "无效字符"},
        {"1 ＋ 2", 1032, 2},
        {"3.14159×2", 1032, 7},
        {"\"abc", 1033, 0, "未结束的字符串常量"},
        {"1e", 1031, 0, "无效数字"},
        {"1e400", 1031, 0},
        {".1e310", 1031, 0},
        {"&H123456789", 1031, 0},
        {"1: 2", 1025, 3},
        {"1 + Not 0", 1023, 4},
        {"1 =", 1023, 3},
        {"Mod 2", 1023, 0},
    };
    for (const ErrorCase &c : cases)
        expectError(c);
}

TEST(VbsEngine, HostileInputFailsCleanly)
{
    const QString deepParens = QString(100000, QLatin1Char('(')) + QLatin1Char('1') + QString(100000, QLatin1Char(')'));
    const QString deepMinus = QString(100000, QLatin1Char('-')) + QLatin1Char('1');
    const QString deepCalls = QStringLiteral("abs(").repeated(50000) + QLatin1Char('1') + QString(50000, QLatin1Char(')'));
    const QString deepNot = QStringLiteral("Not ").repeated(50000) + QLatin1Char('1');
    for (const QString &text : {deepParens, deepMinus, deepCalls, deepNot}) {
        try {
            evaluate(text);
            ADD_FAILURE() << "deep nesting accepted";
        } catch (const ScriptException &e) {
            EXPECT_EQ(e.error().number, errc::OutOfStackSpace);
            EXPECT_EQ(e.error().description, QStringLiteral("堆栈溢出"));
        }
    }
    // Nesting within the limit still works.
    const int depth = kMaxNesting / 2 - 1;
    EXPECT_EQ(shown(evaluate(QString(depth, QLatin1Char('(')) + QLatin1Char('2') + QString(depth, QLatin1Char(')')))),
              QStringLiteral("2"));
    // A long flat chain is no nesting at all: it evaluates without recursion.
    const QString longSum = QStringLiteral("1+").repeated(200000) + QLatin1Char('1');
    EXPECT_EQ(shown(evaluate(longSum)), QStringLiteral("200001"));
    const QString longPower = QStringLiteral("1^").repeated(100000) + QLatin1Char('1');
    EXPECT_EQ(shown(evaluate(longPower)), QStringLiteral("1"));
}

TEST(VbsEngine, EvaluationsAreIndependent)
{
    EXPECT_THROW(evaluate(QStringLiteral("1/0")), ScriptException);
    EXPECT_EQ(shown(evaluate(QStringLiteral("x+2"))), QStringLiteral("2"));
    EXPECT_EQ(shown(evaluate(QStringLiteral("1+1"))), QStringLiteral("2"));
}

TEST(VbsVariant, NumericTextAndFormatting)
{
    EXPECT_EQ(parseNumericText(u" -1.5e2 "), -150.0);
    EXPECT_EQ(parseNumericText(u"&HFF"), 255.0);
    EXPECT_EQ(parseNumericText(u"+.5"), 0.5);
    for (const char16_t *bad : {u"", u" ", u"abc", u"1,5", u"inf", u"nan", u"0x10", u"1e", u"--1", u"1-2", u"."})
        EXPECT_FALSE(parseNumericText(bad).has_value()) << QString::fromUtf16(bad).toStdString();
    EXPECT_EQ(formatDouble(-0.0), QStringLiteral("0"));
    EXPECT_EQ(formatDouble(1e20), QStringLiteral("1E+20"));
    EXPECT_EQ(formatDouble(-1.5e-7), QStringLiteral("-1.5E-07"));
    EXPECT_EQ(formatDouble(123456.789), QStringLiteral("123456.789"));
    EXPECT_EQ(roundHalfEven(2.5), 2.0);
    EXPECT_EQ(roundHalfEven(-2.5), -2.0);
    EXPECT_EQ(roundHalfEven(-3.5), -4.0);
    EXPECT_EQ(roundHalfEven(2.4999), 2.0);
}

} // namespace
} // namespace mhbk::vbs
