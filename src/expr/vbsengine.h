#pragma once

#include "expr/vbserror.h"
#include "expr/vbsprogram.h"
#include "expr/vbsvariant.h"

#include <QString>

namespace mhbk::vbs {

// Runs postfix code. Throws ScriptException for run-time errors.
Variant execute(const Program &program);

// Scan, parse and run one expression; blank text is Empty. Nothing is kept between calls.
// Throws ScriptException.
Variant evaluate(const QString &expression);

} // namespace mhbk::vbs
