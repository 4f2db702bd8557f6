// What mhbk-cli says when a command line cannot be done as written: a Chinese message that
// says what happened and what to do, on standard error, and a non-zero status.
#include "clicommands.h"
#include "support/clirun.h"
#include "support/missingtool.h"
#include "support/testdb.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace mhbk {
namespace {

struct MessageCase {
    QStringList args;
    int status;
    const char *printed; // a part of standard error (status 1) or of standard output (status 0)
};

void expectCase(const MessageCase &c)
{
    const test::CliRun r = test::runCli(runCliCommand, c.args);
    const std::string shown = c.args.join(QLatin1Char(' ')).toStdString();
    EXPECT_EQ(r.status, c.status) << shown << "\n" << r.err.toStdString();
    const QString &stream = c.status == 0 ? r.out : r.err;
    EXPECT_TRUE(stream.contains(QString::fromUtf8(c.printed))) << shown << "\n" << stream.toStdString();
    if (c.status != 0) {
        EXPECT_TRUE(r.out.isEmpty()) << shown << "\n" << r.out.toStdString();
    }
}

TEST(CliMessages, MistakesInTheCommandLineAreSaidAndFail)
{
    const MessageCase cases[] = {
        {{"workbook", "7", "--export", "a.xls", "--export", "b.xlsx"}, 1, "--export 只能给一次"},
        {{"workbook", "7", "--save", "a.mhbk", "--save", "b.mhbk"}, 1, "--save 只能给一次"},
        {{"workbook", "7", "--export", ""}, 1, "--export 后面的文件名是空的"},
        {{"workbook", "7", "--save", ""}, 1, "--save 后面的文件名是空的"},
        {{"workbook", "7", "--open", " "}, 1, "--open 后面的文件名是空的"},
        {{"weight", "round", "d=1e3000"}, 1, "超出可计算的范围"},
        {{"weight", "round", "d=10", "M=-5"}, 1, "重量 M 不能是负数"},
        {{"weight", "round", "d=10", "L=-2"}, 1, "长度 L 不能是负数"},
        {{"weight", "round", "d=10", "--material", ""}, 1, "--material 后面的材料名是空的"},
        {{"weight", "round", "d=10", "--density", ""}, 1, "--density 后面的密度 (g/cm3)是空的"},
        {{"weight", "round", "d=10", "--density", "8", "--density", "9"}, 1, "--density 只能给一次"},
        {{"weight", "round", "d=10", "--density", "6.6～7.4"}, 0, "密度=7 g/cm3（6.6~7.4 取中值）\nG="},
        {{"weight", "round", "d=10", "M=0"}, 0, "L=0"},
    };
    for (const MessageCase &c : cases)
        expectCase(c);
}

TEST(CliMessages, AFolderGivenAsAFileIsNamedAsAFolder)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString folder = dir.filePath(QStringLiteral("工程.mhbkl"));
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString missing = dir.filePath(QStringLiteral("没有.mhbkl"));
    const MessageCase cases[] = {
        {{"list", "show", folder}, 1, "是一个文件夹，不是文件"},
        {{"list", "show", missing}, 1, "文件不存在"},
        {{"list", "export", folder, dir.filePath(QStringLiteral("a.xlsx"))}, 1, "是一个文件夹，不是文件"},
    };
    for (const MessageCase &c : cases)
        expectCase(c);

    if (!QFileInfo::exists(test::builtDatabasePath()))
        MHBK_SKIP_WITHOUT("System.dat");
    const QString pageFolder = dir.filePath(QStringLiteral("第7页.mhbk"));
    ASSERT_TRUE(QDir().mkpath(pageFolder));
    expectCase({{"workbook", "7", "--open", pageFolder, "--db", test::builtDatabasePath()}, 1, "是一个文件夹，不是文件"});
}

} // namespace
} // namespace mhbk
