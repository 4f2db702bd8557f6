#include "expr/scriptcontrol.h"

#include "expr/vbsengine.h"

namespace mhbk {

vbs::Variant ScriptControl::eval(const QString &expression)
{
    try {
        if (language_ != QLatin1String("VBScript"))
            throw vbs::ScriptException(
                vbs::ScriptError{0, QStringLiteral("Script language '%1' is not available").arg(language_), 0});
        return vbs::evaluate(expression, session_);
    } catch (const vbs::ScriptException &e) {
        error_.set(e.error());
        throw;
    }
}

ScriptLanguage ScriptControl::language() const
{
    return language_ == QLatin1String("VBScript") ? ScriptLanguage::VBScript : ScriptLanguage::JScript;
}

void ScriptControl::setLanguage(ScriptLanguage language)
{
    language_ = language == ScriptLanguage::VBScript ? QStringLiteral("VBScript") : QStringLiteral("JScript");
}

} // namespace mhbk
