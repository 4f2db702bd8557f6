#include "takeoff/takeofflist.h"

#include <gtest/gtest.h>

namespace mhbk::takeoff {
namespace {

Line line(const char *item, const char *designation, double quantity, double unitWeight)
{
    return Line{QString::fromUtf8(item), QString::fromUtf8(designation), QStringLiteral("Q235"), quantity,
                QStringLiteral("m"), unitWeight, QString()};
}

struct TotalsCase {
    const char *name;
    List list;
    std::vector<Total> byItem;
    std::vector<Total> byDesignation;
    double grand;
};

TEST(TakeoffTotals, ByItemDesignationAndGrand)
{
    const std::vector<TotalsCase> cases = {
        {"empty", {}, {}, {}, 0},
        {"one line", {line("圆钢", "d=10", 6, 0.617)}, {{"圆钢", "", 3.702, 1}}, {{"圆钢", "d=10", 3.702, 1}}, 3.702},
        {"same designation twice",
         {line("圆钢", "d=10", 6, 0.617), line("圆钢", "d=10", 4, 0.617)},
         {{"圆钢", "", 6.17, 2}},
         {{"圆钢", "d=10", 6.17, 2}},
         6.17},
        {"items interleaved keep first-appearance order",
         {line("工字钢", "20a", 2, 27.929), line("圆钢", "d=10", 1, 0.617), line("工字钢", "16", 3, 20.513),
          line("圆钢", "d=10", 1, 0.617)},
         {{"工字钢", "", 117.397, 2}, {"圆钢", "", 1.234, 2}},
         {{"工字钢", "20a", 55.858, 1}, {"圆钢", "d=10", 1.234, 2}, {"工字钢", "16", 61.539, 1}},
         118.631},
        {"same designation under two items stays apart",
         {line("槽钢", "16a", 1, 17.24), line("工字钢", "16a", 1, 20.0)},
         {{"槽钢", "", 17.24, 1}, {"工字钢", "", 20.0, 1}},
         {{"槽钢", "16a", 17.24, 1}, {"工字钢", "16a", 20.0, 1}},
         37.24},
        {"zero and negative quantities (returns) count as given",
         {line("钢板", "10", 0, 78.5), line("钢板", "10", -1, 78.5), line("钢板", "10", 3, 78.5)},
         {{"钢板", "", 157, 3}},
         {{"钢板", "10", 157, 3}},
         157},
    };
    for (const TotalsCase &c : cases) {
        SCOPED_TRACE(c.name);
        const Totals totals = totalsOf(c.list);
        ASSERT_EQ(totals.byItem.size(), c.byItem.size());
        for (std::size_t i = 0; i < c.byItem.size(); ++i) {
            EXPECT_EQ(totals.byItem[i].item, c.byItem[i].item);
            EXPECT_TRUE(totals.byItem[i].designation.isEmpty());
            EXPECT_NEAR(totals.byItem[i].weight, c.byItem[i].weight, 1e-9);
            EXPECT_EQ(totals.byItem[i].lines, c.byItem[i].lines);
        }
        ASSERT_EQ(totals.byDesignation.size(), c.byDesignation.size());
        for (std::size_t i = 0; i < c.byDesignation.size(); ++i) {
            EXPECT_EQ(totals.byDesignation[i].item, c.byDesignation[i].item);
            EXPECT_EQ(totals.byDesignation[i].designation, c.byDesignation[i].designation);
            EXPECT_NEAR(totals.byDesignation[i].weight, c.byDesignation[i].weight, 1e-9);
        }
        EXPECT_NEAR(totals.grandTotal, c.grand, 1e-9);
    }
}

TEST(TakeoffTotals, SurfaceSummedAndProblemLinesLeftOut)
{
    Line beam = line("热轧H型钢", "HN400×200", 24, 65.4);
    beam.unitSurface = 1.56;
    Line tube = line("冷弯方矩形管", "□200×100×6", 6, 26.101);
    tube.unitSurface = 0.5794;
    Line unread = line("未识别", "HX400", 12, 50);
    unread.unitSurface = 1;
    unread.problem = QStringLiteral("无法识别");
    const Totals totals = totalsOf({beam, unread, tube, beam});
    EXPECT_NEAR(totals.grandTotal, 2 * 24 * 65.4 + 6 * 26.101, 1e-9);
    EXPECT_NEAR(totals.grandSurface, 2 * 24 * 1.56 + 6 * 0.5794, 1e-9);
    EXPECT_EQ(totals.uncounted, 1);
    ASSERT_EQ(totals.byItem.size(), 2u); // the unread line makes no group of its own
    EXPECT_NEAR(totals.byItem[0].surface, 2 * 24 * 1.56, 1e-9);
    EXPECT_EQ(totals.byItem[0].lines, 2);
    ASSERT_EQ(totals.byDesignation.size(), 2u);
    EXPECT_NEAR(totals.byDesignation[1].surface, 6 * 0.5794, 1e-9);
}

TEST(TakeoffTotals, MoveLine)
{
    const struct {
        int from, to;
        bool ok;
        const char *order;
    } cases[] = {
        {0, 2, true, "BCA"}, {2, 0, true, "CAB"}, {1, 1, true, "ABC"}, {0, 1, true, "BAC"},
        {-1, 0, false, "ABC"}, {0, 3, false, "ABC"}, {3, 0, false, "ABC"},
    };
    for (const auto &c : cases) {
        List list = {line("A", "", 1, 1), line("B", "", 1, 1), line("C", "", 1, 1)};
        EXPECT_EQ(moveLine(list, c.from, c.to), c.ok) << c.from << "->" << c.to;
        QString order;
        for (const Line &l : list)
            order += l.item;
        EXPECT_EQ(order, QString::fromLatin1(c.order)) << c.from << "->" << c.to;
    }
}

TEST(TakeoffTotals, NumberText)
{
    const struct {
        double value;
        const char *text;
    } cases[] = {{0, "0"}, {3.702, "3.702"}, {6.17, "6.17"}, {6.0, "6"}, {0.0004, "0"}, {-0.0004, "0"},
                 {1234.5678, "1234.568"}, {-2.5, "-2.5"}, {std::numeric_limits<double>::infinity(), ""}};
    for (const auto &c : cases)
        EXPECT_EQ(numberText(c.value), QString::fromLatin1(c.text)) << c.value;
}

TEST(TakeoffTotals, WeightTextHasExactlyThreeDecimals)
{
    const struct {
        double value;
        const char *text;
    } cases[] = {{33.07, "33.070"}, {1190.52, "1190.520"}, {0, "0.000"}, {6, "6.000"}, {-0.0004, "0.000"},
                 {1234.5678, "1234.568"}, {-2.5, "-2.500"}, {std::numeric_limits<double>::quiet_NaN(), ""}};
    for (const auto &c : cases)
        EXPECT_EQ(weightText(c.value), QString::fromLatin1(c.text)) << c.value;
}

} // namespace
} // namespace mhbk::takeoff
