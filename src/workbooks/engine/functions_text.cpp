#include "workbooks/engine/function_args.h"
#include "workbooks/engine/functions.h"
#include "workbooks/engine/numberformat.h"

namespace mhbk::wb {

namespace {

// Text functions count characters (code points), never bytes or UTF-16 units.
using Chars = std::u32string;

Chars chars(const QString &s)
{
    return s.toStdU32String();
}

QString fromChars(const Chars &c, qsizetype from, qsizetype count)
{
    from = std::clamp<qsizetype>(from, 0, qsizetype(c.size()));
    count = std::clamp<qsizetype>(count, 0, qsizetype(c.size()) - from);
    return QString::fromStdU32String(c.substr(size_t(from), size_t(count)));
}

// Reads the text argument and an optional count (default 1) that must not be negative.
bool textAndCount(Evaluator &ev, ConstArguments args, size_t countArg, QString *text, double *count,
                  Operand *error)
{
    const Value t = textArg(ev, args[0]);
    const Value n = t.isError() ? t : numberArg(ev, args, countArg, 1);
    if (n.isError()) {
        *error = Operand::scalar(n);
        return false;
    }
    if (n.asNumber() < 0) {
        *error = err(ErrorCode::Value);
        return false;
    }
    *text = t.asText();
    *count = std::min(std::trunc(n.asNumber()), 1e9);
    return true;
}

Operand leftFn(Evaluator &ev, Arguments args)
{
    QString t;
    double n;
    Operand e;
    if (!textAndCount(ev, args, 1, &t, &n, &e))
        return e;
    return Operand::scalar(Value::text(fromChars(chars(t), 0, qsizetype(n))));
}

Operand rightFn(Evaluator &ev, Arguments args)
{
    QString t;
    double n;
    Operand e;
    if (!textAndCount(ev, args, 1, &t, &n, &e))
        return e;
    const Chars c = chars(t);
    const qsizetype k = std::min<qsizetype>(qsizetype(n), qsizetype(c.size()));
    return Operand::scalar(Value::text(fromChars(c, qsizetype(c.size()) - k, k)));
}

Operand midFn(Evaluator &ev, Arguments args)
{
    QString t;
    double n;
    Operand e;
    if (!textAndCount(ev, args, 2, &t, &n, &e))
        return e;
    const Value start = numberArg(ev, args[1]);
    if (start.isError())
        return Operand::scalar(start);
    if (start.asNumber() < 1)
        return err(ErrorCode::Value);
    const double from = std::min(std::trunc(start.asNumber()), 1e9);
    return Operand::scalar(Value::text(fromChars(chars(t), qsizetype(from) - 1, qsizetype(n))));
}

Operand lenFn(Evaluator &ev, Arguments args)
{
    const Value t = textArg(ev, args[0]);
    return t.isError() ? Operand::scalar(t) : num(double(chars(t.asText()).size()));
}

Operand concatenateFn(Evaluator &ev, Arguments args)
{
    QString out;
    for (const Operand &a : args) {
        const Value t = textArg(ev, a);
        if (t.isError())
            return Operand::scalar(t);
        out += t.asText();
    }
    return Operand::scalar(Value::text(out));
}

Operand valueFn(Evaluator &ev, Arguments args)
{
    const Value v = ev.scalar(args[0]);
    if (v.isBoolean())
        return err(ErrorCode::Value);
    return Operand::scalar(toNumber(v));
}

Operand textFn(Evaluator &ev, Arguments args)
{
    const Value v = ev.scalar(args[0]);
    const Value f = textArg(ev, args[1]);
    if (v.isError() || f.isError())
        return Operand::scalar(v.isError() ? v : f);
    const Value n = v.isText() ? toNumber(v) : v;
    if (n.isNumber() || n.isEmpty())
        return Operand::scalar(Value::text(formatNumber(n.asNumber(), f.asText())));
    return Operand::scalar(Value::text(formatValue(v, f.asText())));
}

template<int mode>
Operand caseFn(Evaluator &ev, Arguments args)
{
    const Value t = textArg(ev, args[0]);
    if (t.isError())
        return Operand::scalar(t);
    if constexpr (mode == 0)
        return Operand::scalar(Value::text(t.asText().toUpper()));
    else if constexpr (mode == 1)
        return Operand::scalar(Value::text(t.asText().toLower()));
    else
        return Operand::scalar(Value::text(t.asText().simplified()));
}

} // namespace

bool wildcardMatch(const QString &pattern, const QString &text)
{
    // Iterative matching with backtracking to the last '*': linear in practice, never recursive.
    const Chars p = chars(pattern.toCaseFolded()), t = chars(text.toCaseFolded());
    qsizetype pi = 0, ti = 0, star = -1, mark = 0;
    const qsizetype pn = qsizetype(p.size()), tn = qsizetype(t.size());
    while (ti < tn) {
        if (pi < pn && p[pi] == U'~' && pi + 1 < pn && p[pi + 1] == t[ti]) {
            pi += 2;
            ++ti;
        } else if (pi < pn && (p[pi] == U'?' || (p[pi] == t[ti] && p[pi] != U'*' && p[pi] != U'~'))) {
            ++pi;
            ++ti;
        } else if (pi < pn && p[pi] == U'*') {
            star = pi++;
            mark = ti;
        } else if (star >= 0) {
            pi = star + 1;
            ti = ++mark;
        } else {
            return false;
        }
    }
    while (pi < pn && p[pi] == U'*')
        ++pi;
    return pi == pn;
}

const std::vector<FunctionInfo> &textFunctions()
{
    static const std::vector<FunctionInfo> table{
        {"CONCATENATE", 1, -1, concatenateFn},
        {"LEN", 1, 1, lenFn},
        {"LEFT", 1, 2, leftFn},
        {"RIGHT", 1, 2, rightFn},
        {"MID", 3, 3, midFn},
        {"VALUE", 1, 1, valueFn},
        {"TEXT", 2, 2, textFn},
        {"UPPER", 1, 1, caseFn<0>},
        {"LOWER", 1, 1, caseFn<1>},
        {"TRIM", 1, 1, caseFn<2>},
    };
    return table;
}

} // namespace mhbk::wb
