#include "clicommands.h"
#include "data/database.h"
#include "search/handbookindex.h"
#include "search/handbooksources.h"
#include "support/missingtool.h"
#include "support/testdb.h"

#include <QFileInfo>
#include <gtest/gtest.h>

namespace mhbk::search {
namespace {

Entry row(int page, const char *caption, const char *designation, unsigned kinds, const char *text = "")
{
    Entry entry;
    entry.page = page;
    entry.pageCaption = QString::fromUtf8(caption);
    entry.designation = QString::fromUtf8(designation);
    entry.kinds = kinds;
    if (kinds != NoKind)
        entry.keys << designationKey(entry.designation);
    entry.text = normalized(entry.pageCaption + QLatin1Char(' ') + entry.designation + QLatin1Char(' ') +
                            QString::fromUtf8(text));
    entry.column = 0;
    entry.row = 1;
    return entry;
}

Entry page(int index, const char *caption, unsigned kinds)
{
    Entry entry = row(index, caption, "", NoKind);
    entry.kinds = kinds;
    entry.column = -1;
    return entry;
}

HandbookIndex smallIndex()
{
    HandbookIndex index;
    index.add(page(4, "常用型材计算公式", NoKind));
    index.add(page(18, "工字钢", IBeam));
    index.add(row(4, "常用型材计算公式", "工字钢", NoKind, "F = h×d"));
    index.add(row(18, "工字钢", "20", IBeam));
    index.add(row(18, "工字钢", "20a", IBeam));
    index.add(row(18, "工字钢", "20b", IBeam));
    index.add(row(20, "槽钢", "20a", Channel));
    index.add(row(16, "等边角钢", "50×5", Angle));
    index.add(row(16, "等边角钢", "50×6", Angle));
    index.add(row(17, "不等边角钢", "50×32×4", Angle));
    index.add(row(3, "常用材料密度", "黄铜", NoKind, "8.5"));
    index.finish();
    return index;
}

struct RankCase {
    const char *query;
    const char *expected; // result lines joined by "|", best first
};

class RankingTest : public ::testing::TestWithParam<RankCase> {};

TEST_P(RankingTest, ExactDesignationsFirstThenPrefixesThenPagesThenText)
{
    const HandbookIndex index = smallIndex();
    QStringList lines;
    for (const Hit &hit : index.find(QString::fromUtf8(GetParam().query)))
        lines << resultLine(*hit.entry);
    EXPECT_EQ(lines.join(QLatin1Char('|')).toStdString(), GetParam().expected);
    // The plain scan answers the same, in the same order.
    QStringList scanned;
    for (const Hit &hit : linearFind(index.entries(), QString::fromUtf8(GetParam().query)))
        scanned << resultLine(*hit.entry);
    EXPECT_EQ(scanned, lines);
}

INSTANTIATE_TEST_SUITE_P(Small, RankingTest, ::testing::Values(
    RankCase{"I20", "工字钢 20|工字钢 20a|工字钢 20b"},
    RankCase{"20a", "工字钢 20a|槽钢 20a"},
    RankCase{"[20a", "槽钢 20a"},
    RankCase{"L50x5", "等边角钢 50×5"},
    RankCase{"L50", "等边角钢 50×5|等边角钢 50×6|不等边角钢 50×32×4"},
    RankCase{"工字钢", "工字钢|常用型材计算公式 工字钢|工字钢 20|工字钢 20a|工字钢 20b"},
    RankCase{"铜", "常用材料密度 黄铜"},
    RankCase{"8.50", "常用材料密度 黄铜"},
    RankCase{"钢 铜", ""},
    RankCase{"20c", ""},
    RankCase{"", ""}));

TEST(HandbookIndex, LimitKeepsTheBest)
{
    const HandbookIndex index = smallIndex();
    const auto hits = index.find(QStringLiteral("20"), 2);
    ASSERT_EQ(hits.size(), 2u);
    EXPECT_EQ(hits[0].rank, Rank::ExactDesignation);
    EXPECT_EQ(resultLine(*hits[1].entry), QStringLiteral("工字钢 20a"));
}

// On the handbook as shipped: what an estimator types, and the line that must come first.
struct HandbookCase {
    const char *query;
    const char *first;
    int page;
};

class ShippedHandbookSearch : public ::testing::TestWithParam<HandbookCase> {
protected:
    static void SetUpTestSuite()
    {
        if (!QFileInfo::exists(test::builtDatabasePath()))
            return;
        HandbookDatabase database(test::builtDatabasePath());
        database.setReadOnly(true);
        index_ = new HandbookIndex(buildHandbookIndex(database));
    }
    static void TearDownTestSuite()
    {
        delete index_;
        index_ = nullptr;
    }
    void SetUp() override
    {
        if (!index_)
            MHBK_SKIP_WITHOUT("System.dat");
    }
    static HandbookIndex *index_;
};

HandbookIndex *ShippedHandbookSearch::index_ = nullptr;

TEST_P(ShippedHandbookSearch, FindsTheRowFirst)
{
    const QString query = QString::fromUtf8(GetParam().query);
    const auto hits = index_->find(query);
    ASSERT_FALSE(hits.empty()) << GetParam().query;
    EXPECT_EQ(resultLine(*hits.front().entry).toStdString(), GetParam().first) << GetParam().query;
    EXPECT_EQ(hits.front().entry->page, GetParam().page);
    const auto scanned = linearFind(index_->entries(), query);
    ASSERT_EQ(scanned.size(), hits.size());
    for (std::size_t i = 0; i < hits.size(); ++i)
        EXPECT_EQ(scanned[i].entry, hits[i].entry) << i;
}

INSTANTIATE_TEST_SUITE_P(Queries, ShippedHandbookSearch, ::testing::Values(
    HandbookCase{"I20a", "工字钢 20a  27.929 kg/m", 18},
    HandbookCase{"工20a", "工字钢 20a  27.929 kg/m", 18},
    HandbookCase{"20a工字钢", "工字钢 20a  27.929 kg/m", 18},
    HandbookCase{"[16a", "槽钢 16a  17.240 kg/m", 20},
    HandbookCase{"槽16a", "槽钢 16a  17.240 kg/m", 20},
    HandbookCase{"L50×5", "等边角钢 50×5  3.770 kg/m", 16},
    HandbookCase{"∠50*5", "等边角钢 50×5  3.770 kg/m", 16},
    HandbookCase{"L63×40×5", "不等边角钢 63×40×5  3.920 kg/m", 17},
    HandbookCase{"DN100", "焊接钢管 DN100 114.3×4/5  普通 10.88 kg/m  加厚 13.48 kg/m", 28},
    HandbookCase{"Φ89×4", "热轧无缝钢管 89×4  8.38 kg/m", 24},
    HandbookCase{"89*4", "热轧无缝钢管 89×4  8.38 kg/m", 24},
    HandbookCase{"钢板 10", "钢板 10  78.5 kg/m2", 22},
    HandbookCase{"圆钢 12", "圆钢 12  0.888 kg/m", 11},
    HandbookCase{"六角 24", "六角钢 24  3.92 kg/m", 14},
    HandbookCase{"铜 密度", "常用材料密度 纯铜材(紫铜)  8.9 g/cm3", 3},
    // A material named as such comes before the alloys whose names contain it.
    HandbookCase{"铝 密度", "常用材料密度 纯铝  2.7 g/cm3", 3},
    HandbookCase{"铝", "常用材料密度 纯铝  2.7 g/cm3", 3},
    HandbookCase{"金 密度", "常用材料密度 金(参考值)  19.3 g/cm3", 3},
    HandbookCase{"水 密度", "常用材料密度 水(4℃)(参考值)  1.0 g/cm3", 3},
    HandbookCase{"镍 密度", "常用材料密度 纯镍、阳极镍、电真空镍  8.85 g/cm3", 3},
    HandbookCase{"铅 密度", "常用材料密度 铅和铅锑合金  11.37 g/cm3", 3},
    HandbookCase{"马力", "常用单位转换 1 米制马力  = 735.49875 瓦", 2},
    HandbookCase{"英寸", "常用单位转换 1 英寸  = 25.4 毫米", 2},
    // Written as estimators write them on drawings and in lists.
    HandbookCase{"I 20a", "工字钢 20a  27.929 kg/m", 18},
    HandbookCase{"D89×4", "热轧无缝钢管 89×4  8.38 kg/m", 24},
    HandbookCase{"Ф108×4", "热轧无缝钢管 108×4  10.26 kg/m", 24}, // the Cyrillic letter
    HandbookCase{"δ10钢板", "钢板 10  78.5 kg/m2", 22},
    HandbookCase{"扁钢 40×4", "扁钢 40×4  1.256 kg/m", 15},
    HandbookCase{"扁钢-40×4", "扁钢 40×4  1.256 kg/m", 15},
    // The nominal size finds the I-beam's web classes before the light I-beam of that size.
    HandbookCase{"I20", "工字钢 20a  27.929 kg/m", 18}));

TEST(FindCommand, PrintsTheSameLinesAsTheSearch)
{
    if (!QFileInfo::exists(test::builtDatabasePath()))
        MHBK_SKIP_WITHOUT("System.dat");
    QString out, err;
    QTextStream outStream(&out), errStream(&err);
    EXPECT_EQ(runCliCommand({QStringLiteral("find"), QStringLiteral("工字钢"), QStringLiteral("20a"),
                             QStringLiteral("--db"), test::builtDatabasePath()}, outStream, errStream), 0);
    outStream.flush();
    EXPECT_TRUE(out.startsWith(QStringLiteral("工字钢 20a  27.929 kg/m\n"))) << out.toStdString();

    QString none, noneErr;
    QTextStream noneStream(&none), noneErrStream(&noneErr);
    EXPECT_EQ(runCliCommand({QStringLiteral("find"), QStringLiteral("I999z"), QStringLiteral("--db"),
                             test::builtDatabasePath()}, noneStream, noneErrStream), 1);
    noneErrStream.flush();
    EXPECT_TRUE(noneErr.contains(QStringLiteral("I999z")));
    EXPECT_TRUE(none.isEmpty());

    QString missing, missingErr;
    QTextStream missingStream(&missing), missingErrStream(&missingErr);
    EXPECT_EQ(runCliCommand({QStringLiteral("find"), QStringLiteral("I20a"), QStringLiteral("--db"),
                             QStringLiteral("/nonexistent/System.dat")}, missingStream, missingErrStream), 1);
    missingErrStream.flush();
    EXPECT_TRUE(missingErr.contains(QStringLiteral("/nonexistent/System.dat"))) << missingErr.toStdString();
}

} // namespace
} // namespace mhbk::search
