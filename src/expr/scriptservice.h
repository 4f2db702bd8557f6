#pragma once

#include "expr/scriptcontrol.h"
#include "numbers/extended.h"

#include <QString>
#include <optional>

namespace mhbk {

class Reporter;

// Evaluates one VBScript expression per call and rounds it to a number of decimals.
class ScriptEvaluator : public ScriptControl {
public:
    explicit ScriptEvaluator(Reporter &reporter);
    ~ScriptEvaluator() override;

    struct Outcome {
        numbers::Extended value;                 // rounded; 0 on failure
        std::optional<vbs::ScriptError> error;  // what the message box shows
        QStringList namesTakenAsZero;            // implicit variables the value was computed with

        // "未定义的名称按 0 计算：pi、abc" when names were taken as 0, else empty: the program's
        // status bar and mhbk-cli eval say the same.
        QString zeroNamesNote() const;
    };

    // The value rounded to `digits` decimals (halves away from zero); on failure the
    // engine's description is shown under "表达式错误" and 0 is returned. Never throws.
    numbers::Extended evaluate(const QString &expression, int digits);
    // As evaluate, telling the caller whether it failed (the calculation history keeps only
    // what succeeded).
    Outcome evaluateReported(const QString &expression, int digits);

    // Evaluate without the message box, for callers that report errors themselves.
    Outcome evaluateQuietly(const QString &expression, int digits);

private:
    Reporter &reporter_;
};

} // namespace mhbk
