// CByte, CSng, CCur, Asc and IsNumeric, and the Rnd sequence with Randomize.
#include "vbscases.h"
#include "expr/scriptcontrol.h"

#include <set>

namespace mhbk::vbs {
namespace {

TEST(VbsConversions, Values)
{
    const ValueCase cases[] = {
        // CByte rounds half to even like CInt; True is all bits set.
        {"CByte(0.5)", "Byte", "0"},        {"CByte(1.5)", "Byte", "2"},       {"CByte(2.5)", "Byte", "2"},
        {"CByte(254.5)", "Byte", "254"},    {"CByte(-0.5)", "Byte", "0"},      {"CByte(\" 12 \")", "Byte", "12"},
        {"CByte(True)", "Byte", "255"},     {"CByte(Empty)", "Byte", "0"},     {"VarType(CByte(1))", "Integer", "17"},
        {"CByte(200) + CByte(100)", "Integer", "300"},                         {"Not CByte(1)", "Byte", "254"},
        // CSng keeps single precision and prints 7 significant digits.
        {"CSng(1/3)", "Single", "0.3333333"}, {"CSng(2.5)", "Single", "2.5"},  {"CSng(16777217) - 16777216", "Double", "0"},
        {"CSng(1E7)", "Single", "1E+07"},   {"CSng(1234567)", "Single", "1234567"},
        {"CSng(12345678)", "Single", "1.234568E+07"},
        {"CSng(0.00001)", "Single", "1E-05"}, {"CSng(1E-50)", "Single", "0"},  {"VarType(CSng(1))", "Integer", "4"},
        {"CSng(0.1) = 0.1", "Boolean", "False"},                                 {"CSng(-3)", "Single", "-3"},
        // CCur keeps four decimals, the fifth rounded half to even.
        {"CCur(1/3)", "Currency", "0.3333"},  {"CCur(2.5)", "Currency", "2.5"}, {"CCur(1.23456)", "Currency", "1.2346"},
        {"CCur(1.03125)", "Currency", "1.0312"}, {"CCur(1.09375)", "Currency", "1.0938"},
        {"CCur(-1.03125)", "Currency", "-1.0312"},
        {"CCur(100000)", "Currency", "100000"}, {"CCur(1E14)", "Currency", "100000000000000"},
        {"CCur(\"12.5\")", "Currency", "12.5"}, {"CCur(True)", "Currency", "-1"}, {"VarType(CCur(1))", "Integer", "6"},
        {"CCur(CCur(1.5))", "Currency", "1.5"}, {"CCur(0.1) * 3", "Double", "0.3"},
        // Asc: the code of the first character.
        {"Asc(\"A\")", "Integer", "65"},    {"Asc(\"abc\")", "Integer", "97"}, {"Asc(5)", "Integer", "53"},
        {"Asc(\"中\")", "Integer", "20013"}, {"Asc(True)", "Integer", "84"},
        // IsNumeric: whether the value converts to a number, never an error.
        {"IsNumeric(1)", "Boolean", "True"},       {"IsNumeric(\" 12 \")", "Boolean", "True"},
        {"IsNumeric(\"1.5e3\")", "Boolean", "True"}, {"IsNumeric(\"&H1F\")", "Boolean", "True"},
        {"IsNumeric(\"\")", "Boolean", "False"},   {"IsNumeric(\"12a\")", "Boolean", "False"},
        {"IsNumeric(\"1,5\")", "Boolean", "False"}, {"IsNumeric(Null)", "Boolean", "False"},
        {"IsNumeric(Empty)", "Boolean", "True"},   {"IsNumeric(True)", "Boolean", "True"},
        {"IsNumeric(Nothing)", "Boolean", "False"}, {"IsNumeric(CCur(1))", "Boolean", "True"},
    };
    for (const ValueCase &c : cases)
        expectValue(c);
}

TEST(VbsConversions, Errors)
{
    const ErrorCase cases[] = {
        {"CByte(255.5)", 6, 0, "溢出: 'CByte'"},
        {"CByte(-0.51)", 6, 0},
        {"CByte(-1)", 6, 0},
        {"CByte(\"x\")", 13, 0, "类型不匹配: 'CByte'"},
        {"CByte(Null)", 94, 0, "无效使用 Null: 'CByte'"},
        {"CSng(1E39)", 6, 0, "溢出: 'CSng'"},
        {"CSng(-1E39)", 6, 0},
        {"CSng(Null)", 94, 0},
        {"CCur(1E15)", 6, 0, "溢出: 'CCur'"},
        {"CCur(-1E15)", 6, 0},
        {"CCur(\"\")", 13, 0, "类型不匹配: 'CCur'"},
        {"Asc(\"\")", 5, 0, "无效的过程调用或参数: 'Asc'"},
        {"1 + Asc(Empty)", 5, 4},
        {"Asc(Null)", 94, 0, "无效使用 Null: 'Asc'"},
        {"IsNumeric()", 450, 0},
        {"CByte", 450, 0},
    };
    for (const ErrorCase &c : cases)
        expectError(c);
}

double number(const QString &expression, Session &session)
{
    const Variant value = evaluate(expression, session);
    EXPECT_EQ(value.type(), VarType::Single) << expression.toStdString();
    return value.numericValue();
}

TEST(VbsRandom, TheSequenceStartsWhereVBScriptsDoes)
{
    Session session;
    // Bare and with a positive argument alike: the next number.
    EXPECT_FLOAT_EQ(number(QStringLiteral("Rnd"), session), 0.7055475f);
    EXPECT_FLOAT_EQ(number(QStringLiteral("rnd(1)"), session), 0.533424f);
    EXPECT_FLOAT_EQ(number(QStringLiteral("Rnd()"), session), 0.5795186f);
    EXPECT_FLOAT_EQ(number(QStringLiteral("Rnd(0)"), session), 0.5795186f);
    EXPECT_FLOAT_EQ(number(QStringLiteral("Rnd(-1)"), session), 0.224007f);
    const double afterSeed = number(QStringLiteral("Rnd"), session);
    EXPECT_DOUBLE_EQ(number(QStringLiteral("Rnd(0)"), session), afterSeed);
    EXPECT_EQ(shown(evaluate(QStringLiteral("Int(Rnd(-1)*10)"), session)), QStringLiteral("2"));
}

TEST(VbsRandom, EveryNumberLiesInTheHalfOpenUnitInterval)
{
    Session session;
    std::set<double> seen;
    double sum = 0.0;
    const int draws = 20000;
    for (int i = 0; i < draws; ++i) {
        const double x = number(QStringLiteral("Rnd"), session);
        ASSERT_GE(x, 0.0);
        ASSERT_LT(x, 1.0);
        seen.insert(x);
        sum += x;
    }
    EXPECT_EQ(seen.size(), static_cast<std::size_t>(draws)); // a full-period generator repeats nothing this soon
    EXPECT_NEAR(sum / draws, 0.5, 0.01);
}

TEST(VbsRandom, ANegativeArgumentAlwaysGivesItsOwnNumber)
{
    for (const char *seed : {"-1", "-2.5", "-1000", "-0.001"}) {
        Session fresh;
        Session used;
        for (int i = 0; i < 7; ++i)
            evaluate(QStringLiteral("Rnd"), used);
        const QString text = QStringLiteral("Rnd(%1)").arg(QLatin1String(seed));
        const double first = number(text, fresh);
        EXPECT_DOUBLE_EQ(number(text, used), first) << seed;
        // The sequence after it is the same too.
        EXPECT_DOUBLE_EQ(number(QStringLiteral("Rnd"), used), number(QStringLiteral("Rnd"), fresh)) << seed;
    }
    Session session;
    EXPECT_NE(number(QStringLiteral("Rnd(-1)"), session), number(QStringLiteral("Rnd(-2)"), session));
}

TEST(VbsRandom, RandomizeReseeds)
{
    // The same state and the same seed give the same numbers; another seed others.
    auto after = [](const char *statement) {
        Session session;
        evaluate(QStringLiteral("Rnd(-1)"), session);
        return number(QString::fromLatin1(statement) + QStringLiteral(": Rnd"), session);
    };
    EXPECT_DOUBLE_EQ(after("Randomize 10"), after("randomize(10)"));
    EXPECT_NE(after("Randomize 10"), after("Randomize 11"));
    EXPECT_NE(after("Randomize 10"), after("Randomize 0"));

    // Without an argument the clock is the seed.
    Session clocked;
    clocked.clock = [] { return 45296.25; };
    evaluate(QStringLiteral("Rnd(-1)"), clocked);
    EXPECT_DOUBLE_EQ(number(QStringLiteral("Randomize : Rnd"), clocked), after("Randomize 45296.25"));

    // A text of statements alone has no value; several may stand before the expression.
    Session session;
    EXPECT_TRUE(evaluate(QStringLiteral("Randomize 3"), session).isEmpty());
    EXPECT_EQ(shown(evaluate(QStringLiteral("Randomize 3 : Randomize 4 :  1+1"), session)), QStringLiteral("2"));
}

TEST(VbsRandom, MisuseIsAnError)
{
    const ErrorCase cases[] = {
        {"Rnd(Null)", 94, 0, "无效使用 Null: 'Rnd'"},
        {"Rnd(\"x\")", 13, 0, "类型不匹配: 'Rnd'"},
        {"Rnd(1E39)", 6, 0, "溢出: 'Rnd'"},
        {"Rnd(1, 2)", 450, 0},
        {"1 + Randomize", 1002, 4, "语法错误"},
        {"Rnd : Randomize", 1025, 6, "语句未结束"},
        {"Randomize \"x\"", 13, 0, "类型不匹配: 'Randomize'"},
        {"Randomize 1 2", 1025, 12},
    };
    for (const ErrorCase &c : cases)
        expectError(c);
}

TEST(VbsRandom, EachEvaluatorHasItsOwnSequence)
{
    ScriptControl first;
    ScriptControl second;
    const double a1 = first.eval(QStringLiteral("Rnd")).numericValue();
    const double a2 = first.eval(QStringLiteral("Rnd")).numericValue();
    first.reset(); // forgets the error only
    const double a3 = first.eval(QStringLiteral("Rnd")).numericValue();
    EXPECT_NE(a1, a2);
    EXPECT_NE(a2, a3);
    EXPECT_DOUBLE_EQ(second.eval(QStringLiteral("Rnd")).numericValue(), a1);
    // The free function keeps nothing between calls.
    EXPECT_DOUBLE_EQ(evaluate(QStringLiteral("Rnd")).numericValue(), evaluate(QStringLiteral("Rnd")).numericValue());
}

} // namespace
} // namespace mhbk::vbs
