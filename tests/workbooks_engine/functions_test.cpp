#include "enginetestutil.h"

// Sheet1 (see enginetestutil.h): A1:A5 = 1..5, B1:B5 = 10..50, C1:C5 = "abc", "钢管DN20", TRUE,
// (empty), "5" (text); D1:D4 = 10..40; E1:E4 = 十, 二十, 三十, 四十; F1 = #DIV/0!.

namespace mhbk::wb::test {
namespace {

TEST(FunctionsTest, Aggregates)
{
    checkAll({
        {"=SUM(A1:A5)", "15"},
        {"=SUM(1,\"2\",TRUE)", "4"},       // typed arguments are converted
        {"=SUM(C1:C5)", "0"},              // text and booleans in references are not
        {"=SUM(\"x\")", "#VALUE!"},
        {"=SUM(A1:F1)", "#DIV/0!"},
        {"=PRODUCT(A1:A4)", "24"},
        {"=PRODUCT(C1:C5)", "0"},
        {"=AVERAGE(A1:A5)", "3"},
        {"=AVERAGE(A1:A2,\"7\")", "3.33333333333333"},
        {"=AVERAGE(C1:C5)", "#DIV/0!"},
        {"=COUNT(A1:C5)", "10"},
        {"=COUNT(1,\"2\",\"x\",TRUE)", "3"},
        {"=COUNT(F1,A1)", "1"},
        {"=COUNTA(A1:C5)", "14"},
        {"=COUNTA(F1)", "1"},
        {"=MAX(A1:B5)", "50"},
        {"=MAX(C1:C5)", "0"},
        {"=MIN(A1:B5,-3)", "-3"},
        {"=MAX(A1,F1)", "#DIV/0!"},
        {"=MIN(\"x\")", "#VALUE!"},
    });
}

TEST(FunctionsTest, ConditionalAndProductSums)
{
    checkAll({
        {"=COUNTIF(A1:A5,\">2\")", "3"},
        {"=COUNTIF(A1:A5,3)", "1"},
        {"=COUNTIF(A1:B5,\">=20\")", "4"},
        {"=COUNTIF(C1:C5,\"ABC\")", "1"},
        {"=COUNTIF(C1:C5,\"钢管*\")", "1"},
        {"=COUNTIF(C1:C5,\"?管*\")", "1"},
        {"=COUNTIF(C1:C5,\"<>abc\")", "4"},
        {"=COUNTIF(C1:C5,\"\")", "1"},
        {"=COUNTIF(A1:A5,F1)", "#DIV/0!"},
        {"=SUMIF(A1:A5,\">2\",B1:B5)", "120"},
        {"=SUMIF(A1:A5,\">2\")", "12"},
        {"=SUMIF(E1:E4,\"二十\",D1:D4)", "20"},
        {"=SUMIF(A1:A5,\"<=1\",F1:F5)", "#DIV/0!"},
        {"=SUMIF(A1:A5,\">9\")", "0"},
        {"=SUMPRODUCT(A1:A5,B1:B5)", "550"},
        {"=SUMPRODUCT(A1:A5)", "15"},
        {"=SUMPRODUCT((A1:A5>2)*B1:B5)", "120"},
        {"=SUMPRODUCT(A1:A3,B1:B2)", "#VALUE!"},
        {"=SUMPRODUCT(A1:A2,F1:F2)", "#DIV/0!"},
        {"=SUMPRODUCT(A:A,B:B)", "550"},               // whole columns stop at the used rows
        {"=SUMPRODUCT((A:A>2)*B:B)", "120"},
    });
}

TEST(FunctionsTest, RoundingUsesExcelSemantics)
{
    checkAll({
        {"=ROUND(2.675,2)", "2.68"},        // decimal halves, despite binary 2.67499999...
        {"=ROUND(0.285,2)", "0.29"},
        {"=ROUND(-2.5,0)", "-3"},           // half away from zero
        {"=ROUND(2.5,0)", "3"},
        {"=ROUND(1234.5,-2)", "1200"},
        {"=ROUND(1.005,2)", "1.01"},
        {"=ROUND(\"x\",1)", "#VALUE!"},
        {"=ROUNDUP(3.14159,2)", "3.15"},
        {"=ROUNDUP(-3.14159,1)", "-3.2"},
        {"=ROUNDUP(0.1*3,1)", "0.3"},
        {"=ROUNDDOWN(3.999,2)", "3.99"},
        {"=ROUNDDOWN(-3.999,0)", "-3"},
        {"=INT(-2.5)", "-3"},
        {"=INT(2.9)", "2"},
        {"=TRUNC(-2.5)", "-2"},
        {"=TRUNC(3.14159,3)", "3.141"},
        {"=CEILING(2.1,1)", "3"},
        {"=CEILING(1.1,0.1)", "1.1"},
        {"=CEILING(-2.5,-2)", "-4"},
        {"=CEILING(-2.5,2)", "-2"},
        {"=CEILING(2.5,-2)", "#NUM!"},
        {"=CEILING(5,0)", "0"},
        {"=FLOOR(2.9,1)", "2"},
        {"=FLOOR(0.7,0.1)", "0.7"},
        {"=FLOOR(-2.5,-2)", "-2"},
        {"=FLOOR(2.5,-2)", "#NUM!"},
        {"=FLOOR(5,0)", "#DIV/0!"},
    });
}

TEST(FunctionsTest, Mathematics)
{
    checkAll({
        {"=MOD(10,3)", "1"},
        {"=MOD(-10,3)", "2"},       // sign of the divisor
        {"=MOD(10,-3)", "-2"},
        {"=MOD(5.5,1)", "0.5"},
        {"=MOD(5,0)", "#DIV/0!"},
        {"=ABS(-3)", "3"},
        {"=ABS(\"x\")", "#VALUE!"},
        {"=SQRT(16)", "4"},
        {"=SQRT(-1)", "#NUM!"},
        {"=POWER(2,10)", "1024"},
        {"=POWER(0,0)", "#NUM!"},
        {"=POWER(-8,1/3)", "#NUM!"},
        {"=PI()", "3.14159265358979"},
        {"=EXP(1)", "2.71828182845905"},
        {"=LN(EXP(2))", "2"},
        {"=LN(0)", "#NUM!"},
        {"=LOG10(1000)", "3"},
        {"=LOG10(-1)", "#NUM!"},
        {"=SIN(PI()/2)", "1"},
        {"=COS(0)", "1"},
        {"=TAN(PI()/4)", "1"},
        {"=RADIANS(180)", "3.14159265358979"},
        {"=DEGREES(PI())", "180"},
        {"=SIN(\"x\")", "#VALUE!"},
    });
}

TEST(FunctionsTest, Logic)
{
    checkAll({
        {"=IF(A1>0,\"yes\",\"no\")", "\"yes\""},
        {"=IF(A1>5,\"yes\")", "FALSE"},
        {"=IF(\"x\",1,2)", "#VALUE!"},
        {"=IF(F1,1,2)", "#DIV/0!"},
        {"=IF(1,1,1/0)", "1"},
        {"=IF(0,1,1/0)", "#DIV/0!"},
        {"=SUM(IF(1,A1:A5,0))", "15"},
        {"=IFERROR(1/0,\"none\")", "\"none\""},
        {"=IFERROR(5,0)", "5"},
        {"=IFERROR(F1,-1)", "-1"},
        {"=NA()", "#N/A"},
        {"=IFERROR(NA(),2)", "2"},
        {"=AND(TRUE,1)", "TRUE"},
        {"=AND(A1:A5)", "TRUE"},
        {"=AND(TRUE,0)", "FALSE"},
        {"=AND(C1:C2)", "#VALUE!"},
        {"=AND(\"x\")", "#VALUE!"},
        {"=OR(0,FALSE)", "FALSE"},
        {"=OR(C3,0)", "TRUE"},
        {"=OR(F1)", "#DIV/0!"},
        {"=NOT(TRUE)", "FALSE"},
        {"=NOT(0)", "TRUE"},
        {"=NOT(\"x\")", "#VALUE!"},
        {"=CHOOSE(2,\"a\",\"b\",\"c\")", "\"b\""},
        {"=CHOOSE(2.9,\"a\",\"b\")", "\"b\""},
        {"=CHOOSE(4,\"a\",\"b\",\"c\")", "#VALUE!"},
        {"=CHOOSE(0,\"a\")", "#VALUE!"},
        {"=ISBLANK(C4)", "TRUE"},
        {"=ISBLANK(C1)", "FALSE"},
        {"=ISBLANK(\"\")", "FALSE"},
        {"=ISNUMBER(A1)", "TRUE"},
        {"=ISNUMBER(C5)", "FALSE"},
        {"=ISNUMBER(F1)", "FALSE"},
    });
}

TEST(FunctionsTest, Lookups)
{
    checkAll({
        {"=VLOOKUP(30,D1:E4,2,FALSE)", "\"三十\""},
        {"=VLOOKUP(35,D1:E4,2)", "\"三十\""},
        {"=VLOOKUP(35,D1:E4,2,TRUE)", "\"三十\""},
        {"=VLOOKUP(99,D1:E4,2)", "\"四十\""},
        {"=VLOOKUP(5,D1:E4,2)", "#N/A"},
        {"=VLOOKUP(35,D1:E4,2,FALSE)", "#N/A"},
        {"=VLOOKUP(30,D1:E4,3,FALSE)", "#REF!"},
        {"=VLOOKUP(30,D1:E4,0)", "#VALUE!"},
        {"=VLOOKUP(\"钢管*\",C1:D5,2,FALSE)", "20"},
        {"=VLOOKUP(F1,D1:E4,2)", "#DIV/0!"},
        {"=HLOOKUP(10,B1:B5,3,FALSE)", "30"},
        {"=HLOOKUP(\"abc\",C1:D3,2,FALSE)", "\"钢管DN20\""},
        {"=HLOOKUP(99,A1:B2,2,FALSE)", "#N/A"},
        {"=INDEX(A1:B5,3,2)", "30"},
        {"=INDEX(A1:A5,4)", "4"},
        {"=INDEX(A1:E1,3)", "\"abc\""},
        {"=INDEX(A1:B5,6,1)", "#REF!"},
        {"=INDEX(A1:B5,-1,1)", "#VALUE!"},
        {"=SUM(INDEX(A1:B5,0,2))", "150"},
        {"=INDEX(D1:D4,MATCH(\"三十\",E1:E4,0))", "30"},
        {"=MATCH(30,D1:D4,0)", "3"},
        {"=MATCH(35,D1:D4)", "3"},
        {"=MATCH(5,D1:D4)", "#N/A"},
        {"=MATCH(\"三*\",E1:E4,0)", "3"},
        {"=MATCH(1,A1:B2,0)", "#N/A"},
    });
}

TEST(FunctionsTest, TextCountsCharactersNotBytes)
{
    checkAll({
        {"=CONCATENATE(\"a\",1,TRUE)", "\"a1TRUE\""},
        {"=CONCATENATE(C2,\"×\",A2)", "\"钢管DN20×2\""},
        {"=CONCATENATE(F1)", "#DIV/0!"},
        {"=LEN(\"钢管DN20\")", "6"},
        {"=LEN(C2)", "6"},
        {"=LEN(123.5)", "5"},
        {"=LEN(\"\")", "0"},
        {"=LEN(\"𠀀a\")", "2"},             // a character outside the BMP is one character
        {"=LEFT(\"钢管DN20\",2)", "\"钢管\""},
        {"=LEFT(\"abc\")", "\"a\""},
        {"=LEFT(\"abc\",10)", "\"abc\""},
        {"=LEFT(\"abc\",-1)", "#VALUE!"},
        {"=LEFT(\"𠀀𠀁\",1)", "\"𠀀\""},
        {"=RIGHT(\"钢管DN20\",4)", "\"DN20\""},
        {"=RIGHT(C2,0)", "\"\""},
        {"=MID(\"钢管DN20\",2,3)", "\"管DN\""},
        {"=MID(\"abc\",5,2)", "\"\""},
        {"=MID(\"abc\",0,1)", "#VALUE!"},
        {"=MID(\"abc\",2,-1)", "#VALUE!"},
        {"=VALUE(\"1,234.5\")", "1234.5"},
        {"=VALUE(\"12%\")", "0.12"},
        {"=VALUE(C5)", "5"},
        {"=VALUE(\"abc\")", "#VALUE!"},
        {"=TEXT(1234.567,\"#,##0.00\")", "\"1,234.57\""},
        {"=TEXT(0.256,\"0.0%\")", "\"25.6%\""},
        {"=TEXT(3.14159,\"0.0000\")", "\"3.1416\""},
        {"=TEXT(2.5,\"0\")", "\"3\""},
        {"=TEXT(-1.5,\"0.00\")", "\"-1.50\""},
        {"=TEXT(\"abc\",\"0.00\")", "\"abc\""},
        {"=TEXT(F1,\"0\")", "#DIV/0!"},
        {"=UPPER(\"abc\")", "\"ABC\""},
        {"=TRIM(\"  a  b \")", "\"a b\""},
    });
}

TEST(FunctionsTest, WrongArgumentCountsAreSyntaxErrors)
{
    Workbook b = sampleBook();
    for (const char *f : {"=ROUND(1)", "=MID(\"a\",1)", "=IF(1)", "=VLOOKUP(1,A1:B2)", "=NOT(1,2)", "=SUM()"})
        EXPECT_FALSE(b.setInput(0, 50, 0, QString::fromUtf8(f)).ok) << f;
}

// Numbers equal in their first 15 significant digits are equal to "=", "<>", the lookups and
// the criteria, as in the spreadsheet programs: (0.1+0.2)*100 is 30.000000000000004.
TEST(FunctionsTest, ComparisonsHoldToFifteenDigits)
{
    checkAll({
        {"=0.1+0.2=0.3", "TRUE"},
        {"=0.1+0.2<>0.3", "FALSE"},
        {"=0.3=0.1+0.2", "TRUE"},
        {"=0.1+0.2>0.3", "FALSE"},
        {"=0.1+0.2>=0.3", "TRUE"},
        {"=1+1E-13=1", "FALSE"},          // the 14th digit differs
        {"=1+1E-16=1", "TRUE"},
        {"=1E-20=0", "FALSE"},            // tiny is not zero
        {"=-(0.1+0.2)=-0.3", "TRUE"},
        {"=MATCH((0.1+0.2)*100,B1:B5,0)", "3"},
        {"=VLOOKUP((0.1+0.2)*10,A1:B5,2,FALSE)", "30"},
        {"=HLOOKUP((0.1+0.2)*10,A3:B3,1,FALSE)", "3"},
        {"=COUNTIF(B1:B5,(0.1+0.2)*100)", "1"},
        {"=IF(1.1*3=3.3,\"同\",\"异\")", "\"同\""},
    });
}

// EXACT tells letter case apart, and inside SUMPRODUCT compares each cell of a range.
TEST(FunctionsTest, ExactAndItsUseOverARange)
{
    checkAll({
        {"=EXACT(\"DN50\",\"dn50\")", "FALSE"},
        {"=EXACT(\"DN50\",\"DN50\")", "TRUE"},
        {"=EXACT(A1,\"1\")", "TRUE"},
        {"=EXACT(F1,\"x\")", "#DIV/0!"},
        {"=SUMPRODUCT(--EXACT(C1:C5,\"abc\"),B1:B5)", "10"},
        {"=SUMPRODUCT(--EXACT(C1:C5,\"ABC\"),B1:B5)", "0"},
        {"=SUMPRODUCT(EXACT(C1:C5,\"abc\")*EXACT(A1:A5,\"1\"),B1:B5)", "10"},
        {"=SUMPRODUCT(--ISNUMBER(C1:C5))", "0"},
        {"=SUMPRODUCT(LEN(E1:E4))", "7"},
        {"=EXACT(C1:C5,\"abc\")", "#VALUE!"}, // outside an array formula, no cell of C1:C5 is in row 100
    });
}

// Full-width digits, signs and points, as a Chinese input method types them, are numbers.
TEST(FunctionsTest, FullWidthNumbersAreNumbers)
{
    Workbook b = sampleBook();
    const struct {
        const char *typed;
        const char *stored;
    } cases[] = {
        {"５７", "57"}, {"－１．５", "-1.5"}, {"＋２", "2"}, {"１ｅ３", "1000"}, {"５０％", "0.5"},
        {"　５７　", "57"}, {"１，２３４", "1234"}, {"５７ｋｇ", "\"５７ｋｇ\""}, {"．", "\"．\""},
    };
    for (const auto &c : cases) {
        b.setInput(0, 9, 0, QString::fromUtf8(c.typed));
        EXPECT_EQ(show(b.value(0, 9, 0)), QString::fromUtf8(c.stored)) << c.typed;
    }
    b.setInput(0, 9, 0, QStringLiteral("５７"));
    b.setInput(0, 9, 1, QStringLiteral("=A10*2"));
    EXPECT_EQ(show(b.value(0, 9, 1)), QStringLiteral("114"));
    EXPECT_EQ(eval(b, QStringLiteral("=\"３\"+1")), QStringLiteral("4"));
}

} // namespace
} // namespace mhbk::wb::test
