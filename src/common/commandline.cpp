#include "common/commandline.h"

#include "common/errors.h"
#include "common/reporter.h"

#include <QTextStream>

namespace mhbk {

namespace {

const OptionSpec *findOption(const std::vector<OptionSpec> &options, const QString &argument)
{
    for (const OptionSpec &option : options) {
        if (option.names.contains(argument))
            return &option;
    }
    return nullptr;
}

} // namespace

bool CommandLine::has(const QString &name) const
{
    for (const auto &option : options) {
        if (option.first == name)
            return true;
    }
    return false;
}

QString CommandLine::value(const QString &name) const
{
    const QStringList all = values(name);
    return all.isEmpty() ? QString() : all.last();
}

QString singleValue(const CommandLine &line, const QString &name, const QString &needed)
{
    const QStringList given = line.values(name);
    if (given.size() > 1)
        throw CliError{QStringLiteral("%1 只能给一次，这里给了 %2 次（%3）。请只保留一个 / %1 given more than once")
                           .arg(name)
                           .arg(given.size())
                           .arg(given.join(QStringLiteral("、"))),
                       CliError::WithoutUsage};
    if (!given.isEmpty() && given.first().trimmed().isEmpty())
        throw CliError{QStringLiteral("%1 后面的%2是空的。请写出%2 / %1 needs a non-empty value").arg(name, needed),
                       CliError::WithoutUsage};
    return given.isEmpty() ? QString() : given.first();
}

QStringList CommandLine::values(const QString &name) const
{
    QStringList found;
    for (const auto &option : options) {
        if (option.first == name)
            found << option.second;
    }
    return found;
}

CommandLine parseCommandLine(const QStringList &args, const std::vector<OptionSpec> &options, UnknownOptions unknown)
{
    CommandLine line;
    const auto fail = [&line](CommandLineError::Kind kind, const QString &argument) {
        if (!line.error)
            line.error = CommandLineError{kind, argument};
    };
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &argument = args[i];
        if (const OptionSpec *option = findOption(options, argument)) {
            const QString &name = option->names.first();
            if (!option->takesValue)
                line.options.emplace_back(name, QString());
            else if (i + 1 < args.size())
                line.options.emplace_back(name, args[++i]);
            else
                fail(CommandLineError::Kind::MissingValue, argument);
        } else if (argument.startsWith(QLatin1String("--")) && unknown == UnknownOptions::Reject) {
            fail(CommandLineError::Kind::UnknownOption, argument);
        } else {
            line.positional << argument;
        }
    }
    return line;
}

std::optional<std::pair<QString, QString>> splitAssignment(const QString &argument)
{
    const qsizetype eq = argument.indexOf(QLatin1Char('='));
    if (eq <= 0)
        return std::nullopt;
    return std::pair{argument.left(eq), argument.mid(eq + 1)};
}

int runSubcommand(QTextStream &err, void (*usage)(QTextStream &), AppErrorText appErrors,
                  const std::function<int()> &body)
{
    try {
        return body();
    } catch (const CliError &e) {
        err << e.message << '\n';
        if (e.usage == CliError::WithUsage)
            usage(err);
    } catch (const AppError &e) {
        err << (appErrors == AppErrorText::FullStop ? withFullStop(e.message()) : e.message()) << '\n';
    }
    return 1;
}

} // namespace mhbk
