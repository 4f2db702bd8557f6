#include "enginetestutil.h"

#include "workbooks/engine/formula_shape.h"

namespace mhbk::wb::test {
namespace {

int sheetNamed(const QString &name)
{
    return name.compare(u"T", Qt::CaseInsensitive) == 0 ? 1 : -1;
}

TEST(FormulaShapeTest, TheSameFormulaMovedReadsTheSameParseFurtherDown)
{
    struct Case
    {
        const char *remembered, *input;
        int rowDelta;
        bool same;   // false: the input must be parsed on its own
    };
    const Case cases[] = {
        {"=ROUND(D2*(1+E2),3)", "=ROUND(D3*(1+E3),3)", 1, true},
        {"=D2*E2", "=D5001*E5001", 4999, true},                  // longer row numbers
        {"=D10+1", "=D9+1", -1, true},                           // shorter, and upwards
        {"=$D2+D$2+$D$2", "=$D7+D$2+$D$2", 5, true},             // a '$' before the row keeps it
        {"=SUM(B2:C4)", "=SUM(B3:C5)", 1, true},
        {"=SUM(B$2:C4)*2", "=SUM(B$2:C9)*2", 5, true},
        {"=T!A2+'T'!B2", "=T!A3+'T'!B3", 1, true},
        {"=SUM(A:B)+2", "=SUM(A:B)+2", 3, true},                  // whole columns do not move
        {"=SUM(2:3)", "=SUM(12:13)", 10, true},                   // whole rows do
        {"=\"D2\"&D2", "=\"D2\"&D3", 1, true},                     // text is text
        {"=LOG10(D2)+d2", "=LOG10(D3)+d3", 1, true},
        {"=Nosuch!A2+D2", "=Nosuch!A2+D3", 1, true},              // a missing sheet's reference is text
        {"=D2*E2", "=D3*E2", 1, false},                            // only one row moved
        {"=D2*E2", "=D3*E3+0", 1, false},
        {"=D2*E2", "=D4*E4", 1, false},                            // moved by another distance
        {"=D2", "=D03", 1, false},                                 // "D03" is no reference
        {"=D2", "=D0", -2, false},
        {"=D1048576", "=D1048577", 1, false},                      // off the sheet
        {"=SUM(D9:D2)", "=SUM(D10:D3)", 1, false},                 // written bottom row first
        {"=SUM(D$5:D6)", "=SUM(D$5:D3)", -3, false},               // would turn upside down
        {"=SUM(DM5$:D2)", "=SUM(DM5$:D3)", 1, false},              // a '$' after the row: not moved
        {"=D$$5+D5", "=D$$5+D6", 1, false},
        {"=\"D2\"&D2", "=\"D3\"&D3", 1, false},
        {"=D2+", "=D3+", 1, false},                                // the remembered one did not parse
        {"=D2", "D3", 1, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.input);
        FormulaShape shape;
        const ParsedFormula remembered = shape.parse(QString::fromUtf8(c.remembered), 0, sheetNamed);
        ASSERT_EQ(shape.matches(QString::fromUtf8(c.input), c.rowDelta), c.same);
        if (!c.same)
            continue;
        const ParsedFormula own = parseFormula(QString::fromUtf8(c.input + 1), 0, sheetNamed);
        ASSERT_TRUE(own.tree && remembered.tree);
        EXPECT_EQ(parseText(remembered.tree->root(), c.rowDelta), parseText(own.tree->root(), 0));
    }
}

// Through the workbook: a column entered row by row (edits reach the cells sharing a parse),
// the remembered formula's cell changed in between, and a sheet added between two rows (the
// same text then reads another sheet).
TEST(FormulaShapeTest, AColumnOfFormulasReadsItsOwnRows)
{
    Workbook b;
    b.addSheet(QStringLiteral("S"));
    b.beginUpdate();
    for (int r = 0; r < 40; ++r) {
        b.setInput(0, r, 1, QString::number(r));
        b.setInput(0, r, 2, QStringLiteral("=B%1*2+SUM(B$1:B%1)").arg(r + 1));
    }
    b.endUpdate();
    b.setInput(0, 10, 1, QStringLiteral("100"));
    EXPECT_EQ(b.lastEvaluationCount(), 30);   // C11 to C40
    int sum = 0;
    for (int r = 0; r < 40; ++r) {
        sum += r == 10 ? 100 : r;
        EXPECT_EQ(show(b.value(0, r, 2)), QString::number((r == 10 ? 100 : r) * 2 + sum)) << r;
    }

    b.setInput(0, 0, 3, QStringLiteral("=B1+1"));
    b.setInput(0, 0, 3, QStringLiteral("7"));
    b.setInput(0, 1, 3, QStringLiteral("=B2+1"));
    EXPECT_EQ(show(b.value(0, 1, 3)), QStringLiteral("2"));

    b.setInput(0, 0, 4, QStringLiteral("=T!A1+B1"));
    EXPECT_EQ(show(b.value(0, 0, 4)), QStringLiteral("#REF!"));
    b.addSheet(QStringLiteral("T"));
    b.setInput(1, 0, 0, QStringLiteral("5"));
    b.setInput(0, 1, 4, QStringLiteral("=T!A1+B2"));
    EXPECT_EQ(show(b.value(0, 1, 4)), QStringLiteral("6"));
}

} // namespace
} // namespace mhbk::wb::test
