#pragma once

#include "workbooks/engine/numberformat.h"
#include "workbooks/engine/workbook.h"

#include <QString>
#include <gtest/gtest.h>

namespace mhbk::wb::test {

// A value as the tables below spell it: numbers with 15 significant digits, text in quotes.
inline QString show(const Value &v)
{
    switch (v.kind()) {
    case Value::Kind::Empty: return QStringLiteral("<empty>");
    case Value::Kind::Number: return numberText(v.asNumber());
    case Value::Kind::Boolean: return v.asBoolean() ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
    case Value::Kind::Error: return errorText(v.asError());
    case Value::Kind::Text: return u'"' + v.asText() + u'"';
    }
    return {};
}

// Sheet1 holds a small table the formulas read; "Sheet 2" a second sheet to refer to.
inline Workbook sampleBook()
{
    Workbook b;
    b.addSheet(QStringLiteral("Sheet1"));
    b.addSheet(QStringLiteral("Sheet 2"));
    const char *rows[][6] = {
        {"1", "10", "abc", "10", "十", "=1/0"},
        {"2", "20", "钢管DN20", "20", "二十", ""},
        {"3", "30", "TRUE", "30", "三十", ""},
        {"4", "40", "", "40", "四十", ""},
        {"5", "50", "'5", "", "", ""},
    };
    for (int r = 0; r < 5; ++r)
        for (int c = 0; c < 6; ++c)
            b.setInput(0, r, c, QString::fromUtf8(rows[r][c]));
    b.setInput(1, 0, 0, QStringLiteral("100"));
    b.setInput(1, 0, 1, QStringLiteral("=A1*2"));
    return b;
}

// Evaluates a formula in an otherwise unused cell (Sheet1!Z100).
inline QString eval(Workbook &b, const QString &formula)
{
    b.setInput(0, 99, 25, formula);
    return show(b.value(0, 99, 25));
}

struct FormulaCase
{
    const char *formula;
    const char *expected;
};

inline void checkAll(std::initializer_list<FormulaCase> cases)
{
    Workbook b = sampleBook();
    for (const FormulaCase &c : cases)
        EXPECT_EQ(eval(b, QString::fromUtf8(c.formula)), QString::fromUtf8(c.expected)) << c.formula;
}

} // namespace mhbk::wb::test
