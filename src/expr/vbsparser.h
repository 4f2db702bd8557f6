#pragma once

#include "expr/vbsprogram.h"
#include "expr/vbsscanner.h"

#include <vector>

namespace mhbk::vbs {

// Deeper nesting than this (parentheses, unary operators, calls) is refused with
// "Out of stack space" instead of risking the machine stack.
inline constexpr int kMaxNesting = 256;

// Turns one expression's tokens (scanned from `text`) into postfix code.
// Throws ScriptException for syntax errors.
Program parse(const QString &text, const std::vector<Token> &tokens);

} // namespace mhbk::vbs
