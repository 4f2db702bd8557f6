#pragma once

#include "expr/vbsvariant.h"

#include <QStringView>

namespace mhbk::vbs {

using BuiltinFn = Variant (*)(const Variant *args, int argc, int position);

struct Builtin {
    const char16_t *name; // as VBScript spells it in its messages
    int minArgs;
    int maxArgs;
    BuiltinFn run;
};

// The index of a function by its case-insensitive name, or -1.
int findBuiltin(QStringView name);
const Builtin &builtin(int index);

} // namespace mhbk::vbs
