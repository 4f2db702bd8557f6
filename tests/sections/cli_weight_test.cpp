#include "sections/cli_weight.h"
#include "sectiontestdb.h"
#include "support/clirun.h"

#include <gtest/gtest.h>

namespace mhbk::test {
namespace {

CliRun run(CliCommand command, const QStringList &args)
{
    return runCli(command, args);
}

TEST(WeightCommand, Shapes)
{
    const std::pair<QStringList, QString> cases[] = {
        {{"round", "d=10", "L=2"}, "G=0.616539\nM=1.233078\n"},
        {{"round", "d=10"}, "G=0.616539\n"},
        {{"square", "a=10"}, "G=0.785\n"},
        {{"rectangle", "b=20", "a=10", "L=.5"}, "G=1.57\nM=0.785\n"},
        {{"hexagon", "a=10"}, "G=0.67981\n"},
        {{"flat", "W=100", "D=51"}, "G=40.035\n"},
        {{"plate", "d=10", "L=2"}, "G=78.5\nM=157\n"},
        {{"pipe", "R=60", "d=3"}, "G=4.21712676\n"},
        {{"pipe", "R=17.899", "d=17.752"}, "G=0.06435542592864\n"},
        {{"pipe", "R=2", "d=3", "L=10"}, "G=-0.07398468\nM=-0.7398468\n"},
    };
    for (const auto &[args, expected] : cases) {
        const CliRun r = run(runWeightCommand, args);
        EXPECT_EQ(r.status, 0) << args.join(' ').toStdString() << r.err.toStdString();
        EXPECT_EQ(r.out, expected) << args.join(' ').toStdString();
    }
}

TEST(WeightCommand, BadInputGoesToStandardErrorWithStatusOne)
{
    const std::pair<QStringList, QString> cases[] = {
        {{}, "one shape expected"},
        {{"cube", "a=1"}, "unknown shape: cube"},
        {{"round"}, "missing value: d="},
        {{"round", "d="}, "missing value: d="},
        {{"round", "d=."}, "出错！请检查输入的字符串！"},
        {{"round", "d=10", "L=."}, "'.' is not a valid floating point value"},
        {{"round", "d=10", "x=1"}, "unknown parameter: x"},
        {{"pipe", "R=60"}, "missing value: d="},
        {{"checkered", "t=3.0", "w=abc"}, "“钢板宽度”与“长度”需要输入数值型参数！"},
        {{"round", "d=10", "--bogus"}, "unknown option: --bogus"},
        {{"round", "d=10", "--db"}, "--db needs a file name"},
        {{"round", "square", "d=10"}, "one shape expected"},
    };
    for (const auto &[args, message] : cases) {
        const CliRun r = run(runWeightCommand, args);
        EXPECT_EQ(r.status, 1) << args.join(' ').toStdString();
        EXPECT_TRUE(r.out.isEmpty());
        EXPECT_TRUE(r.err.contains(message)) << r.err.toStdString();
    }
}

TEST(WeightCommand, Help)
{
    const CliRun r = run(runWeightCommand, {"--help"});
    EXPECT_EQ(r.status, 0);
    for (const char *shape : {"round", "square", "rectangle", "hexagon", "flat", "plate", "pipe", "checkered"})
        EXPECT_TRUE(r.out.contains(QLatin1String(shape))) << shape;
}

TEST(WeightCommand, CheckeredFromTheDatabase)
{
    SmallHandbook db;
    db.addCheckeredTable({{"2.5", "1.0", "21.6", "1.0", "21.3"}, {"3.0", "1.0", "25.6", "1.0", "24.4"}});
    CliRun r = run(runWeightCommand, {"checkered", "t=3.0", "w=1000", "l=2000", "--db", db.path()});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QStringLiteral("WG_LX=1.0\nLLZL_LX=25.6\nZL_LX=51.2\nWG_BDX=1.0\nLLZL_BDX=24.4\nZL_BDX=48.8\n"));
    // The thickness is a number: "3" and "3.00" find the row the table writes as "3.0".
    for (const char *typed : {"t=3", "t=3.00", "t= 3.0"}) {
        const CliRun same = run(runWeightCommand, {"checkered", typed, "w=1000", "l=2000", "--db", db.path()});
        EXPECT_EQ(same.status, 0) << typed << same.err.toStdString();
        EXPECT_EQ(same.out, r.out) << typed;
    }
    r = run(runWeightCommand, {"checkered", "t=7", "--db", db.path()});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains(QLatin1String("7")));
    r = run(runWeightCommand, {"checkered", "t=3.0", "--db", db.path() + "-missing"});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("找不到数据库文件")));
}

TEST(WeightCommand, MaterialsAndReverse)
{
    SmallHandbook db;
    db.addDensityTable({{QStringLiteral("灰口铸铁"), QStringLiteral("6.6~7.4")},
                        {QStringLiteral("白口铸铁"), QStringLiteral("7.4~7.7")},
                        {QStringLiteral("59、62、65、68黄铜"), QStringLiteral("8.5")},
                        {QStringLiteral("纯铝"), QStringLiteral("2.7")}});
    const std::pair<QStringList, QString> cases[] = {
        {{"round", "d=10", "--density", "7.85"}, "密度=7.85 g/cm3\nG=0.616539\n"},
        {{"round", "d=10", "L=2", "--density", "8.9"}, "密度=8.9 g/cm3\nG=0.699006\nM=1.398012\n"},
        {{"plate", "d=10", "--material", "黄铜", "--db", db.path()},
         "材料=59、62、65、68黄铜\n密度=8.5 g/cm3\nG=85\n"},
        {{"square", "a=10", "--material", "灰口铸铁", "--db", db.path()},
         "材料=灰口铸铁\n密度=7 g/cm3（6.6~7.4 取中值）\nG=0.7\n"},
        {{"round", "d=10", "M=100"}, "G=0.616539\nL=162.195741064231\n"},
        {{"round", "d=10", "L=6", "M=3.699234"}, "G=0.616539\nM=3.699234\nL=6\n"},
        {{"plate", "d=3", "M=162", "--material", "纯铝", "--db", db.path()},
         "材料=纯铝\n密度=2.7 g/cm3\nG=8.1\nL=20\n"},
        {{"pipe", "R=60", "d=3", "M=4.21712676"}, "G=4.21712676\nL=1\n"},
    };
    for (const auto &[args, expected] : cases) {
        const CliRun r = run(runWeightCommand, args);
        EXPECT_EQ(r.status, 0) << args.join(' ').toStdString() << r.err.toStdString();
        EXPECT_EQ(r.out, expected) << args.join(' ').toStdString();
    }
    const std::pair<QStringList, QString> bad[] = {
        {{"round", "d=10", "--density", "heavy"}, "bad density: heavy"},
        {{"round", "d=10", "--density", "0"}, "bad density: 0"},
        {{"round", "d=10", "--density"}, "--density needs a value"},
        {{"round", "d=10", "--density", "8", "--material", "纯铝"}, "not both"},
        {{"round", "d=10", "--material", "钛", "--db", db.path()}, "no such material: 钛"},
        {{"round", "d=10", "--material", "铁", "--db", db.path()}, "ambiguous material: 铁\n  灰口铸铁\n  白口铸铁"},
        {{"round", "d=10", "M=."}, "'.' is not a valid floating point value"},
        {{"pipe", "R=3", "d=3", "M=10"}, "不能由重量求长度"},
        {{"checkered", "t=3.0", "--density", "8"}, "checkered plate"},
    };
    for (const auto &[args, message] : bad) {
        const CliRun r = run(runWeightCommand, args);
        EXPECT_EQ(r.status, 1) << args.join(' ').toStdString();
        EXPECT_TRUE(r.out.isEmpty()) << r.out.toStdString();
        EXPECT_TRUE(r.err.contains(message)) << r.err.toStdString();
    }
}

TEST(TableCommand, PrintsCaptionsAndRowsTabSeparated)
{
    SmallHandbook db;
    db.addCaptionTable(QStringLiteral("circle"), {"d(mm)", "G(kg/m)"}, {{"5.5", "0.186"}, {"6", "0.222"}});
    CliRun r = run(runTableCommand, {"circle", "--db", db.path()});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QStringLiteral("d(mm)\tG(kg/m)\n5.5\t0.186\n6\t0.222\n"));
    r = run(runTableCommand, {"nosuchtable", "--db", db.path()});
    EXPECT_EQ(r.status, 1);
    EXPECT_FALSE(r.err.isEmpty());
    r = run(runTableCommand, {});
    EXPECT_EQ(r.status, 1);
}

} // namespace
} // namespace mhbk::test
