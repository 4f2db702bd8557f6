#pragma once

#include <QString>

namespace mhbk {

class Reporter;

// Evaluates one VBScript expression per call and rounds it to a number of decimals.
class TMSScriptEX {
public:
    explicit TMSScriptEX(Reporter &reporter);
    ~TMSScriptEX();

    // The value rounded to `digits` decimals (halves away from zero); on failure the
    // engine's description is shown under "表达式错误" and 0 is returned. Never throws.
    long double Evaluate(const QString &expression, int digits);

private:
    Reporter &reporter_;
};

} // namespace mhbk
