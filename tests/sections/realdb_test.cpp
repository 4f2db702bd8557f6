#include "sections/cli_weight.h"
#include "data/database.h"
#include "data/datasets.h"
#include "data/stringgrid.h"
#include "sections/numberformat.h"
#include "sections/sectionpages.h"
#include "support/fakehost.h"
#include "support/testdb.h"

#include <QComboBox>
#include <QFileInfo>
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
            GTEST_SKIP() << "System.dat not built";
        copy = std::make_unique<TestDatabaseCopy>();
    }
    std::unique_ptr<TestDatabaseCopy> copy;
};

TEST_F(ShippedHandbookTest, EverySectionPageFillsItsGrid)
{
    FakePageHost host(copy->path());
    installSectionPages(host);
    for (int page = 11; page <= 32; ++page) {
        host.showPage(page);
        ASSERT_TRUE(host.recorder().empty()) << page << ": " << host.recorder().last().text.toStdString();
        for (StringGrid *grid : host.page(page)->findChildren<StringGrid *>()) {
            EXPECT_FALSE(grid->cell(1, 0).isEmpty()) << page;
            EXPECT_FALSE(grid->cell(1, 1).isEmpty()) << page;
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

} // namespace
} // namespace mhbk::test
