#include "common/errors.h"
#include "numbers/numtext.h"
#include "sheets/sheetcalc.h"

#include <gtest/gtest.h>
#include <numbers>

namespace {

using namespace mhbk::sheets;

const SheetDescription &od() { return outerDiameterSheet(); }
const SheetDescription &dn() { return nominalSizeSheet(); }

std::string at(const TextGrid &grid, int column, int row) { return grid.cell(column, row).toStdString(); }

TEST(SheetLayout, OuterDiameterRowsFollowTheBoundaryList)
{
    ASSERT_EQ(od().rowCount(), 100);
    std::vector<int> subtotals;
    for (const Band &band : od().bands())
        subtotals.push_back(band.subtotalRow);
    EXPECT_EQ(subtotals, (std::vector<int>{33, 53, 75, 88, 92, 98}));
    EXPECT_EQ(od().kind(99), RowKind::Total);
    const TextGrid grid = createSheet(od(), 20);
    EXPECT_EQ(at(grid, 0, 0), "管道外径");
    EXPECT_EQ(at(grid, 0, 1), "14");
    EXPECT_EQ(at(grid, 0, 4), "21");
    EXPECT_EQ(at(grid, 0, 5), "21.30");
    EXPECT_EQ(at(grid, 0, 32), "57.00");
    EXPECT_EQ(at(grid, 0, 33), "小计");
    EXPECT_EQ(at(grid, 0, 34), "60.00");
    EXPECT_EQ(at(grid, 0, 89), "630.00");
    EXPECT_EQ(at(grid, 0, 97), "1222.00");
    EXPECT_EQ(at(grid, 0, 99), "合计");
}

TEST(SheetLayout, NominalSizeRowsAndFixedAreas)
{
    ASSERT_EQ(dn().rowCount(), 26);
    std::vector<int> subtotals;
    for (const Band &band : dn().bands())
        subtotals.push_back(band.subtotalRow);
    EXPECT_EQ(subtotals, (std::vector<int>{7, 12, 20, 24}));
    const TextGrid grid = createSheet(dn(), 20);
    EXPECT_EQ(at(grid, 0, 0), "管径");
    EXPECT_EQ(at(grid, 1, 0), "管子长度m");
    EXPECT_EQ(at(grid, 7, 0), "保温面积m2");
    EXPECT_EQ(at(grid, 0, 1), "15(21.25)");
    EXPECT_EQ(at(grid, 2, 1), "0.0669");
    EXPECT_EQ(at(grid, 2, 10), "0.3580");
    EXPECT_EQ(at(grid, 0, 23), "700(720)");
    EXPECT_EQ(at(grid, 2, 23), "2.2619");
    EXPECT_EQ(at(grid, 2, 7), "");  // subtotal rows have no per-metre values
    EXPECT_EQ(at(grid, 3, 25), "0.0000");
}

// The fixed painting areas are π·D of the row's own pipe as printed to four decimals; none may
// stray from it by more than the rounding of the printed table (the largest is 2.3 % at 32(42.25)).
TEST(SheetLayout, NominalSizeFixedAreasFitTheirDiameters)
{
    const TextGrid grid = createSheet(dn(), 20);
    for (int row = 1; row < dn().rowCount(); ++row) {
        if (!dn().isDataRow(row))
            continue;
        const double piD = std::numbers::pi * dn().rows[static_cast<std::size_t>(row)].diameterMm / 1000;
        const double shown = grid.cell(ColAreaPerMetre, row).toDouble();
        EXPECT_NEAR(shown / piD, 1.0, 0.023) << at(grid, 0, row);
    }
    struct Expected { int row; const char *label; const char *area; };
    for (const Expected &e : {Expected{10, "100(114)", "0.3580"}, Expected{11, "125(140)", "0.4398"},
                              Expected{13, "150(165)", "0.5181"}}) {
        EXPECT_EQ(at(grid, 0, e.row), e.label);
        EXPECT_EQ(at(grid, 2, e.row), e.area);
    }
}

TEST(SheetFigures, OuterDiameter14WithLength10)
{
    TextGrid grid = createSheet(od(), 20);
    grid.setCell(ColLength, 1, QStringLiteral("10"));
    calculateAll(od(), grid);
    EXPECT_EQ(at(grid, 2, 1), "0.0440");
    EXPECT_EQ(at(grid, 4, 1), "0.00225");
    EXPECT_EQ(at(grid, 6, 1), "0.17601");
    EXPECT_EQ(at(grid, 3, 1), "0.4400");
    EXPECT_EQ(at(grid, 5, 1), "0.0225");
    EXPECT_EQ(at(grid, 7, 1), "1.7601");
    EXPECT_EQ(at(grid, 3, 33), "0.4400");
    EXPECT_EQ(at(grid, 7, 99), "1.7601");
}

TEST(SheetFigures, NominalSize15ShowsItsOwnDiameter)
{
    for (int w : {0, 20, 200}) {
        const TextGrid grid = createSheet(dn(), w);
        EXPECT_EQ(at(grid, 2, 1), "0.0669") << w;
    }
    const TextGrid grid = createSheet(dn(), 20);
    EXPECT_EQ(at(grid, 4, 1), "0.00272");
    EXPECT_EQ(at(grid, 6, 1), "0.19879");
}

TEST(SheetFigures, ZeroThicknessLeavesThePipeSurface)
{
    const TextGrid grid = createSheet(od(), 0);
    EXPECT_EQ(at(grid, 4, 1), "0.00000");
    EXPECT_EQ(at(grid, 6, 1), "0.04406");   // 0.014 * pi + 0.000082
    EXPECT_EQ(at(grid, 4, 97), "0.00000");
    EXPECT_EQ(at(grid, 6, 97), "3.83911");  // 1.222 * pi + 0.000082
}

TEST(SheetFigures, ProductsUseTheRoundedPerMetreValue)
{
    // 0.00225 is stored just below the tie; the product must still show 0.0023.
    TextGrid grid = createSheet(od(), 20);
    grid.setCell(ColLength, 1, QStringLiteral("1"));
    grid.setCell(ColLength, 2, QStringLiteral(""));
    calculateAll(od(), grid);
    EXPECT_EQ(at(grid, 5, 1), "0.0023");
    for (int column : {3, 5, 7})
        EXPECT_EQ(at(grid, column, 2), "0.0000") << column;  // empty length counts as 0
}

TEST(SheetFigures, SubtotalsAndTotalAddDisplayedValues)
{
    for (const SheetDescription *sheet : {&od(), &dn()}) {
        TextGrid grid = createSheet(*sheet, 37);
        const char *lengths[] = {"1", "2.5", "0.333", "17", "", "123.45", "0.07", "9."};
        for (int row = 1; row < sheet->rowCount(); ++row) {
            if (sheet->isDataRow(row))
                grid.setCell(ColLength, row, QString::fromLatin1(lengths[row % 8]));
        }
        calculateAll(*sheet, grid);
        for (int column : {3, 5, 7}) {
            double total = 0;
            for (const Band &band : sheet->bands()) {
                double sum = 0;
                for (int row = band.firstDataRow; row < band.subtotalRow; ++row)
                    sum += mhbk::strToFloat(grid.cell(column, row));
                EXPECT_NEAR(mhbk::strToFloat(grid.cell(column, band.subtotalRow)), sum, 0.00005)
                    << sheet->sheetKey.toStdString() << " row " << band.subtotalRow;
                total += mhbk::strToFloat(grid.cell(column, band.subtotalRow));
            }
            EXPECT_NEAR(mhbk::strToFloat(grid.cell(column, sheet->totalRow())), total, 0.00005);
        }
    }
}

TEST(SheetFigures, SubtotalAddsTheShownProductsNotTheExactVolumes)
{
    // At W = 20 the 14, 21.7 and 34 mm pipes hold 0.0022496, 0.0027494 and 0.0035477 m³ a
    // metre, shown 0.00225, 0.00275 and 0.00355; for 1 m each product shows 0.0023, 0.0028 and
    // 0.0036. Their subtotal is 0.0087, where the exact volumes give 0.0085 and the shown
    // per-metre values 0.0086.
    TextGrid grid = createSheet(od(), 20);
    for (int row : {1, 6, 19})
        grid.setCell(ColLength, row, QStringLiteral("1"));
    calculateAll(od(), grid);
    const struct {
        int row;
        const char *perMetre;
        const char *volume;
    } rows[] = {{1, "0.00225", "0.0023"}, {6, "0.00275", "0.0028"}, {19, "0.00355", "0.0036"}};
    for (const auto &r : rows) {
        EXPECT_EQ(at(grid, 4, r.row), r.perMetre) << r.row;
        EXPECT_EQ(at(grid, 5, r.row), r.volume) << r.row;
    }
    EXPECT_EQ(at(grid, 5, 33), "0.0087");
    EXPECT_EQ(at(grid, 5, 99), "0.0087");
}

// A length that is no number counts as 0 for its row: the other rows and the totals are
// exactly what they are with that cell empty, and the bad cells are named in row order.
TEST(SheetFailures, BadLengthCountsAsZero)
{
    struct Case {
        const SheetDescription *sheet;
        std::vector<BadLength> bad;
    };
    const Case cases[] = {
        {&od(), {{90, QStringLiteral(".")}}},
        {&od(), {{2, QStringLiteral("1.2.3")}, {90, QStringLiteral("abc")}}},
        {&dn(), {{11, QStringLiteral("..")}, {23, QStringLiteral("1,5")}}},
    };
    for (const Case &c : cases) {
        TextGrid withBad = createSheet(*c.sheet, 30);
        TextGrid withEmpty = withBad;
        for (TextGrid *grid : {&withBad, &withEmpty}) {
            grid->setCell(ColLength, 1, QStringLiteral("10"));
            grid->setCell(ColLength, 3, QStringLiteral("2.5"));
        }
        for (const BadLength &length : c.bad)
            withBad.setCell(ColLength, length.row, length.text);
        EXPECT_EQ(calculateAll(*c.sheet, withBad), c.bad);
        EXPECT_TRUE(calculateAll(*c.sheet, withEmpty).empty());
        for (const BadLength &length : c.bad)
            withBad.setCell(ColLength, length.row, QString());
        EXPECT_EQ(toTabSeparated(withBad), toTabSeparated(withEmpty));
    }
}

TEST(SheetFailures, BadLengthMessageNamesEachRow)
{
    EXPECT_EQ(badLengthMessage(dn(), {{1, QStringLiteral(".")}, {22, QStringLiteral("x")}}),
              QStringLiteral("以下管子长度不是数值，已按 0 计算：\n管径 15(21.25)：“.”\n管径 600(630)：“x”"));
}

struct KeyCase {
    int column;
    int row;
    char ch;
    const char *text;
    bool accepted;
};

TEST(SheetEntry, FilterAcceptsDigitsOnePointAndBackspaceInLengthCells)
{
    const KeyCase cases[] = {
        {1, 1, '5', "", true},     {1, 1, '.', "", true},      {1, 1, '.', "1.5", false},
        {1, 1, '\b', "1.5", true}, {1, 1, 'a', "", false},     {1, 1, '-', "", false},
        {1, 1, 'e', "1", false},   {1, 33, '5', "", false},    {1, 99, '5', "", false},
        {1, 0, '5', "", false},    {2, 1, '5', "", false},     {0, 1, '5', "", false},
        {1, 98, '1', "", false},   {1, 97, '1', "", true},
    };
    for (const KeyCase &c : cases) {
        EXPECT_EQ(acceptsChar(od(), c.column, c.row, QLatin1Char(c.ch), QString::fromLatin1(c.text)), c.accepted)
            << c.column << "," << c.row << " '" << c.ch << "'";
    }
    EXPECT_FALSE(acceptsChar(dn(), 1, 7, QLatin1Char('1'), {}));
    EXPECT_FALSE(acceptsChar(dn(), 1, 25, QLatin1Char('1'), {}));
    EXPECT_TRUE(acceptsChar(dn(), 1, 23, QLatin1Char('1'), {}));
}

TEST(SheetPaint, ColoursByRowAndColumn)
{
    struct PaintCase {
        const SheetDescription *sheet;
        int column;
        int row;
        CellPaint paint;
    };
    const PaintCase cases[] = {
        {&od(), 0, 0, CellPaint::CentredPlain}, {&od(), 1, 0, CellPaint::Ordinary},
        {&od(), 2, 0, CellPaint::Green},        {&od(), 3, 0, CellPaint::Blue},
        {&od(), 0, 1, CellPaint::Ordinary},     {&od(), 1, 1, CellPaint::LengthEntry},
        {&od(), 4, 1, CellPaint::Green},        {&od(), 7, 1, CellPaint::Blue},
        {&od(), 0, 33, CellPaint::Blue},        {&od(), 1, 33, CellPaint::Blue},
        {&od(), 0, 99, CellPaint::Red},         {&od(), 5, 99, CellPaint::Red},
        {&dn(), 1, 7, CellPaint::Blue},         {&dn(), 0, 25, CellPaint::Red},
        {&dn(), 1, 24, CellPaint::Blue},        {&dn(), 1, 23, CellPaint::LengthEntry},
    };
    for (const PaintCase &c : cases)
        EXPECT_EQ(cellPaint(*c.sheet, c.column, c.row), c.paint) << c.column << "," << c.row;
}

} // namespace
