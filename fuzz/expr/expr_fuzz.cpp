// Any text must evaluate or fail with a VBScript error at a place inside the text: no
// crash, no undefined behaviour, no stack exhaustion, and the same answer twice.
#include "numbers/format.h"
#include "numbers/numtext.h"
#include "expr/vbsengine.h"

#include <QString>
#include <cstddef>
#include <cstdint>

namespace {

struct Answer {
    bool failed = false;
    int number = 0;
    int position = 0;
    QString text;
};

Answer answer(const QString &expression)
{
    Answer a;
    try {
        const mhbk::vbs::Variant value = mhbk::vbs::evaluate(expression);
        a.text = mhbk::vbs::typeName(value.type()) + QLatin1Char(':');
        if (value.type() == mhbk::vbs::VarType::Double) {
            a.text += mhbk::vbs::formatDouble(value.doubleValue());
            for (int digits = 0; digits <= 10; digits += 5)
                a.text += mhbk::formatResult(mhbk::numbers::roundToDecimals(value.doubleValue(), digits), digits);
        } else if (value.isString()) {
            a.text += value.stringValue();
        }
    } catch (const mhbk::vbs::ScriptException &e) {
        a.failed = true;
        a.number = e.error().number;
        a.position = e.error().position;
        a.text = e.error().description;
    }
    return a;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString expression = QString::fromUtf8(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const Answer first = answer(expression);
    if (first.failed && (first.number <= 0 || first.position < 0 || first.position > expression.size() ||
                         first.text.isEmpty()))
        __builtin_trap();
    const Answer second = answer(expression);
    if (first.failed != second.failed || first.number != second.number || first.text != second.text)
        __builtin_trap();
    return 0;
}
