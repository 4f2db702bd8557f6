// The one command-line splitter behind mhbk-cli's sub-commands and the program's own options.
#include "common/commandline.h"

#include "common/errors.h"

#include <QTextStream>
#include <gtest/gtest.h>

namespace mhbk {
namespace {

using Kind = CommandLineError::Kind;

const std::vector<OptionSpec> kOptions = {
    {{QStringLiteral("--help"), QStringLiteral("-h")}},
    {{QStringLiteral("--db")}, true},
    {{QStringLiteral("--get")}, true},
};

// Options as "name=value" texts, to compare whole lines at once.
QStringList optionTexts(const CommandLine &line)
{
    QStringList texts;
    for (const auto &[name, value] : line.options)
        texts << name + QLatin1Char('=') + value;
    return texts;
}

TEST(CommandLine, SplitsOptionsAndPositionalsInOrder)
{
    const struct {
        QStringList args;
        UnknownOptions unknown;
        QStringList options;
        QStringList positional;
        std::optional<Kind> error;
        const char *errorArgument;
    } cases[] = {
        {{}, UnknownOptions::Reject, {}, {}, {}, ""},
        {{"round", "d=10", "-h"}, UnknownOptions::Reject, {"--help="}, {"round", "d=10"}, {}, ""},
        // A value is the next argument whatever it looks like.
        {{"--db", "--help", "x"}, UnknownOptions::Reject, {"--db=--help"}, {"x"}, {}, ""},
        {{"--get", "A1", "7", "--get", "B2"}, UnknownOptions::Reject, {"--get=A1", "--get=B2"}, {"7"}, {}, ""},
        // Single-dash words and negative numbers are positional; "--" words are options.
        {{"-5", "-hide"}, UnknownOptions::Reject, {}, {"-5", "-hide"}, {}, ""},
        {{"a", "--bogus", "b", "--db"}, UnknownOptions::Reject, {}, {"a", "b"}, Kind::UnknownOption, "--bogus"},
        {{"a", "--db"}, UnknownOptions::Reject, {}, {"a"}, Kind::MissingValue, "--db"},
        {{"--5", "--x", "--help"}, UnknownOptions::AsPositional, {"--help="}, {"--5", "--x"}, {}, ""},
        {{"--get"}, UnknownOptions::AsPositional, {}, {}, Kind::MissingValue, "--get"},
    };
    for (const auto &c : cases) {
        const CommandLine line = parseCommandLine(c.args, kOptions, c.unknown);
        const std::string what = c.args.join(QLatin1Char(' ')).toStdString();
        EXPECT_EQ(optionTexts(line), c.options) << what;
        EXPECT_EQ(line.positional, c.positional) << what;
        ASSERT_EQ(line.error.has_value(), c.error.has_value()) << what;
        if (line.error) {
            EXPECT_EQ(line.error->kind, *c.error) << what;
            EXPECT_EQ(line.error->argument, QLatin1String(c.errorArgument)) << what;
        }
    }
}

TEST(CommandLine, LookupByTheFirstSpellingGivesTheLastOrEveryValue)
{
    const CommandLine line = parseCommandLine({"-h", "--db", "a", "--db", "b", "--get", "A1"}, kOptions);
    EXPECT_TRUE(line.has(QStringLiteral("--help")));
    EXPECT_FALSE(line.has(QStringLiteral("-h")));
    EXPECT_EQ(line.value(QStringLiteral("--db")), QStringLiteral("b"));
    EXPECT_EQ(line.values(QStringLiteral("--db")), (QStringList{"a", "b"}));
    EXPECT_TRUE(line.value(QStringLiteral("--export")).isEmpty());
    EXPECT_TRUE(line.values(QStringLiteral("--export")).isEmpty());
}

TEST(CommandLine, AssignmentsNeedAName)
{
    const struct {
        const char *argument;
        std::optional<std::pair<QString, QString>> split;
    } cases[] = {
        {"d=10", std::pair{QStringLiteral("d"), QStringLiteral("10")}},
        {"B3=a=b", std::pair{QStringLiteral("B3"), QStringLiteral("a=b")}},
        {"L=", std::pair{QStringLiteral("L"), QString()}},
        {"=5", std::nullopt},
        {"round", std::nullopt},
    };
    for (const auto &c : cases)
        EXPECT_EQ(splitAssignment(QString::fromUtf8(c.argument)), c.split) << c.argument;
}

void printTestUsage(QTextStream &stream)
{
    stream << "usage\n";
}

// What a sub-command prints and returns for each way its body can end.
TEST(Subcommand, PrintsMistakesAndFailuresToStandardErrorWithStatusOne)
{
    enum class Ends { Returns3, BadCall, BadValue, Fails, FailsAtPath };
    const struct {
        Ends ends;
        AppErrorText appErrors;
        int status;
        const char *err;
    } cases[] = {
        {Ends::Returns3, AppErrorText::AsIs, 3, ""},
        {Ends::BadCall, AppErrorText::AsIs, 1, "未知参数 / unknown argument: --x\nusage\n"},
        {Ends::BadCall, AppErrorText::FullStop, 1, "未知参数 / unknown argument: --x\nusage\n"},
        {Ends::BadValue, AppErrorText::FullStop, 1, "密度不对 / bad density: x\n"},
        {Ends::Fails, AppErrorText::AsIs, 1, "无法打开\n"},
        {Ends::Fails, AppErrorText::FullStop, 1, "无法打开.\n"},
        {Ends::FailsAtPath, AppErrorText::FullStop, 1, "无法打开 /tmp/a.dat\n"},
    };
    for (const auto &c : cases) {
        QString out, err;
        QTextStream outStream(&out), errStream(&err);
        const int status = runSubcommand(errStream, printTestUsage, c.appErrors, [&]() -> int {
            outStream << "started\n";
            switch (c.ends) {
            case Ends::Returns3: return 3;
            case Ends::BadCall: throw CliError{QStringLiteral("未知参数 / unknown argument: --x")};
            case Ends::BadValue: throw CliError{QStringLiteral("密度不对 / bad density: x"), CliError::WithoutUsage};
            case Ends::Fails: throw AppError(QStringLiteral("无法打开"));
            case Ends::FailsAtPath: throw AppError(QStringLiteral("无法打开 /tmp/a.dat"));
            }
            return 0;
        });
        outStream.flush();
        errStream.flush();
        SCOPED_TRACE(c.err);
        EXPECT_EQ(status, c.status);
        EXPECT_EQ(out, QStringLiteral("started\n")); // what was printed before the failure stays
        EXPECT_EQ(err, QString::fromUtf8(c.err));
    }
}

} // namespace
} // namespace mhbk
