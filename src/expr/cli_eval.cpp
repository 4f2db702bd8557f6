#include "expr/cli_eval.h"
#include "common/commandline.h"
#include "common/reporter.h"
#include "numbers/numtext.h"
#include "expr/scriptservice.h"

#include <QLocale>
#include <optional>

namespace mhbk {

namespace {

constexpr int kMaxDigits = 10; // the keypad's decimal-places box allows 0 to 10

void printEvalUsage(QTextStream &stream)
{
    stream << "usage: mhbk-cli eval \"EXPR\" [--digits N]\n"
              "  Evaluates a VBScript expression, rounds it to N decimals (0 to 10, default 1)\n"
              "  and prints it as the result field shows it.\n";
}

// Every --digits given must be valid; the last one counts.
std::optional<int> decimalPlaces(const CommandLine &line)
{
    int digits = 1;
    for (const QString &value : line.values(QStringLiteral("--digits"))) {
        bool ok = false;
        digits = value.toInt(&ok);
        if (!ok || digits < 0 || digits > kMaxDigits)
            return std::nullopt;
    }
    return digits;
}

} // namespace

int runEvalCommand(const QStringList &args, QTextStream &out, QTextStream &err)
{
    // An expression may start with "--" ("--5" is 5), so only the two options are options.
    const CommandLine line = parseCommandLine(
        args, {{{QStringLiteral("--help"), QStringLiteral("-h")}}, {{QStringLiteral("--digits")}, true}},
        UnknownOptions::AsPositional);
    if (line.has(QStringLiteral("--help"))) {
        printEvalUsage(out);
        return 0;
    }
    // --digits without its value is the only error the line can hold.
    const std::optional<int> digits = line.error ? std::nullopt : decimalPlaces(line);
    if (!digits) {
        err << "--digits needs a whole number from 0 to " << kMaxDigits << '\n';
        return 1;
    }
    if (line.positional.size() != 1) {
        printEvalUsage(err);
        return 1;
    }
    const QString &expression = line.positional.first();
    RecordingReporter silent;
    ScriptEvaluator script(silent);
    const ScriptEvaluator::Outcome outcome = script.evaluateQuietly(expression, *digits);
    if (outcome.error) {
        err << outcome.error->description << " (error " << outcome.error->number << ", column "
            << outcome.error->position + 1 << ")\n";
        return 1;
    }
    out << formatResult(outcome.value, *digits, QLocale::system().decimalPoint()) << '\n';
    if (!outcome.namesTakenAsZero.isEmpty())
        err << outcome.zeroNamesNote() << '\n'; // the value stands, as in the program
    return 0;
}

} // namespace mhbk
