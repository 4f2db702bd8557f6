#include "expr/scriptservice.h"

#include "common/reporter.h"

namespace mhbk {

TMSScriptEX::TMSScriptEX(Reporter &reporter) : reporter_(reporter) {}
TMSScriptEX::~TMSScriptEX() = default;

long double TMSScriptEX::Evaluate(const QString &, int)
{
    return 0.0L;
}

} // namespace mhbk
