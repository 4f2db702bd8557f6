// The calculator on rows handed over directly (no database): which row a designation takes, what
// it answers from a row and from geometry, and how it refuses. Rows are copied from the tables.
#include "designation/calculator.h"

#include <QStringList>
#include <gtest/gtest.h>
#include <map>

namespace mhbk::designation {
namespace {

class FakeRows : public SectionRows {
public:
    // fields: "name=value" pairs
    void add(const QString &table, std::initializer_list<const char *> fields)
    {
        TableRow row;
        row.number = static_cast<int>(rows_[table].size()) + 1;
        for (const char *field : fields) {
            const QString text = QString::fromUtf8(field);
            const qsizetype eq = text.indexOf(u'=');
            row.fields.insert(text.left(eq), text.mid(eq + 1));
        }
        rows_[table].push_back(row);
    }
    const std::vector<TableRow> &rows(const QString &table) const override
    {
        const auto it = rows_.find(table);
        return it == rows_.end() ? none_ : it->second;
    }

private:
    std::map<QString, std::vector<TableRow>> rows_;
    std::vector<TableRow> none_;
};

FakeRows handbookRows()
{
    FakeRows rows;
    rows.add(QStringLiteral("HBeam"), {"No=H400×200", "H=396", "B=199", "t1=7", "t2=11", "r=13", "A=71.41", "G=56.1",
                                       "S=1.55", "Base=", "Class2017=HN", "No2017=HN400×200", "Check=通过"});
    rows.add(QStringLiteral("HBeam"), {"No=H400×200", "H=400", "B=200", "t1=8", "t2=13", "r=13", "A=83.37", "G=65.4",
                                       "S=1.56", "Base=是", "Class2017=HN", "No2017=HN400×200", "Check=通过"});
    rows.add(QStringLiteral("HBeam"), {"No=H650×300", "H=654", "B=301", "t1=14", "t2=22", "r=28", "A=235.0", "G=184",
                                       "S=2.23", "Base=", "Class2017=HN", "No2017=HN650×300", "Check=不符 ix:FAIL",
                                       "CheckNote=ix 27.4 印值与几何 27.04 不符"});
    rows.add(QStringLiteral("HBeam"), {"No=H100×50", "H=95", "B=48", "t1=3.2", "t2=4.5", "r=8", "A=7.620", "G=5.98",
                                       "S=0.362", "Base=", "Class2017=HT", "No2017=HT100×50", "Check=通过"});
    rows.add(QStringLiteral("HBeam"), {"No=H100×50", "H=97", "B=49", "t1=4", "t2=5.5", "r=8", "A=9.370", "G=7.36",
                                       "S=0.368", "Base=", "Class2017=HT", "No2017=HT100×50", "Check=通过"});
    rows.add(QStringLiteral("ChannelProps"), {"No=20a", "h=200", "b=73", "d=7.0", "t=11.0", "r=11.0", "r1=5.5",
                                              "A=28.83", "G=22.6", "S=0.654", "Check=通过"});
    rows.add(QStringLiteral("ChannelProps"), {"No=20b", "h=200", "b=75", "d=9.0", "t=11.0", "r=11.0", "r1=5.5",
                                              "A=32.83", "G=25.8", "S=0.658", "Check=通过"});
    rows.add(QStringLiteral("AngleProps"), {"No=6.3", "b=63", "d=6", "r=7", "A=7.288", "G=5.72", "S=0.247", "Check=通过"});
    rows.add(QStringLiteral("HollowRect"), {"Kind=矩形(J)", "No=□200×100×6", "H=200", "B=100", "t=6", "G=26.101",
                                            "R_rule=12", "A_calc=33.633", "S_calc=0.5794", "Check=不符",
                                            "Note=印值与R规则不符; 规则 26.402"});
    rows.add(QStringLiteral("PurlinC"), {"No=C160×60×20×2.5", "h=160", "b=60", "c=20", "t=2.5", "G=5.87",
                                         "A_calc=7.482", "Check=通过: 内弯半径=2t"});
    return rows;
}

Answer answered(const char *text, double density = kSteelDensity)
{
    const FakeRows rows = handbookRows();
    const AnswerResult result = answerFor(QString::fromUtf8(text), rows, density);
    EXPECT_TRUE(result.answer) << text << ": " << result.error.toStdString();
    return result.answer.value_or(Answer{});
}

TEST(DesignationCalculator, NominalSizeTakesTheBaseRowAndSaysSo)
{
    const Answer a = answered("HN400×200");
    EXPECT_EQ(a.row, 2);
    EXPECT_EQ(a.weightText, QStringLiteral("65.4"));
    EXPECT_EQ(a.areaText, QStringLiteral("83.37"));
    EXPECT_EQ(a.surfaceText, QStringLiteral("1.56"));
    EXPECT_EQ(a.surfaceWithoutTopText, QStringLiteral("1.360"));
    EXPECT_TRUE(a.readAs.contains(QStringLiteral("腹板厚 t1=8 mm")));
    EXPECT_TRUE(a.notes.join(QString()).contains(QStringLiteral("基准规格 400×200×8×13")));
    EXPECT_TRUE(a.source.contains(QStringLiteral("GB/T 11263-2024")));
    EXPECT_TRUE(a.source.contains(QStringLiteral("第 2 行")));
    EXPECT_TRUE(a.check.isEmpty());
}

TEST(DesignationCalculator, FourNumbersFindTheirRowWhateverTheSpelling)
{
    for (const char *text : {"H396×199×7×11", "HN396x199x7x11", "Ｈ３９６×１９９×７×１１", "H型钢396*199*7*11"}) {
        const Answer a = answered(text);
        EXPECT_EQ(a.row, 1) << text;
        EXPECT_EQ(a.weightText, QStringLiteral("56.1")) << text;
    }
}

TEST(DesignationCalculator, AGroupWithoutABaseRowAsksForFourNumbers)
{
    const FakeRows rows = handbookRows();
    const AnswerResult result = answerFor(QStringLiteral("HT100×50"), rows);
    ASSERT_FALSE(result.answer);
    EXPECT_TRUE(result.error.contains(QStringLiteral("95×48×3.2×4.5")));
    EXPECT_TRUE(result.error.contains(QStringLiteral("97×49×4×5.5")));
}

TEST(DesignationCalculator, ADoubtfulRowShowsItsCheck)
{
    const Answer h = answered("H654×301×14×22");
    EXPECT_TRUE(h.check.startsWith(QStringLiteral("不符")));
    EXPECT_TRUE(h.check.contains(QStringLiteral("27.04")));
    const Answer box = answered("□200×100×6");
    EXPECT_TRUE(box.check.contains(QStringLiteral("26.402")));
    // Area and surface of the hollow sections are calculated, never printed: the source says so.
    EXPECT_TRUE(box.source.contains(QStringLiteral("不印截面面积、外表面积")));
}

TEST(DesignationCalculator, CountsAndLengthsMakeTheTotals)
{
    const Answer a = answered("2[20a");
    EXPECT_EQ(a.weightText, QStringLiteral("22.6"));
    const Totals t = totalsFor(a, 6, 4);
    EXPECT_DOUBLE_EQ(t.length, 48);
    EXPECT_NEAR(t.weight, 22.6 * 48, 1e-9);
    EXPECT_NEAR(t.surface, 0.654 * 48, 1e-9);
}

TEST(DesignationCalculator, ANumberWithoutItsGradeAsksForIt)
{
    const FakeRows rows = handbookRows();
    const AnswerResult result = answerFor(QStringLiteral("[20"), rows);
    ASSERT_FALSE(result.answer);
    EXPECT_TRUE(result.error.contains(QStringLiteral("[20a、[20b")));
}

TEST(DesignationCalculator, ARolledSizeNotInTheTableIsRefused)
{
    const FakeRows rows = handbookRows();
    const AnswerResult result = answerFor(QStringLiteral("∠63×7"), rows);
    ASSERT_FALSE(result.answer);
    EXPECT_TRUE(result.error.contains(QStringLiteral("GB/T 706-2016")));
}

// Figures worked by hand from the dimensions.
struct GeometryCase {
    const char *text;
    double weight; // kg/m
    double area;   // cm²
    double surface; // m²/m
};

TEST(DesignationCalculator, SizesNotInATableAreWeighedFromTheirGeometry)
{
    const GeometryCase cases[] = {
        // 8×(500−26) + 2×250×13 = 10292 mm²; 2×500 + 4×250 − 16
        {"WH500×250×8×13", 10292 * 0.00785, 102.92, 1.984},
        // t1(H−t2−t3) + B1t2 + B2t3 at H = 650: 16×608 + 400×22 + 300×20 = 24528
        {"H500~800×400/300×16×22/20", 24528 * 0.00785, 245.28, 2.668},
        {"PL10×200", 15.7, 20, 0.42},
        {"-200×10", 15.7, 20, 0.42},
        // π(219−8)×8 = 5303.0 mm²
        {"Φ219×8", 5303.0084 * 0.00785, 53.030084, 0.688008},
        {"圆钢Φ20", 314.159265 * 0.00785, 3.14159265, 0.0628319},
        {"方钢20", 400 * 0.00785, 4, 0.08},
        // 2×5×(300+200−10) − (4−π)(10² − 5²), R = 2t
        {"□300×200×5", 4835.6194 * 0.00785, 48.356194, 0.9828319},
    };
    for (const GeometryCase &c : cases) {
        const Answer a = answered(c.text);
        EXPECT_FALSE(a.fromTable) << c.text;
        EXPECT_NEAR(a.weight, c.weight, 1e-3) << c.text;
        EXPECT_NEAR(a.area, c.area, 1e-3) << c.text;
        EXPECT_NEAR(a.surface, c.surface, 1e-4) << c.text;
        EXPECT_TRUE(a.source.startsWith(QStringLiteral("按几何计算"))) << c.text;
    }
}

// A bar, round tube or flat read from a designation weighs what its page shows, to the last
// digit: the pages' formulas take π as 3.1416 (圆钢 d=200: 0.0061654·d² = 246.616, not 246.615).
TEST(DesignationCalculator, BarsTubesAndFlatsWeighAsTheirPagesDo)
{
    const struct {
        const char *text;
        const char *weight;
    } cases[] = {{"圆钢Φ200", "246.616"}, {"Φ508×12", "146.786"}, {"D219×8", "41.629"},
                 {"方钢20", "3.140"},     {"-200×10", "15.700"}};
    for (const auto &c : cases)
        EXPECT_EQ(answered(c.text).weightText, QString::fromLatin1(c.weight)) << c.text;
}

TEST(DesignationCalculator, PlateByThicknessIsWeighedPerSquareMetre)
{
    const Answer a = answered("钢板δ12");
    EXPECT_EQ(a.weightUnit, QStringLiteral("kg/m2"));
    EXPECT_NEAR(a.weight, 94.2, 1e-9);
    EXPECT_DOUBLE_EQ(a.surface, 2);
    EXPECT_DOUBLE_EQ(totalsFor(a, 3, 2).weight, 94.2 * 6);
}

TEST(DesignationCalculator, AnotherMaterialScalesTheSteelWeight)
{
    const Answer steel = answered("C160×60×20×2.5");
    EXPECT_EQ(steel.weightText, QStringLiteral("5.87"));
    const Answer alu = answered("C160×60×20×2.5", 2.7);
    EXPECT_NEAR(alu.weight, 5.87 * 2.7 / 7.85, 1e-9);
    EXPECT_EQ(alu.areaText, steel.areaText);
    EXPECT_EQ(alu.surfaceText, steel.surfaceText);
}

} // namespace
} // namespace mhbk::designation
