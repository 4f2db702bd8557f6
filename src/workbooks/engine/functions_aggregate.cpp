#include "workbooks/engine/criterion.h"
#include "workbooks/engine/function_args.h"
#include "workbooks/engine/functions.h"

namespace mhbk::wb {

namespace {

// Excel's rule for SUM and its kin: a number typed as an argument counts even as text or
// boolean ("3", TRUE); inside a reference only numbers count. Errors anywhere win.
// Returns false with the error in `error` when one is met.
bool collectNumbers(Evaluator &ev, ConstArguments args, std::vector<double> *out, Value *error)
{
    for (const Operand &a : args) {
        bool failed = false;
        ev.forEach(a, [&](const Value &v, bool fromReference) {
            if (failed)
                return;
            if (v.isError()) {
                *error = v;
                failed = true;
            } else if (v.isNumber()) {
                out->push_back(v.asNumber());
            } else if (!fromReference && !v.isEmpty()) {
                const Value n = toNumber(v);
                if (n.isError()) {
                    *error = n;
                    failed = true;
                } else {
                    out->push_back(n.asNumber());
                }
            }
        });
        if (failed)
            return false;
    }
    return true;
}

enum class Aggregate { Sum, Product, Average, Max, Min };

template<Aggregate kind>
Operand aggregateFn(Evaluator &ev, Arguments args)
{
    std::vector<double> xs;
    Value error;
    if (!collectNumbers(ev, args, &xs, &error))
        return Operand::scalar(error);
    double r = 0;
    switch (kind) {
    case Aggregate::Sum:
        for (double x : xs) r += x;
        break;
    case Aggregate::Product:
        r = xs.empty() ? 0 : 1;
        for (double x : xs) r *= x;
        break;
    case Aggregate::Average:
        if (xs.empty())
            return err(ErrorCode::Div0);
        for (double x : xs) r += x;
        r /= double(xs.size());
        break;
    case Aggregate::Max:
        r = xs.empty() ? 0 : *std::max_element(xs.begin(), xs.end());
        break;
    case Aggregate::Min:
        r = xs.empty() ? 0 : *std::min_element(xs.begin(), xs.end());
        break;
    }
    return num(r);
}

// COUNT counts numbers but never fails: errors and words are simply not numbers.
Operand countFn(Evaluator &ev, Arguments args)
{
    double n = 0;
    for (const Operand &a : args)
        ev.forEach(a, [&](const Value &v, bool fromReference) {
            if (v.isNumber() || (!fromReference && (v.isBoolean() || (v.isText() && textToNumber(v.asText())))))
                ++n;
        });
    return num(n);
}

Operand countaFn(Evaluator &ev, Arguments args)
{
    double n = 0;
    for (const Operand &a : args)
        ev.forEach(a, [&](const Value &v, bool) { n += !v.isEmpty(); });
    return num(n);
}

// Walks every cell of the (clipped) criteria range, blanks included.
template<typename F>
void eachCriteriaCell(Evaluator &ev, const Operand &range, F f)
{
    if (range.isScalar()) {
        f(0, 0, range.value);
        return;
    }
    const CellRange r = range.kind == Operand::Kind::Range ? clipToUsed(ev, range)
                                                          : CellRange{0, 0, range.rows - 1, range.cols - 1};
    for (int row = 0; row < r.rowCount(); ++row)
        for (int col = 0; col < r.columnCount(); ++col)
            f(row, col, ev.at(range, row + r.firstRow - (range.kind == Operand::Kind::Range ? range.range.firstRow : 0),
                               col + r.firstCol - (range.kind == Operand::Kind::Range ? range.range.firstCol : 0)));
}

Operand countifFn(Evaluator &ev, Arguments args)
{
    const Value c = ev.scalar(args[1]);
    if (c.isError())
        return Operand::scalar(c);
    const Criterion criterion(c);
    double n = 0;
    eachCriteriaCell(ev, args[0], [&](int, int, const Value &v) { n += criterion.matches(v); });
    return num(n);
}

Operand sumifFn(Evaluator &ev, Arguments args)
{
    const Value c = ev.scalar(args[1]);
    if (c.isError())
        return Operand::scalar(c);
    const Criterion criterion(c);
    const Operand &sumRange = args.size() > 2 ? args[2] : args[0];
    if (sumRange.isScalar() && !args[0].isScalar())
        return err(ErrorCode::Value);
    double sum = 0;
    Value error;
    eachCriteriaCell(ev, args[0], [&](int r, int col, const Value &v) {
        if (!criterion.matches(v))
            return;
        const Value s = sumRange.kind == Operand::Kind::Range
                            ? ev.cells().cellValue(sumRange.sheet, sumRange.range.firstRow + r, sumRange.range.firstCol + col)
                            : ev.at(sumRange, r, col);
        if (s.isError() && error.isEmpty())
            error = s;
        else if (s.isNumber())
            sum += s.asNumber();
    });
    return error.isError() ? Operand::scalar(error) : num(sum);
}

Operand sumproductFn(Evaluator &ev, Arguments args)
{
    const int rows = ev.walkRows(args[0]), cols = ev.walkColumns(args[0]);
    for (const Operand &a : args)
        if (ev.walkRows(a) != rows || ev.walkColumns(a) != cols)
            return err(ErrorCode::Value);
    double sum = 0;
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < cols; ++c) {
            double p = 1;
            for (const Operand &a : args) {
                const Value v = ev.at(a, r, c);
                if (v.isError())
                    return Operand::scalar(v);
                p *= v.isNumber() ? v.asNumber() : 0;
            }
            sum += p;
        }
    }
    return num(sum);
}

} // namespace

const std::vector<FunctionInfo> &aggregateFunctions()
{
    static const std::vector<FunctionInfo> table{
        {"SUM", 1, -1, aggregateFn<Aggregate::Sum>},
        {"PRODUCT", 1, -1, aggregateFn<Aggregate::Product>},
        {"AVERAGE", 1, -1, aggregateFn<Aggregate::Average>},
        {"MAX", 1, -1, aggregateFn<Aggregate::Max>},
        {"MIN", 1, -1, aggregateFn<Aggregate::Min>},
        {"COUNT", 1, -1, countFn},
        {"COUNTA", 1, -1, countaFn},
        {"COUNTIF", 2, 2, countifFn},
        {"SUMIF", 2, 3, sumifFn},
        {"SUMPRODUCT", 1, 30, sumproductFn},
    };
    return table;
}

} // namespace mhbk::wb
