#pragma once

#include "expr/vbsrandom.h"
#include "expr/vbsvariant.h"

#include <QStringView>

namespace mhbk::vbs {

// `session` is the evaluator's state that outlives one expression (the Rnd sequence).
using BuiltinFn = Variant (*)(const Variant *args, int argc, int position, Session &session);

struct Builtin {
    const char16_t *name; // as VBScript spells it in its messages
    int minArgs;          // a function that takes none may stand without parentheses (Rnd)
    int maxArgs;
    BuiltinFn run;
};

// The index of a function by its case-insensitive name, or -1.
int findBuiltin(QStringView name);
const Builtin &builtin(int index);

} // namespace mhbk::vbs
