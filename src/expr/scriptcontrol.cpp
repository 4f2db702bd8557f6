#include "expr/scriptcontrol.h"

#include "expr/vbsengine.h"

namespace mhbk {

vbs::Variant TScriptControl::Eval(const QString &expression)
{
    try {
        if (language_ != QLatin1String("VBScript"))
            throw vbs::ScriptException(
                vbs::ScriptError{0, QStringLiteral("Script language '%1' is not available").arg(language_), 0});
        return vbs::evaluate(expression);
    } catch (const vbs::ScriptException &e) {
        error_.set(e.error());
        throw;
    }
}

TLangueType TScriptControl::Language() const
{
    return language_ == QLatin1String("VBScript") ? TLangueType::VBScript : TLangueType::JScript;
}

void TScriptControl::setLanguage(TLangueType language)
{
    language_ = language == TLangueType::VBScript ? QStringLiteral("VBScript") : QStringLiteral("JScript");
}

} // namespace mhbk
