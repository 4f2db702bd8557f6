#include "search/normalize.h"

#include <gtest/gtest.h>

namespace mhbk::search {
namespace {

struct KeyCase {
    const char *written;
    const char *key;
};

class DesignationKeyTest : public ::testing::TestWithParam<KeyCase> {};

TEST_P(DesignationKeyTest, FoldsTheWaysEstimatorsWriteASize)
{
    EXPECT_EQ(designationKey(QString::fromUtf8(GetParam().written)).toStdString(), GetParam().key);
}

INSTANTIATE_TEST_SUITE_P(Sizes, DesignationKeyTest, ::testing::Values(
    KeyCase{"50×5", "50x5"}, KeyCase{"50*5", "50x5"}, KeyCase{"50X5", "50x5"}, KeyCase{"50 x 5", "50x5"},
    KeyCase{"５０＊５", "50x5"}, KeyCase{"63×40×5", "63x40x5"}, KeyCase{"20A", "20a"}, KeyCase{"２０ａ", "20a"},
    KeyCase{"2.50", "2.5"}, KeyCase{"10.0", "10"}, KeyCase{"0.40×2.00", "0.4x2"}, KeyCase{"1.05", "1.05"},
    KeyCase{"100", "100"}, KeyCase{"735.49875", "735.49875"}, KeyCase{"DN 100", "dn100"}, KeyCase{"Φ89", "φ89"},
    KeyCase{"ø89", "φ89"}, KeyCase{"2.5/1.6", "2.5/1.6"}));

struct QueryCase {
    const char *query;
    unsigned kinds;
    const char *designation;
    const char *terms; // joined by "|"
};

class ParseQueryTest : public ::testing::TestWithParam<QueryCase> {};

TEST_P(ParseQueryTest, SplitsFamilySizeAndWords)
{
    const Query query = parseQuery(QString::fromUtf8(GetParam().query));
    EXPECT_EQ(query.kinds, GetParam().kinds);
    EXPECT_EQ(query.designation.toStdString(), GetParam().designation);
    EXPECT_EQ(query.terms.join(QLatin1Char('|')).toStdString(), GetParam().terms);
}

INSTANTIATE_TEST_SUITE_P(Queries, ParseQueryTest, ::testing::Values(
    QueryCase{"I20a", IBeam, "20a", ""}, QueryCase{"工20a", IBeam, "20a", ""},
    QueryCase{"20a工字钢", IBeam, "20a", ""}, QueryCase{"i 20A", IBeam, "20a", ""},
    QueryCase{"[16a", Channel, "16a", ""}, QueryCase{"［16a", Channel, "16a", ""},
    QueryCase{"槽16a", Channel, "16a", ""}, QueryCase{"槽钢 16a", Channel, "16a", ""},
    QueryCase{"L50×5", Angle, "50x5", ""}, QueryCase{"∠50*5", Angle, "50x5", ""},
    QueryCase{"L63×40×5", Angle, "63x40x5", ""}, QueryCase{"角钢50x5", Angle, "50x5", ""},
    QueryCase{"DN100", NoKind, "dn100", ""}, QueryCase{"dn 100", NoKind, "dn100", ""},
    QueryCase{"Φ89×4", Round | Pipe, "89x4", ""}, QueryCase{"89*4", NoKind, "89x4", ""},
    QueryCase{"钢板 10", Plate, "10", ""}, QueryCase{"圆钢 12", Round, "12", ""},
    QueryCase{"六角 24", Hexagon, "24", ""}, QueryCase{"六角钢24", Hexagon, "24", ""},
    QueryCase{"铜 密度", NoKind, "", "铜|密度"}, QueryCase{"马力", NoKind, "", "马力"},
    QueryCase{"轻型工字钢 20a", IBeam, "20a", "轻型"}, QueryCase{"无缝钢管 89×4", Pipe, "89x4", "无缝"},
    QueryCase{"  ", NoKind, "", ""}, QueryCase{"L", Angle, "", ""},
    // Marks as drawings and other keyboards write them.
    QueryCase{"I 20a", IBeam, "20a", ""}, QueryCase{"D89×4", Round | Pipe, "89x4", ""},
    QueryCase{"Ф108×4", Round | Pipe, "108x4", ""}, QueryCase{"ф108*4", Round | Pipe, "108x4", ""},
    QueryCase{"δ10钢板", Plate, "10", ""}, QueryCase{"扁钢 40×4", Flat, "40x4", ""},
    QueryCase{"扁钢-40×4", Flat | Plate, "40x4", ""}, QueryCase{"－40×4", Flat | Plate, "40x4", ""},
    QueryCase{"d 89", NoKind, "89", "d"}, QueryCase{"a - b", NoKind, "", "a|-|b"}));

} // namespace
} // namespace mhbk::search
