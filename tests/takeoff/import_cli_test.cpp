// "mhbk-cli list import" on the built handbook database: a CSV saved by a spreadsheet program
// (UTF-8 with its mark, or GBK) added to a list file, unreadable rows kept and left uncounted.
#include "support/clirun.h"
#include "support/missingtool.h"
#include "support/scratchdb.h"
#include "support/testdb.h"
#include "takeoff/cli_list.h"
#include "takeoff/takeofffile.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace mhbk::test {
namespace {

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

TEST(ListImport, CsvInUtf8AndGbkWeighedAndBadRowsKept)
{
    if (!QFileInfo::exists(builtDatabasePath()))
        MHBK_SKIP_WITHOUT("System.dat");
    const TestDatabaseCopy db;
    QTemporaryDir dir;
    const QString utf8 = dir.filePath(QStringLiteral("a.csv"));
    writeBytes(utf8, "\xEF\xBB\xBF" "规格,长度(mm),数量,备注\r\nHN400×200,6000,4,二层梁\r\nHX999,6000,1,\r\n");
    const QString gbk = dir.filePath(QStringLiteral("b.csv"));
    writeBytes(gbk, "HN400\xA1\xC1" "200,6,1,\xB6\xFE\xB2\xE3\xC1\xBA\r\n"); // "HN400×200,6,1,二层梁" in GBK
    const QString list = dir.filePath(QStringLiteral("l.mhbkl"));

    CliRun run = runCli(runListCommand, {QStringLiteral("import"), list, utf8, QStringLiteral("--db"), db.path()});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.contains(QStringLiteral("其中 1 行无法识别"))) << run.out.toStdString();
    EXPECT_TRUE(run.out.contains(QStringLiteral("1569.600 kg"))) << run.out.toStdString(); // 24 m × 65.4
    EXPECT_TRUE(run.out.contains(QStringLiteral("37.440 m2"))) << run.out.toStdString();   // 24 m × 1.56
    run = runCli(runListCommand, {QStringLiteral("import"), list, gbk, QStringLiteral("--db"), db.path()});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();

    const takeoff::List lines = takeoff::loadList(list);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_FALSE(lines[1].counted());
    EXPECT_TRUE(lines[1].problem.contains(QStringLiteral("第 3 行"))) << lines[1].problem.toStdString();
    EXPECT_EQ(lines[2].designation, QStringLiteral("HN400×200"));
    EXPECT_TRUE(lines[2].remark.contains(QStringLiteral("二层梁"))) << lines[2].remark.toStdString();
    EXPECT_NEAR(takeoff::totalsOf(lines).grandTotal, 30 * 65.4, 1e-6); // 24 m + 6 m

    run = runCli(runListCommand, {QStringLiteral("show"), list});
    EXPECT_TRUE(run.out.contains(QStringLiteral("未计入合计\t1 行"))) << run.out.toStdString();
    run = runCli(runListCommand, {QStringLiteral("import"), list, dir.filePath(QStringLiteral("a.xlsx"))});
    EXPECT_EQ(run.status, 1);
}

} // namespace
} // namespace mhbk::test
