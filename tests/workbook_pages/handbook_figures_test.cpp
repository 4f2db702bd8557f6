// Standard figures on the stored workbook pages of the built database, read as the pages show
// them ("mhbk-cli workbook PAGE --get CELL").

#include "workbooks/cli_workbook.h"
#include "data/database.h"
#include "data/datasets.h"
#include "support/testdb.h"

#include <QTextStream>
#include <cmath>
#include <map>
#include <gtest/gtest.h>

namespace mhbk {
namespace {

class HandbookFigures : public ::testing::Test {
protected:
    // The displayed texts of the cells, in order.
    QStringList cells(int page, const QStringList &names)
    {
        QStringList args{QString::number(page)};
        for (const QString &name : names)
            args << QStringLiteral("--get") << name;
        args << QStringLiteral("--db") << copy_.path();
        QString out;
        QString err;
        QTextStream outStream(&out);
        QTextStream errStream(&err);
        const int status = runWorkbookCommand(args, outStream, errStream);
        outStream.flush();
        errStream.flush();
        EXPECT_EQ(status, 0) << err.toStdString();
        return out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

    test::TestDatabaseCopy copy_;
};

// GB/T 12772-2016 W-type drainage cast iron: DN, outside diameter, nominal wall, kg per 3 m pipe.
struct WType {
    const char *dn;
    const char *od;
    const char *wall;
    const char *kgPer3m;
};

constexpr WType kWType[] = {
    {"DN50", "58", "3.5", "13"},   {"DN75", "83", "3.5", "18.9"},  {"DN100", "110", "3.5", "25.2"},
    {"DN125", "135", "4", "35.4"}, {"DN150", "160", "4", "42.2"},  {"DN200", "210", "5", "69.3"},
    {"DN250", "274", "5.5", "99.8"}, {"DN300", "326", "6", "129.7"},
};

TEST_F(HandbookFigures, DrainageSurfacePageHasTheWTypeDiameters)
{
    // Rows 5-12: DN, outside diameter, area per 10 m = π·D·10.
    for (int i = 0; i < 8; ++i) {
        const int row = 5 + i;
        const QStringList got = cells(9, {QStringLiteral("A%1").arg(row), QStringLiteral("B%1").arg(row),
                                          QStringLiteral("C%1").arg(row)});
        ASSERT_EQ(got.size(), 3);
        EXPECT_EQ(got[0], QLatin1String(kWType[i].dn));
        EXPECT_EQ(got[1], QLatin1String(kWType[i].od)) << kWType[i].dn;
        const double od = QString::fromLatin1(kWType[i].od).toDouble();
        EXPECT_EQ(got[2], QString::number(M_PI * od / 100, 'f', 3)) << kWType[i].dn;
    }
}

TEST_F(HandbookFigures, DrainLedgerSizesAndMassesAgree)
{
    // Rows 4-11: DN, OD, wall, kg per 3 m, kg/m. The mass of each pipe must be its own cast-iron
    // volume: π(D-t)t·3 m at 7.15-7.25 g/cm3 (a 60 mm DN50 would give 6.98).
    for (int i = 0; i < 8; ++i) {
        const int row = 4 + i;
        QStringList names;
        for (const char *column : {"A", "B", "C", "D", "E"})
            names << QStringLiteral("%1%2").arg(QLatin1String(column)).arg(row);
        const QStringList got = cells(36, names);
        ASSERT_EQ(got.size(), 5);
        const WType &w = kWType[i];
        EXPECT_EQ(got.mid(0, 4), (QStringList{w.dn, w.od, w.wall, w.kgPer3m}));
        const double od = got[1].toDouble();
        const double wall = got[2].toDouble();
        const double density = got[3].toDouble() / 3 / (M_PI * (od - wall) * wall) * 1000;
        EXPECT_GT(density, 7.15) << w.dn;
        EXPECT_LT(density, 7.25) << w.dn;
        EXPECT_EQ(got[4], QString::number(got[3].toDouble() / 3, 'f', 2)) << w.dn;
    }
}

// The welded-pipe grid and the pipe price page follow the same edition (GB/T 3091-2015): every
// size of the price page has the grid's outside diameter, walls and weights.
TEST_F(HandbookFigures, WeldedPipeGridAgreesWithThePricePage)
{
    HandbookDatabase db(copy_.path());
    TableDataset table(db);
    table.open(QStringLiteral("SeelTube"));
    std::map<QString, QStringList> grid; // "DN15" -> OD, ordinary wall, weight, thickened wall, weight
    for (table.next(); !table.eof(); table.next())
        grid[QStringLiteral("DN") + table.fieldText(1)] = {table.fieldText(2), table.fieldText(3), table.fieldText(4),
                                                           table.fieldText(5), table.fieldText(6)};
    ASSERT_EQ(grid.size(), 14u);
    EXPECT_EQ(grid[QStringLiteral("DN15")], (QStringList{"21.3", "2.8", "1.28", "3.5", "1.54"}));
    EXPECT_EQ(grid[QStringLiteral("DN80")], (QStringList{"88.9", "4", "8.38", "5", "10.35"}));

    // Page 49, rows 4-25: DN15 ordinary, DN15 thickened, DN20 ordinary ... DN150 thickened.
    int compared = 0;
    for (int row = 4; row <= 25; ++row) {
        const QStringList got = cells(49, {QStringLiteral("A%1").arg(row), QStringLiteral("C%1").arg(row),
                                           QStringLiteral("D%1").arg(row), QStringLiteral("E%1").arg(row),
                                           QStringLiteral("F%1").arg(row)});
        ASSERT_EQ(got.size(), 5);
        ASSERT_TRUE(grid.count(got[0])) << got[0].toStdString();
        const QStringList &size = grid[got[0]];
        const int wall = got[1] == QStringLiteral("普通") ? 1 : 3;
        EXPECT_EQ(got[2].toDouble(), size[0].toDouble()) << got[0].toStdString();
        EXPECT_EQ(got[3].toDouble(), size[wall].toDouble()) << got[0].toStdString() << " " << got[1].toStdString();
        EXPECT_EQ(got[4], size[wall + 1]) << got[0].toStdString() << " " << got[1].toStdString();
        ++compared;
    }
    EXPECT_EQ(compared, 22);
}

} // namespace
} // namespace mhbk
