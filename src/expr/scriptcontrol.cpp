#include "expr/scriptcontrol.h"

#include "expr/vbsengine.h"
#include "expr/vbsparser.h"

namespace mhbk {

vbs::Variant ScriptControl::eval(const QString &expression)
{
    implicitNames_.clear();
    try {
        const vbs::Program program = vbs::parse(expression, vbs::scan(expression));
        implicitNames_ = vbs::implicitVariables(program);
        return vbs::execute(program, session_);
    } catch (const vbs::ScriptException &e) {
        error_.set(e.error());
        throw;
    }
}

} // namespace mhbk
