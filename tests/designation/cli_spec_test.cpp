// "mhbk-cli spec" on the built handbook database.
#include "designation/cli_spec.h"
#include "support/clirun.h"
#include "support/missingtool.h"
#include "support/scratchdb.h"
#include "support/testdb.h"

#include <QFileInfo>
#include <gtest/gtest.h>

namespace mhbk::test {
namespace {

class SpecCommand : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!QFileInfo::exists(builtDatabasePath()))
            MHBK_SKIP_WITHOUT("System.dat");
        copy = std::make_unique<TestDatabaseCopy>();
    }
    CliRun spec(QStringList args)
    {
        args << QStringLiteral("--db") << copy->path();
        return runCli(runSpecCommand, args);
    }
    std::unique_ptr<TestDatabaseCopy> copy;
};

TEST_F(SpecCommand, PrintsTheReadingFiguresSourceAndTotals)
{
    const CliRun run = spec({QStringLiteral("HN400×200"), QStringLiteral("L=6"), QStringLiteral("n=4")});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    const QStringList expected = {
        QStringLiteral("读作=热轧H型钢：高 H=400 mm，翼缘宽 B=200 mm，腹板厚 t1=8 mm，翼缘厚 t2=13 mm，系列 HN"),
        QStringLiteral("单位重量=65.4 kg/m"),
        QStringLiteral("截面面积=83.37 cm2"),
        QStringLiteral("外表面积=1.56 m2/m"),
        QStringLiteral("外表面积(不含顶面)=1.360 m2/m"),
        QStringLiteral("核验=通过"),
        QStringLiteral("总长=24.000 m"),
        QStringLiteral("总重=1569.600 kg"),
        QStringLiteral("总外表面积=37.440 m2"),
    };
    for (const QString &line : expected)
        EXPECT_TRUE(run.out.contains(line + QLatin1Char('\n'))) << line.toStdString() << "\n" << run.out.toStdString();
    EXPECT_TRUE(run.out.contains(QStringLiteral("来源=GB/T 11263-2024")));
}

TEST_F(SpecCommand, AFlatBarThatLooksLikeAnOptionIsRead)
{
    const CliRun run = spec({QStringLiteral("-10×200"), QStringLiteral("L=2")});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.contains(QStringLiteral("单位重量=15.700 kg/m\n")));
    EXPECT_TRUE(run.out.contains(QStringLiteral("总重=31.400 kg\n")));
}

TEST_F(SpecCommand, AMaterialFromTheDensityTableScalesTheWeight)
{
    const CliRun run = spec({QStringLiteral("PL10×1000"), QStringLiteral("--material"), QStringLiteral("紫铜")});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.contains(QStringLiteral("材料=纯铜材(紫铜)")));
    EXPECT_TRUE(run.out.contains(QStringLiteral("单位重量=89.000 kg/m\n"))) << run.out.toStdString();
}

// The same rule as `mhbk-cli weight`: a plain name weighs the pure material, several fitting rows
// are listed, and an empty name is a mistake rather than steel.
TEST_F(SpecCommand, MaterialNamesFollowTheWeightCommandsRule)
{
    const CliRun aluminium = spec({QStringLiteral("PL10×1000"), QStringLiteral("--material"), QStringLiteral("铝")});
    ASSERT_EQ(aluminium.status, 0) << aluminium.err.toStdString();
    EXPECT_TRUE(aluminium.out.contains(QStringLiteral("材料=纯铝，"))) << aluminium.out.toStdString();
    const std::pair<QStringList, const char *> refused[] = {
        {{QStringLiteral("PL10×1000"), QStringLiteral("--material"), QStringLiteral("黄铜")}, "ambiguous material: 黄铜\n  "},
        {{QStringLiteral("PL10×1000"), QStringLiteral("--material"), QString()}, "--material 后面的材料名是空的"},
    };
    for (const auto &[args, message] : refused) {
        const CliRun run = spec(args);
        EXPECT_EQ(run.status, 1);
        EXPECT_TRUE(run.err.contains(QString::fromUtf8(message))) << run.err.toStdString();
    }
}

TEST_F(SpecCommand, BadInputFailsWithAChineseMessage)
{
    const QStringList bad[] = {
        {QStringLiteral("H400×200×8")},
        {QStringLiteral("HN400×200"), QStringLiteral("L=-3")},
        {QStringLiteral("HN400×200"), QStringLiteral("n=2.5")},
        {QString(100000, QLatin1Char('9'))},
        {},
    };
    for (const QStringList &args : bad) {
        const CliRun run = spec(args);
        EXPECT_EQ(run.status, 1) << args.join(QLatin1Char(' ')).left(40).toStdString();
        EXPECT_FALSE(run.err.isEmpty());
        EXPECT_TRUE(run.out.isEmpty()) << run.out.toStdString();
    }
}

// A user's copy of the database made before the designation tables were added: the rolled sizes
// cannot be found and say so, the geometric ones are still answered, and the output warns.
TEST_F(SpecCommand, ADatabaseWithoutTheTablesSaysSo)
{
    {
        const SqlFile file(copy->path());
        for (const char *table : {"HBeam", "HKBeam", "CutTee", "HollowRect", "HollowRound", "PurlinC", "PurlinZ",
                                  "AngleProps", "UnequalAngleProps", "IBeamProps", "ChannelProps"})
            file.exec(QStringLiteral("DROP TABLE %1").arg(QLatin1String(table)));
    }
    const CliRun rolled = spec({QStringLiteral("HN400×200")});
    EXPECT_EQ(rolled.status, 1);
    EXPECT_TRUE(rolled.err.contains(QStringLiteral("GB/T 11263"))) << rolled.err.toStdString();

    const CliRun tube = spec({QStringLiteral("□200×100×6")});
    ASSERT_EQ(tube.status, 0) << tube.err.toStdString();
    EXPECT_TRUE(tube.out.startsWith(QStringLiteral("注意=数据库中缺少表 HBeam"))) << tube.out.toStdString();
    EXPECT_TRUE(tube.out.contains(QStringLiteral("来源=按几何计算")));
}

} // namespace
} // namespace mhbk::test
