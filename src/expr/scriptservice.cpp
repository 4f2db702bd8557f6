#include "expr/scriptservice.h"

#include "common/reporter.h"
#include "numbers/format.h"
#include "expr/vbsoperators.h"

#include <exception>

namespace mhbk {

namespace {

// The standard conversion of a variant to a number: Empty is 0, True -1, a text must
// read as a number.
double toNumber(const vbs::Variant &value)
{
    if (value.isString() || value.isObject()) {
        const auto number = vbs::parseNumericText(value.stringValue());
        if (!number || value.isObject())
            vbs::raise(vbs::errc::TypeMismatch, 0);
        return *number;
    }
    return vbs::toDouble(value, 0);
}

} // namespace

ScriptEvaluator::ScriptEvaluator(Reporter &reporter) : reporter_(reporter) {}

ScriptEvaluator::~ScriptEvaluator() = default;

ScriptEvaluator::Outcome ScriptEvaluator::evaluateQuietly(const QString &expression, int digits)
{
    Outcome outcome;
    try {
        reset();
        const vbs::Variant result = eval(expression);
        try {
            outcome.value = numbers::roundToDecimals(toNumber(result), digits);
        } catch (const vbs::ScriptException &e) {
            // A result that is no number: the engine itself reported nothing, so the
            // conversion's own error is what the user is told.
            error().set(e.error());
            outcome.error = e.error();
        }
    } catch (const vbs::ScriptException &) {
        outcome.error = error().details();
    } catch (const std::exception &e) {
        outcome.error = vbs::ScriptError{7, QString::fromLocal8Bit(e.what()), 0};
    }
    if (outcome.error)
        outcome.value = numbers::Extended();
    else
        outcome.namesTakenAsZero = implicitNames();
    return outcome;
}

numbers::Extended ScriptEvaluator::evaluate(const QString &expression, int digits)
{
    return evaluateReported(expression, digits).value;
}

ScriptEvaluator::Outcome ScriptEvaluator::evaluateReported(const QString &expression, int digits)
{
    Outcome outcome = evaluateQuietly(expression, digits);
    if (outcome.error) {
        try {
            reporter_.showMessage(outcome.error->description, QStringLiteral("表达式错误"), MessageIcon::Warning);
        } catch (...) {
            // The caller is promised a value; a failing message box must not change that.
        }
    }
    return outcome;
}

QString ScriptEvaluator::Outcome::zeroNamesNote() const
{
    return namesTakenAsZero.isEmpty() ? QString()
                                      : QStringLiteral("未定义的名称按 0 计算：") + namesTakenAsZero.join(QStringLiteral("、"));
}

} // namespace mhbk
