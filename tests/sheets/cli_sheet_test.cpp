#include "sheets/cli_sheet.h"

#include <gtest/gtest.h>

namespace {

struct CliResult {
    int status;
    QStringList lines;
    QString err;
};

CliResult runSheet(const QStringList &args)
{
    QString out;
    QString err;
    QTextStream outStream(&out);
    QTextStream errStream(&err);
    const int status = mhbk::runSheetCommand(args, outStream, errStream);
    outStream.flush();
    errStream.flush();
    return {status, out.split(QLatin1Char('\n'), Qt::SkipEmptyParts), err};
}

TEST(SheetCommand, PrintsTheWholeOuterDiameterSheet)
{
    const CliResult r = runSheet({"od", "--length", "1=10"});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    ASSERT_EQ(r.lines.size(), 100);
    EXPECT_EQ(r.lines[0], QStringLiteral("管道外径\t管子长度m\t面积m2/m\t刷油面积m2\t体积m3/m\t保温体积m3\t面积m2/m\t保温面积m2"));
    EXPECT_EQ(r.lines[1], QStringLiteral("14\t10\t0.0440\t0.4400\t0.00225\t0.0225\t0.17601\t1.7601"));
    EXPECT_EQ(r.lines[33], QStringLiteral("小计\t\t\t0.4400\t\t0.0225\t\t1.7601"));
    EXPECT_EQ(r.lines[99], QStringLiteral("合计\t\t\t0.4400\t\t0.0225\t\t1.7601"));
}

TEST(SheetCommand, NominalSheetWithThickness)
{
    const CliResult r = runSheet({"dn", "--thickness", "0"});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    ASSERT_EQ(r.lines.size(), 26);
    EXPECT_TRUE(r.lines[1].startsWith(QStringLiteral("15(21.25)\t\t0.0669\t0.0000\t0.00000\t0.0000\t")));
    EXPECT_EQ(r.lines[25], QStringLiteral("合计\t\t\t0.0000\t\t0.0000\t\t0.0000"));
}

TEST(SheetCommand, NominalSheetPaintsDn125AsItsOwnPipe)
{
    const CliResult r = runSheet({"dn", "--length", "11=10"});
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    ASSERT_EQ(r.lines.size(), 26);
    EXPECT_TRUE(r.lines[11].startsWith(QStringLiteral("125(140)\t10\t0.4398\t4.3980\t"))) << r.lines[11].toStdString();
    EXPECT_TRUE(r.lines[12].startsWith(QStringLiteral("小计\t\t\t4.3980\t"))) << r.lines[12].toStdString();
}

TEST(SheetCommand, BadInputFailsWithAMessage)
{
    const QStringList bad[] = {
        {},
        {"xx"},
        {"od", "--thickness", "201"},
        {"od", "--thickness", "-1"},
        {"od", "--thickness", "2.5"},
        {"od", "--length", "33=1"},
        {"od", "--length", "100=1"},
        {"od", "--length", "1=-5"},
        {"od", "--length", "1=1e3"},
        {"od", "--length"},
        {"dn", "--length", "7=1"},
        {"od", "--width", "3"},
    };
    for (const QStringList &args : bad) {
        const CliResult r = runSheet(args);
        EXPECT_EQ(r.status, 1) << args.join(' ').toStdString();
        EXPECT_FALSE(r.err.isEmpty());
        EXPECT_TRUE(r.lines.isEmpty());
    }
}

TEST(SheetCommand, LengthThatIsNoNumberCountsAsZeroAndIsNamed)
{
    const CliResult r = runSheet({"od", "--length", "1=10", "--length", "2=."});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, QStringLiteral("以下管子长度不是数值，已按 0 计算：\n管道外径 17：“.”\n"));
    ASSERT_EQ(r.lines.size(), 100);
    EXPECT_EQ(r.lines[2], QStringLiteral("17\t.\t0.0534\t0.0000\t0.00244\t0.0000\t0.18544\t0.0000"));
    EXPECT_EQ(r.lines[99], QStringLiteral("合计\t\t\t0.4400\t\t0.0225\t\t1.7601"));
}

} // namespace
