#include "enginetestutil.h"

#include <tuple>
#include <vector>

namespace mhbk::wb::test {
namespace {

// Typed cell by cell, or in one bulk update (as a file is loaded) in which C2 first read
// other cells: what C2 read before must not count as read after.
enum class Entry { Typed, Bulk };

Workbook chainBook(Entry entry = Entry::Typed)
{
    // A1 = 1; A2 = A1+1; A3 = A2*2; B1 = SUM(A1:A3); C1 = 7 (independent); C2 = C1*3;
    // 'S2'!A1 = Sheet1!B1 + 1.
    Workbook b;
    b.addSheet(QStringLiteral("Sheet1"));
    if (entry == Entry::Bulk) {
        b.beginUpdate();
        b.setInput(0, 1, 2, QStringLiteral("=A1+SUM(E1:E9)"));
    }
    b.addSheet(QStringLiteral("S2"));
    b.setInput(0, 0, 0, QStringLiteral("1"));
    b.setInput(0, 1, 0, QStringLiteral("=A1+1"));
    b.setInput(0, 2, 0, QStringLiteral("=A2*2"));
    b.setInput(0, 0, 1, QStringLiteral("=SUM(A1:A3)"));
    b.setInput(0, 0, 2, QStringLiteral("7"));
    b.setInput(0, 1, 2, QStringLiteral("=C1*3"));
    b.setInput(1, 0, 0, QStringLiteral("=Sheet1!B1+1"));
    if (entry == Entry::Bulk)
        b.endUpdate();
    return b;
}

TEST(RecalcTest, EditingACellRecalculatesExactlyItsDependents)
{
    struct Case
    {
        int row, col;
        const char *input;
        int evaluated;   // formula cells evaluated by the edit
        const char *a2, *a3, *b1, *c2, *s2a1;
    };
    const Case cases[] = {
        {0, 0, "10", 4, "11", "22", "43", "21", "44"},   // A2, A3, B1, S2!A1
        {0, 2, "1", 1, "2", "4", "7", "3", "8"},         // C2 only
        {2, 0, "5", 2, "2", "5", "8", "21", "9"},        // A3 is a constant now: B1, S2!A1
        {4, 4, "99", 0, "2", "4", "7", "21", "8"},       // nobody reads E5
        {0, 0, "", 4, "1", "2", "3", "21", "4"},         // clearing: empty counts as 0
    };
    for (const Case &c : cases) {
        for (const Entry entry : {Entry::Typed, Entry::Bulk}) {
            SCOPED_TRACE(entry == Entry::Typed ? "typed" : "bulk");
            Workbook b = chainBook(entry);
            b.setInput(0, c.row, c.col, QString::fromUtf8(c.input));
            EXPECT_EQ(b.lastEvaluationCount(), c.evaluated) << c.input;
            EXPECT_EQ(show(b.value(0, 1, 0)), QString::fromUtf8(c.a2)) << c.input;
            EXPECT_EQ(show(b.value(0, 2, 0)), QString::fromUtf8(c.a3)) << c.input;
            EXPECT_EQ(show(b.value(0, 0, 1)), QString::fromUtf8(c.b1)) << c.input;
            EXPECT_EQ(show(b.value(0, 1, 2)), QString::fromUtf8(c.c2)) << c.input;
            EXPECT_EQ(show(b.value(1, 0, 0)), QString::fromUtf8(c.s2a1)) << c.input;
        }
    }
}

TEST(RecalcTest, ReplacedFormulaStopsListeningToItsOldPrecedents)
{
    Workbook b = chainBook();
    b.setInput(0, 1, 2, QStringLiteral("=A1*100"));   // C2 no longer reads C1
    EXPECT_EQ(show(b.value(0, 1, 2)), QStringLiteral("100"));
    b.setInput(0, 0, 2, QStringLiteral("5"));
    EXPECT_EQ(b.lastEvaluationCount(), 0);
    b.setInput(0, 0, 0, QStringLiteral("2"));
    EXPECT_EQ(show(b.value(0, 1, 2)), QStringLiteral("200"));
}

TEST(RecalcTest, CellsEnteringARangeAreSeenBySumsOverIt)
{
    Workbook b = chainBook();
    b.setInput(0, 5, 3, QStringLiteral("=SUM(A:A)"));
    EXPECT_EQ(show(b.value(0, 5, 3)), QStringLiteral("7"));
    b.setInput(0, 99, 0, QStringLiteral("100"));
    EXPECT_EQ(show(b.value(0, 5, 3)), QStringLiteral("107"));
}

TEST(RecalcTest, CircularReferencesGiveAnErrorAndNeverHang)
{
    struct Case
    {
        std::vector<std::pair<const char *, const char *>> cells;   // address, input
        const char *cell;
        const char *expected;
    };
    const Case cases[] = {
        {{{"A1", "=A1+1"}}, "A1", "#REF!"},
        {{{"A1", "=B1"}, {"B1", "=A1"}}, "B1", "#REF!"},
        {{{"A1", "=B1"}, {"B1", "=C1"}, {"C1", "=A1"}, {"D1", "=C1+1"}}, "D1", "#REF!"},
        {{{"A1", "=SUM(A1:A3)"}}, "A1", "#REF!"},
        {{{"A1", "5"}, {"B1", "=A1*2"}, {"C1", "=IF(FALSE,C1,B1)"}}, "B1", "10"},
    };
    for (const Case &c : cases) {
        Workbook b;
        b.addSheet(QStringLiteral("S"));
        for (const auto &[addr, input] : c.cells) {
            const auto a = parseAddress(QString::fromUtf8(addr));
            b.setInput(0, a->row, a->col, QString::fromUtf8(input));
        }
        const auto a = parseAddress(QString::fromUtf8(c.cell));
        EXPECT_EQ(show(b.value(0, a->row, a->col)), QString::fromUtf8(c.expected)) << c.cell;
        b.recalculate();
        EXPECT_EQ(show(b.value(0, a->row, a->col)), QString::fromUtf8(c.expected)) << c.cell;
    }
}

// Loading recalculates every formula at once; typing recalculates what each entry touches.
// Both must end with the same values, cycles and what reads them included.
TEST(RecalcTest, RecalculatingEverythingAgreesWithEditingCellByCell)
{
    using Entry = std::tuple<int, const char *, const char *>;   // sheet, address, input
    const std::vector<std::vector<Entry>> books = {
        {{0, "A3", "=A2*2"}, {0, "A2", "=A1+1"}, {0, "A1", "4"}, {0, "B1", "=SUM(A1:A3)"}, {1, "A1", "=S!B1+A2"},
         {1, "A2", "=S!A3"}},
        {{0, "A1", "=B1"}, {0, "B1", "=C1"}, {0, "C1", "=A1"}, {0, "D1", "=SUM(A1:C1)"}, {0, "E1", "7"},
         {0, "F1", "=E1*2"}, {0, "G1", "=F1+D1"}},
        {{0, "A1", "=SUM(B:B)"}, {0, "B2", "=C2+1"}, {0, "C2", "2"}, {0, "B9", "=B2*10"}, {1, "C1", "=S!A1/0"},
         {1, "D1", "=IF(ISERROR(C1),\"err\",C1)"}},
        {{0, "A1", "=T!A1"}, {1, "A1", "=S!A2"}, {0, "A2", "=T!A1"}},   // a cycle across sheets
        {{0, "A1", "=SUM(A2:A4)"}, {0, "A3", "=A1"}, {0, "B1", "=A3&\"x\""}, {0, "C1", "=ROUND(1/3,2)"}},
    };
    for (size_t i = 0; i < books.size(); ++i) {
        Workbook typed, loaded;
        for (Workbook *b : {&typed, &loaded}) {
            b->addSheet(QStringLiteral("S"));
            b->addSheet(QStringLiteral("T"));
        }
        loaded.beginUpdate();
        int formulas = 0;
        for (const auto &[sheet, address, input] : books[i]) {
            const auto a = parseAddress(QString::fromUtf8(address));
            typed.setInput(sheet, a->row, a->col, QString::fromUtf8(input));
            loaded.setInput(sheet, a->row, a->col, QString::fromUtf8(input));
            formulas += input[0] == '=';
        }
        loaded.endUpdate();
        EXPECT_EQ(loaded.lastEvaluationCount(), formulas) << "book " << i;
        for (const auto &[sheet, address, input] : books[i]) {
            const auto a = parseAddress(QString::fromUtf8(address));
            EXPECT_EQ(show(loaded.value(sheet, a->row, a->col)), show(typed.value(sheet, a->row, a->col)))
                << "book " << i << ", sheet " << sheet << " " << address;
        }
    }
}

TEST(RecalcTest, BreakingACycleRestoresValues)
{
    Workbook b;
    b.addSheet(QStringLiteral("S"));
    b.setInput(0, 0, 0, QStringLiteral("=B1"));
    b.setInput(0, 0, 1, QStringLiteral("=A1"));
    EXPECT_EQ(show(b.value(0, 0, 0)), QStringLiteral("#REF!"));
    b.setInput(0, 0, 1, QStringLiteral("3"));
    EXPECT_EQ(show(b.value(0, 0, 0)), QStringLiteral("3"));
}

TEST(RecalcTest, LongChainsNeedNoDeepRecursion)
{
    Workbook b;
    b.addSheet(QStringLiteral("S"));
    const int n = 20000;
    b.beginUpdate();
    b.setInput(0, 0, 0, QStringLiteral("1"));
    for (int r = 1; r < n; ++r)
        b.setInput(0, r, 0, QStringLiteral("=A%1+1").arg(r));
    b.endUpdate();
    EXPECT_EQ(show(b.value(0, n - 1, 0)), QString::number(n));
    b.setInput(0, 0, 0, QStringLiteral("2"));
    EXPECT_EQ(b.lastEvaluationCount(), n - 1);
    EXPECT_EQ(show(b.value(0, n - 1, 0)), QString::number(n + 1));
}

TEST(RecalcTest, ProtectionLocksOnlyLockedCellsOfProtectedSheets)
{
    Workbook b;
    b.addSheet(QStringLiteral("S"));
    CellStyle open;
    open.locked = false;
    b.sheet(0).setStyleIndex(0, 1, b.addStyle(open));
    EXPECT_TRUE(b.isEditable(0, 0, 0));
    b.sheet(0).setProtected(true);
    EXPECT_FALSE(b.isEditable(0, 0, 0));
    EXPECT_TRUE(b.isEditable(0, 0, 1));
    EXPECT_FALSE(b.isEditable(0, -1, 0));
}

TEST(RecalcTest, CellsOutsideTheUsedRangeReadAsEmpty)
{
    Workbook b = chainBook();
    EXPECT_EQ(b.displayText(0, 99, 99), QString());
    EXPECT_TRUE(b.value(0, 99, 99).isEmpty());
    EXPECT_EQ(b.displayText(5, 0, 0), QString());
    EXPECT_EQ(b.displayText(0, -1, 0), QString());
}

} // namespace
} // namespace mhbk::wb::test

namespace mhbk::wb::test {
namespace {

// Restyling a range maps each cell's style; a cell that does not exist counts as style 0 and
// is made only when it gets another style.
TEST(SheetRestyleTest, MapsEveryCellOfTheRangeOnce)
{
    Workbook b;
    b.addSheet(QStringLiteral("S"));
    Sheet &s = b.sheet(0);
    b.setInput(0, 0, 0, QStringLiteral("1"));   // A1: content, style 0
    s.setStyleIndex(0, 1, 3);                   // B1: style only
    s.setStyleIndex(1, 1, 4);                   // B2
    std::vector<int> seen;
    s.restyle({0, 0, 1, 2}, [&](int old) {
        seen.push_back(old);
        return old == 0 ? 0 : old + 10;
    });
    EXPECT_EQ(seen, (std::vector<int>{0, 3, 0, 0, 4, 0}));
    EXPECT_EQ(s.styleIndex(0, 1), 13);
    EXPECT_EQ(s.styleIndex(1, 1), 14);
    EXPECT_EQ(s.cells().size(), 3u);   // nothing made for the cells left at style 0

    s.restyle({2, 0, 2, 0}, [](int) { return 5; });
    EXPECT_EQ(s.styleIndex(2, 0), 5);
    EXPECT_EQ(s.rowCount(), 3);
}

} // namespace
} // namespace mhbk::wb::test
