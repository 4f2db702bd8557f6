// A material list pasted or read from CSV: the rows split, weighed through the designation
// calculator on rows handed over directly, and bad rows kept with a reason but never counted.
#include "takeoff/materiallist.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>
#include <map>

namespace mhbk::takeoff {
namespace {

class OneTable : public designation::SectionRows {
public:
    OneTable()
    {
        designation::TableRow row;
        row.number = 1;
        const char *fields[][2] = {{"No", "H400×200"}, {"H", "400"},      {"B", "200"},        {"t1", "8"},
                                   {"t2", "13"},       {"r", "13"},       {"A", "83.37"},      {"G", "65.4"},
                                   {"S", "1.56"},      {"Base", "是"},    {"Class2017", "HN"}, {"No2017", "HN400×200"},
                                   {"Check", "通过"}};
        for (const auto &f : fields)
            row.fields.insert(QString::fromUtf8(f[0]), QString::fromUtf8(f[1]));
        hbeams_.push_back(row);
    }
    const std::vector<designation::TableRow> &rows(const QString &table) const override
    {
        return table == QLatin1String("HBeam") ? hbeams_ : none_;
    }

private:
    std::vector<designation::TableRow> hbeams_, none_;
};

struct Expected {
    const char *designation;
    double quantity; // m
    double unitWeight;
    double unitSurface;
};

struct PasteCase {
    const char *name;
    const char *text;
    std::vector<Expected> lines;
};

TEST(MaterialList, RowsWeighedWithLengthsAndCounts)
{
    const std::vector<PasteCase> cases = {
        {"tabs, no captions, metres", "HN400×200\t6\t4\t二层梁\n-10×200\t2.5\t2\n",
         {{"HN400×200", 24, 65.4, 1.56}, {"-10×200", 5, 15.7, 0.42}}},
        {"commas with captions in mm, CRLF, blank rows", "规格,长度(mm),数量,备注\r\nHN400×200,6000,1,\r\n\r\n-10×200,500,3\r\n",
         {{"HN400×200", 6, 65.4, 1.56}, {"-10×200", 1.5, 15.7, 0.42}}},
        {"captions in m take a large length as metres", "名称\t长度(m)\t件数\nHN400×200\t120\t1\n",
         {{"HN400×200", 120, 65.4, 1.56}}},
        {"no captions: a length over 100 is millimetres", "HN400×200,9000,2\n", {{"HN400×200", 18, 65.4, 1.56}}},
        {"count missing is one; quoted remark keeps its comma", "HN400×200,6,,\"A轴,B轴\"\n",
         {{"HN400×200", 6, 65.4, 1.56}}},
    };
    const OneTable tables;
    for (const PasteCase &c : cases) {
        SCOPED_TRACE(c.name);
        const List list = importMaterialList(QString::fromUtf8(c.text), tables);
        ASSERT_EQ(list.size(), c.lines.size());
        for (std::size_t i = 0; i < list.size(); ++i) {
            EXPECT_TRUE(list[i].counted()) << list[i].problem.toStdString();
            EXPECT_EQ(list[i].designation, QString::fromUtf8(c.lines[i].designation));
            EXPECT_EQ(list[i].unit, QStringLiteral("m"));
            EXPECT_NEAR(list[i].quantity, c.lines[i].quantity, 1e-9);
            EXPECT_NEAR(list[i].unitWeight, c.lines[i].unitWeight, 1e-3);
            EXPECT_NEAR(list[i].unitSurface, c.lines[i].unitSurface, 1e-4);
        }
    }
    const List quoted = importMaterialList(QStringLiteral("HN400×200,6,,\"A轴,B轴\"\n"), tables);
    EXPECT_TRUE(quoted[0].remark.endsWith(QStringLiteral("A轴,B轴"))) << quoted[0].remark.toStdString();
}

struct BadCase {
    const char *name;
    QString text;
    const char *reason; // part of the problem
};

TEST(MaterialList, BadRowsStayMarkedAndCountNothing)
{
    const std::vector<BadCase> cases = {
        {"unknown prefix", QStringLiteral("HX400×200\t6\t1"), "无法识别"},
        {"no designation", QStringLiteral("\t6\t1"), "缺少规格"},
        {"zero length", QStringLiteral("HN400×200\t0\t1"), "长度"},
        {"negative length", QStringLiteral("HN400×200\t-6\t1"), "长度"},
        {"absurd length", QStringLiteral("HN400×200\t1e300\t1"), "长度"},
        {"length not a number", QStringLiteral("HN400×200\t六米\t1"), "不是数"},
        {"length missing", QStringLiteral("HN400×200"), "缺少长度"},
        {"fractional count", QStringLiteral("HN400×200\t6\t2.5"), "整数"},
        {"zero count", QStringLiteral("HN400×200\t6\t0"), "整数"},
        {"huge count", QStringLiteral("HN400×200\t6\t1e12"), "整数"},
        {"zero dimension", QStringLiteral("-0×200\t6\t1"), "第 1 行"},
        {"wall thicker than half the tube", QStringLiteral("Φ100×60\t6\t1"), "第 1 行"},
        {"plate by thickness alone", QStringLiteral("PL10\t6\t1"), "宽度"},
        {"100,000 characters", QString(100000, u'H') + QStringLiteral("\t6\t1"), "字符"},
    };
    const OneTable tables;
    for (const BadCase &c : cases) {
        SCOPED_TRACE(c.name);
        const List list = importMaterialList(c.text, tables);
        ASSERT_EQ(list.size(), 1u);
        EXPECT_FALSE(list[0].counted());
        EXPECT_TRUE(list[0].problem.contains(QString::fromUtf8(c.reason))) << list[0].problem.toStdString();
        EXPECT_LE(list[0].designation.size(), kMaxKeptText + 1);
        const Totals totals = totalsOf(list);
        EXPECT_EQ(totals.grandTotal, 0);
        EXPECT_EQ(totals.grandSurface, 0);
        EXPECT_EQ(totals.uncounted, 1);
    }
}

TEST(MaterialList, PastedBinaryBlockAddsNothingToTheTotals)
{
    QByteArray bytes(64 * 1024, '\0');
    QRandomGenerator random(25); // fixed seed: the same block every run
    for (char &b : bytes)
        b = static_cast<char>(random.bounded(256));
    const OneTable tables;
    // Between two sound rows: they are weighed, the block is not.
    const QString text = QStringLiteral("HN400×200\t6\t1\n") + QString::fromLatin1(bytes) + QStringLiteral("\nHN400×200\t6\t1\n");
    const List list = importMaterialList(text, tables);
    const Totals totals = totalsOf(list);
    EXPECT_NEAR(totals.grandTotal, 2 * 6 * 65.4, 1e-9);
    EXPECT_EQ(totals.uncounted, static_cast<int>(list.size()) - 2);
    for (const Line &line : list)
        EXPECT_LE(line.designation.size() + line.remark.size(), 2 * (kMaxKeptText + 1) + 40);
}

} // namespace
} // namespace mhbk::takeoff
