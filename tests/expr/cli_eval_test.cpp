// mhbk-cli eval: what the result field would show, errors on standard error.
#include "qstringprint.h"
#include "expr/cli_eval.h"
#include "support/clirun.h"

#include <gtest/gtest.h>

namespace mhbk {
namespace {

using test::CliRun;

CliRun runEval(const QStringList &args)
{
    return test::runCli(runEvalCommand, args);
}

TEST(CliEval, PrintsTheMaskedResult)
{
    struct Row {
        QStringList args;
        const char *out;
    };
    const Row rows[] = {
        {{"7/2", "--digits", "0"}, "4.0\n"},
        {{"10/3", "--digits", "3"}, "3.333\n"},
        {{"10/3"}, "3.3\n"},
        {{"--digits", "2", "1+2"}, "3.00\n"},
        {{"sqr(2)", "--digits", "10"}, "1.4142135624\n"},
        {{""}, "0.0\n"},
        // A fresh process starts the Rnd sequence at its first number.
        {{"Rnd", "--digits", "7"}, "0.7055475\n"},
        {{"Int(Rnd*10)"}, "7.0\n"},
        {{"--5"}, "5.0\n"}, // an expression, not an option
        {{"-1+2"}, "1.0\n"},
    };
    for (const Row &row : rows) {
        const CliRun run = runEval(row.args);
        EXPECT_EQ(run.status, 0) << row.args.join(' ').toStdString();
        EXPECT_EQ(run.out, QString::fromLatin1(row.out));
        EXPECT_TRUE(run.err.isEmpty());
    }
}

TEST(CliEval, ErrorsAndBadArguments)
{
    const CliRun bad = runEval({QStringLiteral("1+")});
    EXPECT_EQ(bad.status, 1);
    EXPECT_TRUE(bad.out.isEmpty());
    EXPECT_EQ(bad.err, QStringLiteral("缺少表达式 (error 1023, column 3)\n"));

    for (const QStringList &args : {QStringList{}, QStringList{"1", "--digits"}, QStringList{"1", "--digits", "11"},
                                    QStringList{"1", "--digits", "x"}, QStringList{"1", "2"}}) {
        const CliRun run = runEval(args);
        EXPECT_EQ(run.status, 1) << args.join(' ').toStdString();
        EXPECT_FALSE(run.err.isEmpty());
    }
    EXPECT_EQ(runEval({QStringLiteral("--help")}).status, 0);
}

} // namespace
} // namespace mhbk
