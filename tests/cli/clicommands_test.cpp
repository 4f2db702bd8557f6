#include "clicommands.h"
#include "support/clirun.h"

#include <gtest/gtest.h>

namespace mhbk {
namespace {

using test::CliRun;

CliRun runCli(const QStringList &args)
{
    return test::runCli(runCliCommand, args);
}

TEST(CliDispatcher, HelpListsEverySubCommandOnStandardOutput)
{
    for (const char *help : {"--help", "-h"}) {
        const CliRun r = runCli({QLatin1String(help)});
        EXPECT_EQ(r.status, 0);
        EXPECT_TRUE(r.err.isEmpty());
        for (const char *command : {"eval", "weight", "spec", "table", "sheet", "workbook"})
            EXPECT_TRUE(r.out.contains(QStringLiteral("mhbk-cli %1 ").arg(QLatin1String(command)))) << command;
    }
}

TEST(CliDispatcher, MissingOrUnknownCommandFailsWithUsage)
{
    const CliRun none = runCli({});
    EXPECT_EQ(none.status, 1);
    EXPECT_TRUE(none.out.isEmpty());
    EXPECT_TRUE(none.err.startsWith(QStringLiteral("用法 / usage: mhbk-cli COMMAND")));

    const CliRun unknown = runCli({QStringLiteral("evaluate"), QStringLiteral("1")});
    EXPECT_EQ(unknown.status, 1);
    EXPECT_TRUE(unknown.out.isEmpty());
    EXPECT_TRUE(unknown.err.startsWith(QStringLiteral("未知命令 / unknown command: evaluate\n用法")));
}

TEST(CliDispatcher, PassesTheRestOfTheArgumentsToTheSubCommand)
{
    const struct {
        QStringList args;
        int status;
        const char *out;
    } cases[] = {
        {{"eval", "10/4", "--digits", "2"}, 0, "2.50\n"},
        {{"weight", "square", "a=10"}, 0, "G=0.785\n"},
        {{"sheet", "--help"}, 0, "usage: mhbk-cli sheet"},
        {{"workbook", "--help"}, 0, "用法 / usage: mhbk-cli workbook"},
        {{"table", "--help"}, 0, "用法 / usage: mhbk-cli table"},
        {{"spec", "--help"}, 0, "用法 / usage: mhbk-cli spec"},
        {{"eval"}, 1, ""},
    };
    for (const auto &c : cases) {
        const CliRun r = runCli(c.args);
        EXPECT_EQ(r.status, c.status) << c.args.join(' ').toStdString();
        const QString expected = QString::fromUtf8(c.out);
        EXPECT_TRUE(expected.isEmpty() ? r.out.isEmpty() : r.out.startsWith(expected))
            << c.args.join(QLatin1Char(' ')).toStdString() << ": " << r.out.toStdString();
    }
}

} // namespace
} // namespace mhbk
