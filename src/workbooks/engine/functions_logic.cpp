#include "workbooks/engine/function_args.h"
#include "workbooks/engine/functions.h"

namespace mhbk::wb {

namespace {

Operand ifFn(Evaluator &ev, Arguments args)
{
    const Value c = toBoolean(ev.scalar(args[0]));
    if (c.isError())
        return Operand::scalar(c);
    if (c.asBoolean())
        return args[1];
    if (args.size() < 3)
        return Operand::scalar(Value::boolean(false));
    return args[2];
}

Operand iferrorFn(Evaluator &ev, Arguments args)
{
    return ev.scalar(args[0]).isError() ? args[1] : args[0];
}

// AND/OR: booleans and numbers count; text inside references is skipped, typed text must
// read as TRUE/FALSE; with nothing to judge the answer is #VALUE!.
template<bool isAnd>
Operand logicalFn(Evaluator &ev, Arguments args)
{
    bool any = false, result = isAnd;
    Value error;
    for (const Operand &a : args)
        ev.forEach(a, [&](const Value &v, bool fromReference) {
            if (!error.isEmpty() || v.isEmpty() || (fromReference && v.isText()))
                return;
            const Value b = toBoolean(v);
            if (b.isError()) {
                error = b;
                return;
            }
            any = true;
            result = isAnd ? (result && b.asBoolean()) : (result || b.asBoolean());
        });
    if (error.isError())
        return Operand::scalar(error);
    return any ? Operand::scalar(Value::boolean(result)) : err(ErrorCode::Value);
}

Operand notFn(Evaluator &ev, Arguments args)
{
    const Value b = toBoolean(ev.scalar(args[0]));
    return b.isError() ? Operand::scalar(b) : Operand::scalar(Value::boolean(!b.asBoolean()));
}

Operand chooseFn(Evaluator &ev, Arguments args)
{
    const Value i = numberArg(ev, args[0]);
    if (i.isError())
        return Operand::scalar(i);
    const double n = std::trunc(i.asNumber());
    if (n < 1 || n >= double(args.size()))
        return err(ErrorCode::Value);
    return args[size_t(n)];
}

template<Value::Kind kind>
Operand isKindFn(Evaluator &ev, Arguments args)
{
    return Operand::scalar(Value::boolean(ev.scalar(args[0]).kind() == kind));
}

Operand iserrorFn(Evaluator &ev, Arguments args)
{
    return Operand::scalar(Value::boolean(ev.scalar(args[0]).isError()));
}

Operand naFn(Evaluator &, Arguments )
{
    return err(ErrorCode::NA);
}

} // namespace

const std::vector<FunctionInfo> &logicFunctions()
{
    static const std::vector<FunctionInfo> table{
        {"IF", 2, 3, ifFn},
        {"IFERROR", 2, 2, iferrorFn},
        {"AND", 1, -1, logicalFn<true>},
        {"OR", 1, -1, logicalFn<false>},
        {"NOT", 1, 1, notFn},
        {"CHOOSE", 2, -1, chooseFn},
        {"ISBLANK", 1, 1, isKindFn<Value::Kind::Empty>},
        {"ISNUMBER", 1, 1, isKindFn<Value::Kind::Number>},
        {"ISTEXT", 1, 1, isKindFn<Value::Kind::Text>},
        {"ISERROR", 1, 1, iserrorFn},
        {"NA", 0, 0, naFn},
    };
    return table;
}

} // namespace mhbk::wb
