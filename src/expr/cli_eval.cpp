#include "expr/cli_eval.h"
#include "common/reporter.h"
#include "expr/resultformat.h"
#include "expr/scriptservice.h"

#include <QLocale>

namespace mhbk {

namespace {

constexpr int kMaxDigits = 10; // the keypad's decimal-places box allows 0 to 10

void printEvalUsage(QTextStream &stream)
{
    stream << "usage: mhbk-cli eval \"EXPR\" [--digits N]\n"
              "  Evaluates a VBScript expression, rounds it to N decimals (0 to 10, default 1)\n"
              "  and prints it as the result field shows it.\n";
}

} // namespace

int runEvalCommand(const QStringList &args, QTextStream &out, QTextStream &err)
{
    if (args.contains(QStringLiteral("--help")) || args.contains(QStringLiteral("-h"))) {
        printEvalUsage(out);
        return 0;
    }
    QString expression;
    bool haveExpression = false;
    int digits = 1;
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--digits")) {
            bool ok = false;
            digits = i + 1 < args.size() ? args[++i].toInt(&ok) : -1;
            if (!ok || digits < 0 || digits > kMaxDigits) {
                err << "--digits needs a whole number from 0 to " << kMaxDigits << '\n';
                return 1;
            }
        } else if (!haveExpression) {
            expression = args[i];
            haveExpression = true;
        } else {
            printEvalUsage(err);
            return 1;
        }
    }
    if (!haveExpression) {
        printEvalUsage(err);
        return 1;
    }
    RecordingReporter silent;
    ScriptEvaluator script(silent);
    const ScriptEvaluator::Outcome outcome = script.evaluateQuietly(expression, digits);
    if (outcome.error) {
        err << outcome.error->description << " (error " << outcome.error->number << ", column "
            << outcome.error->position + 1 << ")\n";
        return 1;
    }
    out << formatResult(outcome.value, digits, QLocale().decimalPoint()) << '\n';
    return 0;
}

} // namespace mhbk
