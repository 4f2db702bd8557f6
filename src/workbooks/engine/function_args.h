#pragma once

// Argument handling shared by the function implementations.

#include "workbooks/engine/evaluator.h"
#include "workbooks/engine/functions.h"

#include <cmath>

namespace mhbk::wb {

inline Value numberArg(Evaluator &ev, const Operand &op)
{
    return toNumber(ev.scalar(op));
}

// A number argument, or `fallback` when the argument was left out.
inline Value numberArg(Evaluator &ev, ConstArguments args, size_t i, double fallback)
{
    if (i >= args.size() || (args[i].isScalar() && args[i].value.isEmpty()))
        return Value::number(fallback);
    return numberArg(ev, args[i]);
}

inline Value textArg(Evaluator &ev, const Operand &op)
{
    return toText(ev.scalar(op));
}

inline Operand err(ErrorCode code)
{
    return Operand::scalar(Value::error(code));
}

inline Operand num(double v)
{
    return Operand::scalar(numberResult(v));
}

// The value rounded to 15 significant digits, which hides binary noise such as
// 2.675 * 100 = 267.49999999999997 before rounding, as Excel does.
inline double approx15(double v)
{
    if (v == 0 || !std::isfinite(v))
        return v;
    const int digits = 15 - 1 - int(std::floor(std::log10(std::fabs(v))));
    if (digits > 300 || digits < -300)
        return v;
    const double p = std::pow(10.0, digits);
    const double r = std::round(v * p) / p;
    return std::isfinite(r) ? r : v;
}

// Clips a reference to the part of its sheet that holds anything (whole-column references).
inline CellRange clipToUsed(const Evaluator &ev, const Operand &op)
{
    CellRange r = op.range;
    const CellRange used = ev.cells().usedRange(op.sheet);
    r.lastRow = std::min(r.lastRow, std::max(r.firstRow, used.lastRow));
    r.lastCol = std::min(r.lastCol, std::max(r.firstCol, used.lastCol));
    return r;
}

// Wildcard comparison of Excel criteria: "*" any run, "?" one character, "~" escapes. Case-insensitive.
bool wildcardMatch(const QString &pattern, const QString &text);

} // namespace mhbk::wb
