#pragma once

#include "expr/vbsprogram.h"
#include "expr/vbsvariant.h"

namespace mhbk::vbs {

// VBScript's operator semantics on variants: subtype promotion, Null propagation, string
// rules. `position` is the operator's place in the text, for the error it may raise.
Variant negate(const Variant &value, int position);
Variant logicalNot(const Variant &value, int position);
Variant binary(Op op, const Variant &left, const Variant &right, int position);

// An arithmetic operand: Integer, Long or Double, after Empty, Boolean, Byte, Single, Currency
// and String conversion.
struct Number {
    enum Rank : int { Integer = 1, Long = 2, Double = 3 };
    Rank rank = Integer;
    long long whole = 0;
    double real = 0.0;
};

// Throws Type mismatch for a non-numeric text, Object variable not set for Nothing.
Number toNumber(const Variant &value, int position, const QString &function = {});
double toDouble(const Variant &value, int position, const QString &function = {});
// The value rounded half to even into the Long range (Overflow outside it).
std::int32_t toLong(const Variant &value, int position, const QString &function = {});
// The narrowest subtype of at least `rank` that holds `value`; a non-finite Double is Overflow.
Variant makeNumber(long long value, Number::Rank rank);
Variant makeDouble(double value, int position, const QString &function = {});

} // namespace mhbk::vbs
