#include "enginetestutil.h"

namespace mhbk::wb::test {
namespace {

TEST(FormulaTest, OperatorsFollowExcelPrecedence)
{
    checkAll({
        {"=1+2*3", "7"},
        {"=(1+2)*3", "9"},
        {"=-2^2", "4"},            // negation binds tighter than ^
        {"=2^3^2", "64"},          // ^ is left-associative
        {"=2^-1", "0.5"},
        {"=10-2-3", "5"},
        {"=12/2/3", "2"},
        {"=50%", "0.5"},
        {"=200*10%", "20"},
        {"=-50%", "-0.5"},
        {"=2^50%", "1.4142135623731"},
        {"=1+2&3", "\"33\""},      // & below +
        {"=\"a\"&1+1", "\"a2\""},
        {"=1+1=2", "TRUE"},        // comparison lowest
        {"=1&2=12", "FALSE"},      // "12" (text) vs 12 (number): text ranks above numbers
        {"=\"12\"=1&2", "TRUE"},
        {"=3>2", "TRUE"},
        {"=2<>2", "FALSE"},
        {"=2<=2", "TRUE"},
        {"=\"abc\"=\"ABC\"", "TRUE"},   // text comparison ignores case
        {"=\"b\">\"a\"", "TRUE"},
        {"=TRUE>1", "TRUE"},      // booleans rank above numbers
        {"=\"x\"<1", "FALSE"},
        {"=+5", "5"},
        {"=--5", "5"},
        {"= 1 + 2 ", "3"},
        {"=1.5e2", "150"},
        {"=.5*2", "1"},
        {"=\"say \"\"hi\"\"\"", "\"say \"hi\"\""},
        {"=0.1+0.2", "0.3"},
    });
}

TEST(FormulaTest, ArithmeticErrorsAndCoercion)
{
    checkAll({
        {"=1/0", "#DIV/0!"},
        {"=0^0", "#NUM!"},
        {"=0^-1", "#DIV/0!"},
        {"=(-8)^(1/3)", "#NUM!"},
        {"=\"3\"*2", "6"},          // numeric text takes part in arithmetic
        {"=\" 3 \"+1", "4"},
        {"=\"1,000\"+1", "1001"},
        {"=\"abc\"+1", "#VALUE!"},
        {"=TRUE+1", "2"},
        {"=C4+1", "1"},             // an empty cell is 0
        {"=C4&\"x\"", "\"x\""},
        {"=D1:D2", "#VALUE!"},      // no implicit intersection from row 100
        {"=F1+1", "#DIV/0!"},       // errors pass on
        {"=#N/A", "#N/A"},
        {"=1E308*10", "#NUM!"},
        {"=1/3&\"\"", "\"0.333333333333333\""},
    });
}

TEST(FormulaTest, ReferencesRangesAndSheets)
{
    checkAll({
        {"=A1+B2", "21"},
        {"=$A$1+A$2+$A3", "6"},
        {"=a1*b1", "10"},
        {"=SUM(A1:B5)", "165"},
        {"=SUM(B5:A1)", "165"},     // corners in any order
        {"=SUM(A:A)", "15"},        // whole column
        {"=SUM(3:4)", "147"},       // whole rows
        {"='Sheet 2'!A1", "100"},
        {"='sheet 2'!B1+1", "201"},
        {"=SUM('Sheet 2'!A1:B1)", "300"},
        {"=Sheet1!A2", "2"},
        {"=Nowhere!A1", "#REF!"},
        {"=C4", "0"},               // an empty cell shows 0 through a formula
        {"=Z101", "0"},
        {"=nosuchname", "#NAME?"},
        {"=NOSUCHFUNC(1)", "#NAME?"},
        {"=A1048576", "0"},
    });
}

TEST(FormulaTest, ImplicitIntersectionTakesTheFormulasRow)
{
    Workbook b = sampleBook();
    b.setInput(0, 2, 7, QStringLiteral("=A1:A5*2"));   // H3: row 3 of column A
    EXPECT_EQ(show(b.value(0, 2, 7)), QStringLiteral("6"));
    b.setInput(0, 2, 8, QStringLiteral("=SUMPRODUCT(A1:A5*2)"));
    EXPECT_EQ(show(b.value(0, 2, 8)), QStringLiteral("30"));
}

TEST(FormulaTest, SyntaxErrorsAreReportedAndKeptAsNameErrors)
{
    struct Case
    {
        const char *input;
        int position;   // 1-based position in the typed text, or 0 to skip the check
    };
    const Case cases[] = {
        {"=1+", 4}, {"=(1+2", 6}, {"=SUM(1,2", 0}, {"=\"abc", 0}, {"=1 2", 4}, {"=ROUND(1)", 0},
        {"=PI(1)", 0}, {"='Sheet 2", 0}, {"=A1:", 0}, {"=@", 2}, {"=#FOO", 0}, {"=1+*2", 0},
    };
    for (const Case &c : cases) {
        Workbook b = sampleBook();
        const InputResult r = b.setInput(0, 9, 0, QString::fromUtf8(c.input));
        EXPECT_FALSE(r.ok) << c.input;
        EXPECT_FALSE(r.message.isEmpty()) << c.input;
        if (c.position) {
            EXPECT_EQ(r.position, c.position) << c.input;
        }
        EXPECT_EQ(b.sheet(0).input(9, 0), QString::fromUtf8(c.input));
        EXPECT_EQ(show(b.value(0, 9, 0)), QStringLiteral("#NAME?")) << c.input;
    }
}

TEST(FormulaTest, DeepNestingIsRefusedNotOverflowed)
{
    Workbook b = sampleBook();
    const QString deep = u'=' + QString(5000, u'(') + u'1' + QString(5000, u')');
    EXPECT_FALSE(b.setInput(0, 0, 9, deep).ok);
    const QString negations = u'=' + QString(5000, u'-') + u'1';
    EXPECT_FALSE(b.setInput(0, 0, 9, negations).ok);
    const QString fine = u'=' + QString(30, u'(') + u'1' + QString(30, u')');
    EXPECT_TRUE(b.setInput(0, 0, 9, fine).ok);
}

TEST(FormulaTest, TypedConstantsAreRecognisedLikeExcel)
{
    struct Case
    {
        const char *input;
        const char *value;
        const char *givenBack;
    };
    const Case cases[] = {
        {"12.5", "12.5", "12.5"},  {" 7 ", "7", "7"},         {"-3e2", "-300", "-300"},
        {"1,234.5", "1234.5", "1234.5"}, {"50%", "0.5", "0.5"}, {"true", "TRUE", "TRUE"},
        {"#n/a", "#N/A", "#N/A"},  {"'007", "\"007\"", "'007"}, {"abc", "\"abc\"", "abc"},
        {"1,23", "\"1,23\"", "1,23"}, {"=", "\"=\"", "'="},   {"按设计", "\"按设计\"", "按设计"},
    };
    for (const Case &c : cases) {
        Workbook b = sampleBook();
        b.setInput(0, 9, 0, QString::fromUtf8(c.input));
        EXPECT_EQ(show(b.value(0, 9, 0)), QString::fromUtf8(c.value)) << c.input;
        EXPECT_EQ(b.sheet(0).input(9, 0), QString::fromUtf8(c.givenBack)) << c.input;
        // What input() gives back reads as the same value again.
        b.setInput(0, 9, 1, b.sheet(0).input(9, 0));
        EXPECT_EQ(b.value(0, 9, 1), b.value(0, 9, 0)) << c.input;
    }
}

} // namespace
} // namespace mhbk::wb::test
