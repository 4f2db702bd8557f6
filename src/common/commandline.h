#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

class QTextStream;

namespace mhbk {

// One option a command accepts: its spellings ("--help", "-h"; the first is its name) and
// whether the argument after it is its value.
struct OptionSpec {
    QStringList names;
    bool takesValue = false;
};

// What is wrong with a command line: the first option that needs a value and has none, or
// the first argument that looks like an option and is none.
struct CommandLineError {
    enum class Kind { MissingValue, UnknownOption };
    Kind kind;
    QString argument;
};

// A command line split by the options a command accepts.
struct CommandLine {
    std::vector<std::pair<QString, QString>> options; // name and value ("" for a flag), in the order given
    QStringList positional;                            // everything else, in the order given
    std::optional<CommandLineError> error;

    bool has(const QString &name) const;
    QString value(const QString &name) const;      // the last one given; empty when absent
    QStringList values(const QString &name) const; // every one given, in order
};

// What an argument that starts with "--" and is no known option is: a mistake, or a positional
// argument (an expression such as "--5", a parameter the program passes on).
enum class UnknownOptions { Reject, AsPositional };

// Splits `args`. An option that takes a value takes the next argument whatever it looks like.
// Scanning goes on after an error, so that a command can still honour --help.
CommandLine parseCommandLine(const QStringList &args, const std::vector<OptionSpec> &options,
                             UnknownOptions unknown = UnknownOptions::Reject);

// NAME=VALUE with a non-empty NAME, split at the first '='.
std::optional<std::pair<QString, QString>> splitAssignment(const QString &argument);

// A mistake on the command line. Its message goes to standard error, followed by the command's
// usage unless the mistake is in a value rather than in how the command was called.
struct CliError {
    enum Usage { WithUsage, WithoutUsage };
    QString message;
    Usage usage = WithUsage;
};

// How a command prints a failure of the program itself (an AppError): as it stands, or closed
// with a full stop as a message box shows it.
enum class AppErrorText { AsIs, FullStop };

// The value of an option that is given at most once and, when given, is not empty: a second
// --export or an empty --save '' would otherwise be quietly ignored. `needed` says what the value
// is ("文件名", "材料名"). Empty when the option is absent; throws CliError otherwise.
QString singleValue(const CommandLine &line, const QString &name, const QString &needed);

// Runs a sub-command's `body` and returns its status. A CliError or AppError thrown by it is
// printed to `err` as described above, and the status is 1.
int runSubcommand(QTextStream &err, void (*usage)(QTextStream &), AppErrorText appErrors,
                  const std::function<int()> &body);

} // namespace mhbk
