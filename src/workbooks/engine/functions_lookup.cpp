#include "workbooks/engine/function_args.h"
#include "workbooks/engine/functions.h"

namespace mhbk::wb {

namespace {

bool sameKind(const Value &a, const Value &b)
{
    return (a.isNumber() && b.isNumber()) || (a.isText() && b.isText()) || (a.isBoolean() && b.isBoolean());
}

// A one-dimensional view of an operand: `count` values along rows or columns.
struct Vector
{
    const Operand *op;
    bool alongRows;   // true: (i, fixed) ; false: (fixed, i)
    int fixed;
    int count;

    Value at(const Evaluator &ev, int i) const { return alongRows ? ev.at(*op, i, fixed) : ev.at(*op, fixed, i); }
};

int usedCount(const Evaluator &ev, const Operand &op, bool alongRows)
{
    if (op.kind != Operand::Kind::Range)
        return alongRows ? op.rows : op.cols;
    const CellRange r = clipToUsed(ev, op);
    return alongRows ? r.rowCount() : r.columnCount();
}

// Position (0-based) of `x` in the vector, or -1. Exact matching takes wildcards in text;
// type 1 finds the last value <= x of the sorted ascending vector, -1 the last value >= x
// of a descending one (Excel's binary search gives the same on sorted data).
int findIn(const Evaluator &ev, const Vector &v, const Value &x, int type)
{
    int found = -1;
    for (int i = 0; i < v.count; ++i) {
        const Value e = v.at(ev, i);
        if (!sameKind(e, x))
            continue;
        if (type == 0) {
            const bool eq = x.isText() ? wildcardMatch(x.asText(), e.asText()) : compareValues(e, x) == 0;
            if (eq)
                return i;
            continue;
        }
        const int c = compareValues(e, x);
        if ((type > 0 && c > 0) || (type < 0 && c < 0))
            break;
        found = i;
    }
    return found;
}

// VLOOKUP (vertical) and HLOOKUP.
template<bool vertical>
Operand lookupFn(Evaluator &ev, Arguments args)
{
    const Value x = ev.scalar(args[0]);
    if (x.isError())
        return Operand::scalar(x);
    const Operand &table = args[1];
    if (table.isScalar())
        return err(ErrorCode::NA);
    const Value index = numberArg(ev, args[2]);
    if (index.isError())
        return Operand::scalar(index);
    const int n = int(std::trunc(std::clamp(index.asNumber(), -1.0, 1e6)));
    if (n < 1)
        return err(ErrorCode::Value);
    if (n > (vertical ? table.cols : table.rows))
        return err(ErrorCode::Ref);
    bool approximate = true;
    if (args.size() > 3) {
        const Value a = toBoolean(ev.scalar(args[3]));
        if (a.isError())
            return Operand::scalar(a);
        approximate = a.asBoolean();
    }
    const Vector keys{&table, vertical, 0, usedCount(ev, table, vertical)};
    const int at = findIn(ev, keys, x, approximate ? 1 : 0);
    if (at < 0)
        return err(ErrorCode::NA);
    return Operand::scalar(vertical ? ev.at(table, at, n - 1) : ev.at(table, n - 1, at));
}

Operand matchFn(Evaluator &ev, Arguments args)
{
    const Value x = ev.scalar(args[0]);
    if (x.isError())
        return Operand::scalar(x);
    const Operand &range = args[1];
    if (range.rows > 1 && range.cols > 1)
        return err(ErrorCode::NA);
    const Value type = numberArg(ev, args, 2, 1);
    if (type.isError())
        return Operand::scalar(type);
    const bool alongRows = range.rows > 1;
    const Vector v{&range, alongRows, 0, usedCount(ev, range, alongRows)};
    const int at = findIn(ev, v, x, type.asNumber() > 0 ? 1 : (type.asNumber() < 0 ? -1 : 0));
    return at < 0 ? err(ErrorCode::NA) : num(at + 1);
}

// INDEX(range, row, [col]); one index into a single row or column selects along it; 0 takes
// the whole row or column.
Operand indexFn(Evaluator &ev, Arguments args)
{
    const Operand &ref = args[0];
    const Value r = numberArg(ev, args, 1, 0);
    const Value c = numberArg(ev, args, 2, 0);
    if (r.isError() || c.isError())
        return Operand::scalar(r.isError() ? r : c);
    int row = int(std::trunc(std::clamp(r.asNumber(), -1.0, double(kMaxRows) + 1)));
    int col = int(std::trunc(std::clamp(c.asNumber(), -1.0, double(kMaxColumns) + 1)));
    if (args.size() < 3 && ref.rows == 1 && ref.cols > 1)
        std::swap(row, col);
    if (row < 0 || col < 0)
        return err(ErrorCode::Value);
    if (row > ref.rows || col > ref.cols)
        return err(ErrorCode::Ref);
    if (ref.kind != Operand::Kind::Range) {
        if (row == 0 || col == 0)
            return (ref.rows == 1 && ref.cols == 1) ? Operand::scalar(ev.at(ref, 0, 0)) : err(ErrorCode::Value);
        return Operand::scalar(ev.at(ref, row - 1, col - 1));
    }
    CellRange out = ref.range;
    if (row > 0)
        out.firstRow = out.lastRow = ref.range.firstRow + row - 1;
    if (col > 0)
        out.firstCol = out.lastCol = ref.range.firstCol + col - 1;
    return Operand::reference(ref.sheet, out);
}

} // namespace

const std::vector<FunctionInfo> &lookupFunctions()
{
    static const std::vector<FunctionInfo> table{
        {"VLOOKUP", 3, 4, lookupFn<true>},
        {"HLOOKUP", 3, 4, lookupFn<false>},
        {"MATCH", 2, 3, matchFn},
        {"INDEX", 2, 3, indexFn},
    };
    return table;
}

} // namespace mhbk::wb
