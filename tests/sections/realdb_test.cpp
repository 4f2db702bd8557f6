#include "sections/cli_weight.h"
#include "data/database.h"
#include "data/datasets.h"
#include "widgets/stringgrid.h"
#include "numbers/numtext.h"
#include "sections/sectionpages.h"
#include "support/fakehost.h"
#include "support/testdb.h"
#include "support/missingtool.h"
#include "support/clirun.h"

#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <gtest/gtest.h>

namespace mhbk::test {
namespace {

// Tests on the handbook database as built from the shipped tables.
class ShippedHandbookTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!QFileInfo::exists(builtDatabasePath()))
            MHBK_SKIP_WITHOUT("System.dat");
        copy = std::make_unique<TestDatabaseCopy>();
    }
    std::unique_ptr<TestDatabaseCopy> copy;
};

// Each page's grid shows the shipped table (handbook/tables/*.csv): its captions, its first
// record, and record 12 at the head of the second block (eleven records a block).
TEST_F(ShippedHandbookTest, EverySectionPageShowsItsShippedTable)
{
    const struct {
        int page;
        const char *grid;
        const char *captions; // the first block's row 0, tab-separated
        const char *first;    // record 1 beneath them
        const char *twelfth;  // the first cell of the second block's first record; nullptr: one block
    } pages[] = {
        {11, "StringGrid4", "直径(mm)\t重量(kg/m)", "5.5\t0.186", "15"},
        {12, "StringGrid5", "边长(mm)\t重量(kg/m)", "5.5\t0.237", "15"},
        {13, "StringGrid23", "a(mm)\tb(mm)\tG(kg/m)", "3\t10\t0.236", "7"},
        {14, "StringGrid6", "对边距(mm)\t重量(kg/m)", "8\t0.435", "19"},
        {15, "StringGrid22", "\tD 3\tD 4", "W 10\t0.2355\t0.314", nullptr}, // 10 × 3 × 7.85 / 1000
        {16, "StringGrid7", "型号\tb(mm)\td(mm)\tG(kg/m)", "2\t20\t3\t0.889", "4"},
        {17, "StringGrid8", "型号\tB(mm)\tb(mm)\td(mm)\tG(kg/m)", "2.5/1.6\t25\t16\t3\t0.912", "5.6/3.6"},
        {18, "StringGrid9", "型号\th(mm)\tb(mm)\td(mm)\tG(kg/m)", "10\t100\t68\t4.5\t11.261", "24b"},
        {19, "StringGrid10", "型号\th(mm)\tb(mm)\td(mm)\tG(kg/m)", "10\t100\t55\t4.5\t9.46", "24a"},
        {20, "StringGrid11", "型号\th(mm)\tb(mm)\td(mm)\tG(kg/m)", "5\t50\t37\t4.5\t5.438", "18a"},
        {21, "StringGrid12", "型号\th(mm)\tb(mm)\td(mm)\tG(kg/m)", "5\t50\t32\t4.4\t4.84", "22"},
        {22, "StringGrid13", "厚度(mm)\t重量(kg/m2)", "0.35\t2.7475", "1"},
        {23, "sgridHWGB", "基本厚度(mm)\t菱形纹高(mm)\t菱形重量(kg/m2)\t扁豆形纹高(mm)\t扁豆形重量(kg/m2)",
         "2.5\t1.0\t21.6\t1.0\t21.3", nullptr},
        {24, "StringGrid14", "外径×壁厚(mm)\t重量(kg/m)", "32×2.5\t1.82", "32×8"},
        {25, "StringGrid15", "外径×壁厚(mm)\t重量(kg/m)", "6×0.25\t0.0355", "6×1.8"},
        {26, "StringGrid16", "外径×壁厚(mm)\t重量(kg/m)", "4×0.5\t0.0432", "6×1.5"},
        {27, "StringGrid17", "外径×壁厚(mm)\t重量(kg/m)", "10×1.5\t0.314", "16×3"},
        {28, "StringGrid20", "r(mm)\tR(mm)\tcd(mm)\tcG(kg/m)\ttd(mm)\ttG(kg/m)", "6\t10.2\t2\t0.40\t2.5\t0.47", "100"},
        {29, "StringGrid21", "r(mm)\td(mm)\tR(mm)\tG(kg/m)", "13\t1.60\t12.70\t0.438", nullptr},
        {30, "StringGrid24", "R(mm)\td(mm)\tG(kg/m)", "219\t6\t31.52", "325"},
        {31, "StringGrid18", "外径×壁厚(mm)\t重量(kg/m)", "68×4.5\t7.05", "68×10"},
        {32, "StringGrid19", "外径×壁厚(mm)\t重量(kg/m)", "6×0.5\t0.0678", "7×0.8"},
    };
    FakePageHost host(copy->path());
    installSectionPages(host);
    for (const auto &p : pages) {
        host.showPage(p.page);
        ASSERT_TRUE(host.recorder().empty()) << p.page << ": " << host.recorder().last().text.toStdString();
        const StringGrid *grid = host.page(p.page)->findChild<StringGrid *>(QString::fromLatin1(p.grid));
        ASSERT_TRUE(grid) << p.page;
        const QStringList captions = QString::fromUtf8(p.captions).split(QLatin1Char('\t'));
        QStringList shownCaptions, shownFirst;
        for (int column = 0; column < captions.size(); ++column) {
            shownCaptions << grid->cell(column, 0);
            shownFirst << grid->cell(column, 1);
        }
        EXPECT_EQ(shownCaptions, captions) << p.page;
        EXPECT_EQ(shownFirst.join(QLatin1Char('\t')), QString::fromUtf8(p.first)) << p.page;
        if (p.twelfth) {
            EXPECT_EQ(grid->cell(int(captions.size()), 1), QString::fromUtf8(p.twelfth)) << p.page;
        }
    }
}

// The stored weights of the rectangle table are a × b × 7.85 / 1000 with three decimals.
TEST_F(ShippedHandbookTest, RectangleWeightsFollowTheFormula)
{
    HandbookDatabase db(copy->path());
    TableDataset table(db);
    table.open(QStringLiteral("Rectangle"));
    ASSERT_GT(table.recordCount(), 1);
    for (table.next(); !table.eof(); table.next()) {
        const double a = table.fieldText(1).toDouble();
        const double b = table.fieldText(2).toDouble();
        const QString stored = table.fieldText(QStringLiteral("N3"));
        // Three decimals, rounded half up on the exact decimal value (8.2425 is stored as 8.243).
        EXPECT_EQ(stored.size() - stored.indexOf(QLatin1Char('.')), 4) << stored.toStdString();
        EXPECT_NEAR(stored.toDouble(), a * b * 7.85 / 1000, 0.0005 + 1e-9) << a << " x " << b;
    }
}

TEST_F(ShippedHandbookTest, CheckeredPlateOfTwoSquareMetres)
{
    FakePageHost host(copy->path());
    installSectionPages(host);
    host.showPage(23);
    QWidget *page = host.page(23);
    auto *thickness = page->findChild<QComboBox *>(QStringLiteral("cbJBHD_HWGB"));
    ASSERT_GT(thickness->count(), 1);
    page->findChild<QComboBox *>(QStringLiteral("cbKD"))->setEditText(QStringLiteral("1000"));
    page->findChild<QComboBox *>(QStringLiteral("cbCD"))->setEditText(QStringLiteral("2000"));
    for (int i = 0; i < thickness->count(); ++i) {
        thickness->setCurrentIndex(i);
        for (auto [perM2, plate] : {std::pair{"edtLXLLZL", "edtLXZL"}, std::pair{"edtBDLLZL", "edtBDZL"}}) {
            const double shown = page->findChild<QLineEdit *>(QLatin1String(perM2))->text().toDouble();
            EXPECT_EQ(page->findChild<QLineEdit *>(QLatin1String(plate))->text(), floatToStr(shown * 2)) << i;
        }
    }
    EXPECT_TRUE(host.recorder().empty());

    QString out, err;
    QTextStream outStream(&out), errStream(&err);
    EXPECT_EQ(runWeightCommand({"checkered", "t=3.0", "w=1000", "l=2000", "--db", copy->path()}, outStream, errStream), 0)
        << err.toStdString();
    outStream.flush();
    EXPECT_TRUE(out.contains(QLatin1String("ZL_LX="))) << out.toStdString();
}

// --material with a plain name weighs the pure material, not the first alloy whose name holds it.
TEST_F(ShippedHandbookTest, MaterialByPlainName)
{
    const std::pair<const char *, const char *> cases[] = {
        {"铝", "纯铝"}, {"金", "金(参考值)"}, {"水", "水(4℃)(参考值)"}, {"钨", "钨(参考值)"},
        {"钼", "钼(参考值)"}, {"铅", "铅和铅锑合金"}, {"锡", "锡(参考值)"}, {"镍", "纯镍、阳极镍、电真空镍"},
        {"铸钢", "铸钢"}, {"黄铜", nullptr}, {"铜", nullptr},
    };
    for (const auto &[query, name] : cases) {
        const CliRun r = runCli(runWeightCommand, {"round", "d=10", "--material", QString::fromUtf8(query), "--db", copy->path()});
        if (!name) {
            EXPECT_EQ(r.status, 1) << query;
            EXPECT_TRUE(r.err.contains(QStringLiteral("ambiguous material"))) << r.err.toStdString();
            continue;
        }
        EXPECT_EQ(r.status, 0) << query << r.err.toStdString();
        EXPECT_TRUE(r.out.startsWith(QStringLiteral("材料=") + QString::fromUtf8(name) + '\n')) << r.out.toStdString();
    }
}

// Every size table names the standard and edition it follows on its own page, and says so when its
// rows are reference values that could not be checked against the standard's text.
TEST_F(ShippedHandbookTest, EveryTablePageNamesItsStandard)
{
    struct Expected {
        int page;
        const char *standard; // nullptr: none is known, the note must say so
        bool reference;
    };
    const Expected pages[] = {
        {11, "GB/T 702-2017", true},  {12, "GB/T 702-2017", true},   {13, "GB/T 704-2008", true},
        {14, "GB/T 705-1989", false}, {16, "GB/T 706-2008", false},  {17, "GB/T 706-2008", false},
        {18, "GB/T 706-2008", false}, {19, "YB 163-63", true},       {20, "GB/T 706-2008", false},
        {21, "YB 164-63", true},      {22, "GB/T 709-2019", true},   {23, "GB/T 3277-1991", true},
        {24, "GB/T 17395-2008", true}, {25, "GB/T 17395-2008", true}, {26, "GB/T 3639-2009", true},
        {27, "GB 3087-2008", true},   {28, "GB/T 3091-2015", true},  {29, nullptr, true},
        {30, "SY/T 5037-2018", true}, {31, "GB/T 14976-2012", true}, {32, "GB/T 14976-2012", true},
    };
    FakePageHost host(copy->path());
    installSectionPages(host);
    for (const Expected &e : pages) {
        host.showPage(e.page);
        const auto notes = host.page(e.page)->findChildren<QLabel *>(QStringLiteral("lblStandardNote"));
        ASSERT_EQ(notes.size(), 1) << e.page;
        const QString text = notes.first()->text();
        EXPECT_TRUE(notes.first()->isVisibleTo(host.page(e.page))) << e.page;
        const QString standard = e.standard ? QString::fromLatin1(e.standard) : QStringLiteral("标准及版本未能查到");
        EXPECT_TRUE(text.contains(standard)) << e.page << ": " << text.toStdString();
        EXPECT_EQ(text.contains(QStringLiteral("参考值")), e.reference) << e.page << ": " << text.toStdString();
    }
}

// The cell right of the first cell showing `text`, or "<none>".
QString besideCell(const StringGrid &grid, const QString &text)
{
    for (int column = 0; column + 1 < grid.colCount(); ++column)
        for (int row = 0; row < grid.rowCount(); ++row)
            if (grid.cell(column, row) == text)
                return grid.cell(column + 1, row);
    return QStringLiteral("<none>");
}

TEST_F(ShippedHandbookTest, SeamlessGridsShowSmallWeightsAndNoImpossibleSizes)
{
    FakePageHost host(copy->path());
    installSectionPages(host);
    struct Cell {
        int page;
        const char *size;
        const char *weight;
    };
    const Cell cells[] = {
        {25, "6×0.25", "0.0355"}, {25, "6×1", "0.123"},  {25, "6×2", "0.197"},     {25, "57×3.5", "4.62"},
        {26, "4×0.5", "0.0432"},  {26, "4×1", "0.0740"}, {26, "4×1.2", "<none>"},  {26, "4×1.8", "<none>"},
        {26, "5×2", "<none>"},    {32, "6×1", "0.123"},
    };
    for (const Cell &c : cells) {
        host.showPage(c.page);
        const StringGrid *grid = host.page(c.page)->findChild<StringGrid *>();
        ASSERT_TRUE(grid);
        EXPECT_EQ(besideCell(*grid, QString::fromUtf8(c.size)), QString::fromUtf8(c.weight)) << c.page << " " << c.size;
    }
}

TEST_F(ShippedHandbookTest, WeldedPipeGridShowsTheCurrentEdition)
{
    FakePageHost host(copy->path());
    installSectionPages(host);
    host.showPage(28);
    const StringGrid *grid = host.page(28)->findChild<StringGrid *>(QStringLiteral("StringGrid20"));
    ASSERT_TRUE(grid);
    const QStringList rows[] = {
        {"r(mm)", "R(mm)", "cd(mm)", "cG(kg/m)", "td(mm)", "tG(kg/m)"},
        {"6", "10.2", "2", "0.40", "2.5", "0.47"},
        {"8", "13.5", "2.5", "0.68", "2.8", "0.74"},
        {"10", "17.2", "2.5", "0.91", "2.8", "0.99"},
        {"15", "21.3", "2.8", "1.28", "3.5", "1.54"},
    };
    for (int row = 0; row < 5; ++row) {
        for (int column = 0; column < 6; ++column)
            EXPECT_EQ(grid->cell(column, row), rows[row][column]) << row << "," << column;
    }
    EXPECT_EQ(besideCell(*grid, QStringLiteral("21.25")), QStringLiteral("<none>"));
}

} // namespace
} // namespace mhbk::test
