#include "expr/vbsengine.h"

#include "expr/vbsfunctions.h"
#include "expr/vbsoperators.h"
#include "expr/vbsparser.h"
#include "expr/vbsscanner.h"

#include <vector>

namespace mhbk::vbs {

namespace {

void randomize(std::vector<Variant> &stack, const Instruction &in, Session &session)
{
    if (in.argc == 0) {
        session.random.randomize(session.clock());
        return;
    }
    const double seed = toDouble(stack.back(), in.position, QStringLiteral("Randomize"));
    stack.pop_back();
    session.random.randomize(seed);
}

} // namespace

Variant execute(const Program &program, Session &session)
{
    if (program.empty)
        return Variant();
    std::vector<Variant> stack;
    stack.reserve(static_cast<std::size_t>(program.maxStack));
    for (const Instruction &in : program.code) {
        switch (in.op) {
        case Op::Push:
            stack.push_back(program.constants[in.index]);
            break;
        case Op::PushUnknown:
            stack.emplace_back();
            break;
        case Op::Negate:
            stack.back() = negate(stack.back(), in.position);
            break;
        case Op::Identity:
            break;
        case Op::Not:
            stack.back() = logicalNot(stack.back(), in.position);
            break;
        case Op::Call: {
            const std::size_t first = stack.size() - in.argc;
            Variant result = builtin(in.index).run(stack.data() + first, in.argc, in.position, session);
            stack.resize(first);
            stack.push_back(std::move(result));
            break;
        }
        case Op::CallUnknown:
            raise(errc::TypeMismatch, in.position, program.names[in.index]);
        case Op::Randomize:
            randomize(stack, in, session);
            break;
        default: {
            Variant right = std::move(stack.back());
            stack.pop_back();
            stack.back() = binary(in.op, stack.back(), right, in.position);
            break;
        }
        }
    }
    return stack.empty() ? Variant() : std::move(stack.back());
}

Variant evaluate(const QString &expression, Session &session)
{
    const std::vector<Token> tokens = scan(expression);
    return execute(parse(expression, tokens), session);
}

QStringList implicitVariables(const Program &program)
{
    QStringList names;
    for (const Instruction &in : program.code) {
        if (in.op != Op::PushUnknown)
            continue;
        // VBScript names are case-insensitive: "Pi+pi" reads one variable.
        const QString &name = program.names[in.index];
        if (!names.contains(name, Qt::CaseInsensitive))
            names.push_back(name);
    }
    return names;
}

Variant evaluate(const QString &expression)
{
    Session session;
    return evaluate(expression, session);
}

} // namespace mhbk::vbs
