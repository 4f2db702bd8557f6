#include "expr/scriptcontrol.h"

#include "expr/vbsengine.h"

namespace mhbk {

vbs::Variant ScriptControl::eval(const QString &expression)
{
    try {
        return vbs::evaluate(expression, session_);
    } catch (const vbs::ScriptException &e) {
        error_.set(e.error());
        throw;
    }
}

} // namespace mhbk
