#include "expr/calculatorpages.h"

namespace mhbk {

void installCalculatorPages(PageHost &, ExpressionBar, TMSScriptEX &) {}

} // namespace mhbk
