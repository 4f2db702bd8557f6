#pragma once

#include "expr/vbserror.h"
#include "expr/vbsprogram.h"
#include "expr/vbsrandom.h"
#include "expr/vbsvariant.h"

#include <QString>
#include <QStringList>

namespace mhbk::vbs {

// Runs postfix code; Rnd and Randomize use and change `session`. Throws ScriptException for
// run-time errors.
Variant execute(const Program &program, Session &session);

// Scan, parse and run one expression, optionally after Randomize statements
// ("Randomize 7: Rnd"); blank text is Empty. Throws ScriptException.
Variant evaluate(const QString &expression, Session &session);

// The names the program reads as implicit variables (Empty, so 0 in arithmetic), each once,
// in the order they first appear: "pi*2" reads `pi`.
QStringList implicitVariables(const Program &program);

// The same in a fresh session: nothing is kept between calls.
Variant evaluate(const QString &expression);

} // namespace mhbk::vbs
