#pragma once

#include "expr/vbsvariant.h"

#include <QString>
#include <cstdint>
#include <vector>

namespace mhbk::vbs {

// The parser's output: the expression in postfix order, run by the executor on a value
// stack. Postfix code keeps evaluation free of recursion, so even a very long chain of
// operators cannot exhaust the machine stack.
enum class Op : std::uint8_t {
    Push,        // constants[index]
    PushUnknown, // names[index], a name that is no function: an implicit variable, Empty
    Negate,
    Identity,    // unary plus
    Power,
    Multiply,
    Divide,
    IntDivide,
    Mod,
    Add,
    Subtract,
    Concat,
    Equal,
    NotEqual,
    Less,
    Greater,
    LessEqual,
    GreaterEqual,
    Is,
    Not,
    And,
    Or,
    Xor,
    Eqv,
    Imp,
    Call,        // functions[index] with argc arguments
    CallUnknown, // names[index] called with arguments: the Type mismatch of an Empty variable
    Randomize,   // the statement, with argc 0 (seed from the clock) or 1 (the seed on the stack)
};

struct Instruction {
    Op op;
    std::uint8_t argc = 0;
    std::uint16_t index = 0;
    int position = 0; // where the operator, name or literal stands in the text
};

struct Program {
    std::vector<Instruction> code;
    std::vector<Variant> constants;
    std::vector<QString> names;
    int maxStack = 0;
    bool empty = false; // blank text: evaluates to Empty (so does a text of statements alone)
};

} // namespace mhbk::vbs
