#pragma once

// A criteria table for COUNTIF and SUMIF: a column of values of every kind, each with a power of
// two beside it, so that a SUMIF names exactly the cells a criterion matched.

#include "workbooks/engine/address.h"
#include "workbooks/engine/workbook.h"

#include <vector>

namespace mhbk::wb::test {

struct CriterionCase {
    Value criterion;
    int count;   // COUNTIF over the values
    double sum;  // SUMIF of the powers of two beside them
};

// A1:A26 and their powers of two in B1:B26; A14 is left empty.
inline std::vector<Value> criteriaValues()
{
    return {Value::number(20), Value::text(QStringLiteral("20")), Value::number(10), Value::number(5), Value::number(1.5),
            Value::number(-3), Value::text(QStringLiteral("abc")), Value::text(QStringLiteral("ABC")), Value::text(QStringLiteral("a*c")),
            Value::text(QStringLiteral("a?c")), Value::text(QStringLiteral("ab~c")), Value::text(QStringLiteral("<5")), Value::text(QStringLiteral("=x")), Value(),
            Value::text(QStringLiteral("20a")), Value::text(QStringLiteral("dn50")), Value::text(QStringLiteral("DN50")), Value::text(QStringLiteral("b")),
            Value::text(QStringLiteral("1.5")), Value::text(QStringLiteral("5")), Value::text(QStringLiteral("钢管DN20")), Value::text(QStringLiteral("L50*5")),
            Value::text(QStringLiteral("l50*5")), Value::text(QStringLiteral("~")), Value::text(QStringLiteral("ab")), Value::text(QStringLiteral("25"))};
}

// G1:G8 and their powers of two in H1:H8: truth values beside the text and numbers they could
// be taken for; G7 is left empty.
inline std::vector<Value> truthValues()
{
    return {Value::boolean(true), Value::boolean(false), Value::text(QStringLiteral("TRUE")), Value::text(QStringLiteral("false")),
            Value::number(5), Value::text(QStringLiteral("abc")), Value(), Value::number(2)};
}

// Figures of LibreOffice 7.4's recalculation of this table, where Gnumeric agrees (or, for "<>"
// with a number or a pattern, where LibreOffice reads the criterion as Excel documents it).
inline std::vector<CriterionCase> libreOfficeCases()
{
    return {
        {Value::text(QStringLiteral("20")), 2, 3},
        {Value::text(QStringLiteral("=20")), 2, 3},
        {Value::text(QStringLiteral(">10")), 1, 1},
        {Value::text(QStringLiteral(">=10")), 2, 5},
        {Value::text(QStringLiteral("<10")), 3, 56},
        {Value::text(QStringLiteral("<=5")), 3, 56},
        {Value::text(QStringLiteral("<>20")), 24, 67108860},
        {Value::text(QStringLiteral("<>")), 25, 67100671},
        {Value::text(QStringLiteral("=")), 1, 8192},
        {Value::text(QStringLiteral("abc")), 2, 192},
        {Value::text(QStringLiteral("ABC")), 2, 192},
        {Value::text(QStringLiteral("a*")), 6, 16779200},
        {Value::text(QStringLiteral("a?c")), 4, 960},
        {Value::text(QStringLiteral("a~*c")), 1, 256},
        {Value::text(QStringLiteral("a~?c")), 1, 512},
        {Value::text(QStringLiteral("ab~~c")), 1, 1024},
        {Value::text(QStringLiteral("<5")), 2, 48},
        {Value::text(QStringLiteral("=<5")), 1, 2048},
        {Value::text(QStringLiteral("DN50")), 2, 98304},
        {Value::text(QStringLiteral("dn*")), 2, 98304},
        {Value::text(QStringLiteral("1.5")), 2, 262160},
        {Value::text(QStringLiteral("20a")), 1, 16384},
        {Value::text(QStringLiteral("*c")), 5, 1984},
        {Value::text(QStringLiteral("-3")), 1, 32},
        {Value::text(QStringLiteral("<0")), 1, 32},
        {Value::text(QStringLiteral("=x")), 0, 0},
        {Value::text(QStringLiteral("==x")), 1, 4096},
        {Value::text(QStringLiteral("~")), 1, 8388608},
        {Value::text(QStringLiteral("a~c")), 0, 0},
        {Value::text(QStringLiteral("~~")), 1, 8388608},
        {Value::text(QStringLiteral("<>abc")), 24, 67108671},
        {Value::text(QStringLiteral("<>a*")), 20, 50329663},
        {Value::text(QStringLiteral("20%")), 0, 0},
        {Value::text(QStringLiteral("=1.5")), 2, 262160},
        {Value::text(QStringLiteral("<>1.5")), 24, 66846703},
        {Value::text(QStringLiteral("b*")), 1, 131072},
        {Value::text(QStringLiteral("<>~*")), 26, 67108863},
        {Value::text(QStringLiteral("l50~*5")), 2, 6291456},
        {Value::text(QStringLiteral("L50*5")), 2, 6291456},
        {Value::text(QStringLiteral("<>dn50")), 24, 67010559},
        {Value::text(QStringLiteral("<5.5")), 3, 56},
        {Value::text(QStringLiteral(">=1.5")), 4, 29},
        {Value::text(QStringLiteral("<>5")), 24, 66584567},
        {Value::text(QStringLiteral("=5")), 2, 524296},
        {Value::text(QStringLiteral("钢管*")), 1, 1048576},
        {Value::text(QStringLiteral("<>钢管*")), 25, 66060287},
        {Value::text(QStringLiteral("*DN??")), 3, 1146880},
        {Value::text(QStringLiteral("25")), 1, 33554432},
    };
}

inline std::vector<CriterionCase> libreOfficeTruthCases()
{
    return {
        {Value::boolean(true), 1, 1},
        {Value::boolean(false), 1, 2},
        {Value::text(QStringLiteral(">=5")), 1, 16},
        {Value::text(QStringLiteral("<>")), 7, 191},
        {Value::text(QStringLiteral("=")), 1, 64},
        {Value::text(QStringLiteral("abc")), 1, 32},
        {Value::text(QStringLiteral("<>5")), 7, 239},
        {Value::number(5), 1, 16},
    };
}

// Where LibreOffice departs from Excel's documented rules, the figures of Gnumeric, which keeps
// them: a number criterion matches numbers kept as text whatever their spelling ("1.50", 5);
// wildcards match text only (LibreOffice lets "*" match 20); a TRUE criterion matches truth
// values only (LibreOffice, without a separate truth type, also matches the text "TRUE").
inline std::vector<CriterionCase> excelCases()
{
    return {
        {Value::number(20), 2, 3},
        {Value::text(QStringLiteral("*")), 20, 67100610},
        {Value::text(QStringLiteral("?")), 3, 9043968},
        {Value::text(QStringLiteral("1.50")), 2, 262160},
        {Value::text(QStringLiteral("15e-1")), 2, 262160},
        {Value::text(QStringLiteral(" 20")), 2, 3},
        {Value::text(QStringLiteral("0.2E2")), 2, 3},
        {Value::text(QStringLiteral("?0")), 1, 2},
        {Value::text(QStringLiteral("*0")), 4, 1146882},
        {Value::text(QStringLiteral("~a*c")), 0, 0},
        {Value::number(5), 2, 524296},
        {Value::number(1.5), 2, 262160},
        {Value::text(QStringLiteral("2.5E1")), 1, 33554432},
    };
}

inline std::vector<CriterionCase> excelTruthCases()
{
    return {
        {Value::text(QStringLiteral("TRUE")), 1, 1},
        {Value::text(QStringLiteral("FALSE")), 1, 2},
        {Value::text(QStringLiteral("true")), 1, 1},
        {Value::text(QStringLiteral("=TRUE")), 1, 1},
        {Value::text(QStringLiteral("<>TRUE")), 7, 254},
        {Value::text(QStringLiteral("<>FALSE")), 7, 253},
        {Value::text(QStringLiteral("=FALSE")), 1, 2},
    };
}

// The table on the first sheet: the values in A and G, the criteria in C and I, COUNTIF in D and
// J, SUMIF in E and K, row by row.
inline Workbook criteriaBook(const std::vector<CriterionCase> &cases, const std::vector<CriterionCase> &truthCases)
{
    Workbook book;
    book.addSheet(QStringLiteral("criteria"));
    const auto fill = [&](const std::vector<Value> &values, int col) {
        for (std::size_t i = 0; i < values.size(); ++i) {
            if (!values[i].isEmpty())
                book.setValue(0, int(i), col, values[i]);
            book.setValue(0, int(i), col + 1, Value::number(double(1 << i)));
        }
        return QStringLiteral("$%1$1:$%1$%2").arg(columnName(col)).arg(values.size());
    };
    const auto formulas = [&](const std::vector<CriterionCase> &list, int col, const QString &values,
                              const QString &weights) {
        for (std::size_t i = 0; i < list.size(); ++i) {
            const QString criterion = addressText(int(i), col);
            book.setValue(0, int(i), col, list[i].criterion);
            book.setInput(0, int(i), col + 1, QStringLiteral("=COUNTIF(%1,%2)").arg(values, criterion));
            book.setInput(0, int(i), col + 2, QStringLiteral("=SUMIF(%1,%2,%3)").arg(values, criterion, weights));
        }
    };
    const QString values = fill(criteriaValues(), 0), truths = fill(truthValues(), 6);
    formulas(cases, 2, values, QStringLiteral("$B$1:$B$26"));
    formulas(truthCases, 8, truths, QStringLiteral("$H$1:$H$8"));
    return book;
}

} // namespace mhbk::wb::test
