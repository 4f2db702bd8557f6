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

// EXACT compares with case, where "=" does not: the one test that tells "DN50" from "dn50".
Operand exactFn(Evaluator &ev, Arguments args)
{
    const Value a = textArg(ev, args[0]);
    if (a.isError())
        return Operand::scalar(a);
    const Value b = textArg(ev, args[1]);
    if (b.isError())
        return Operand::scalar(b);
    return Operand::scalar(Value::boolean(a.asText() == b.asText()));
}

} // namespace

bool wildcardMatch(const QString &pattern, const QString &text)
{
    // The pattern as tokens: a literal character, '?' (any one) or '*' (any run). '~' makes the
    // '*', '?' or '~' after it literal; before anything else it is a '~' itself.
    constexpr char32_t anyOne = 0xFFFFFFFE, anyRun = 0xFFFFFFFF;   // beyond every code point
    const Chars raw = chars(pattern.toCaseFolded()), t = chars(text.toCaseFolded());
    Chars p;
    for (std::size_t i = 0; i < raw.size(); ++i) {
        const char32_t c = raw[i];
        if (c == U'~' && i + 1 < raw.size() && (raw[i + 1] == U'*' || raw[i + 1] == U'?' || raw[i + 1] == U'~'))
            p.push_back(raw[++i]);
        else
            p.push_back(c == U'*' ? anyRun : c == U'?' ? anyOne : c);
    }
    // Iterative matching with backtracking to the last '*': linear in practice, never recursive.
    std::size_t pi = 0, ti = 0, mark = 0;
    std::size_t star = Chars::npos;
    while (ti < t.size()) {
        if (pi < p.size() && (p[pi] == anyOne || p[pi] == t[ti])) {
            ++pi;
            ++ti;
        } else if (pi < p.size() && p[pi] == anyRun) {
            star = pi++;
            mark = ti;
        } else if (star != Chars::npos) {
            pi = star + 1;
            ti = ++mark;
        } else {
            return false;
        }
    }
    while (pi < p.size() && p[pi] == anyRun)
        ++pi;
    return pi == p.size();
}

const std::vector<FunctionInfo> &textFunctions()
{
    static const std::vector<FunctionInfo> table{
        {"CONCATENATE", 1, -1, concatenateFn},
        {"EXACT", 2, 2, exactFn},
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
