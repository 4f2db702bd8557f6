#include "expr/vbsfunctions.h"

#include "expr/vbserror.h"
#include "expr/vbsoperators.h"

#include <cmath>
#include <limits>

namespace mhbk::vbs {

namespace {

QString nameOf(const char16_t *name)
{
    return QString::fromUtf16(name);
}

// A numeric function of one Double argument; Null passes through.
template <double (*Fn)(double)>
Variant real(const Variant *args, const char16_t *name, int position)
{
    if (args[0].isNull())
        return args[0];
    return makeDouble(Fn(toDouble(args[0], position, nameOf(name))), position, nameOf(name));
}

double checkedSqrt(double x) { return x < 0.0 ? std::numeric_limits<double>::quiet_NaN() : std::sqrt(x); }
double checkedLog(double x) { return x <= 0.0 ? std::numeric_limits<double>::quiet_NaN() : std::log(x); }

// NaN marks a domain error of the functions above (error 5); infinity is Overflow.
template <double (*Fn)(double)>
Variant domainChecked(const Variant *args, const char16_t *name, int position)
{
    if (args[0].isNull())
        return args[0];
    const double result = Fn(toDouble(args[0], position, nameOf(name)));
    if (std::isnan(result))
        raise(errc::InvalidCall, position, nameOf(name));
    return makeDouble(result, position, nameOf(name));
}

#define MHBK_VBS_FN(fnName, body)                                                                          \
    Variant fnName(const Variant *args, int argc, int position, Session &session)                           \
    {                                                                                                       \
        (void)argc;                                                                                         \
        (void)position;                                                                                     \
        (void)session;                                                                                      \
        body                                                                                                \
    }

// Abs, Int and Fix keep the argument's numeric subtype; a whole result that no longer fits
// (Abs of the smallest Integer) moves up one subtype.
template <double (*Whole)(double)>
Variant keepType(const Variant *args, bool absolute, const char16_t *name, int position)
{
    if (args[0].isNull())
        return args[0];
    const Number n = toNumber(args[0], position, nameOf(name));
    if (n.rank == Number::Double)
        return Variant::doubleValue(absolute ? std::fabs(n.real) : Whole(n.real));
    return makeNumber(absolute && n.whole < 0 ? -n.whole : n.whole, n.rank);
}

double identity(double x) { return x; }

MHBK_VBS_FN(fnAbs, return keepType<identity>(args, true, u"Abs", position);)
MHBK_VBS_FN(fnInt, return keepType<std::floor>(args, false, u"Int", position);)
MHBK_VBS_FN(fnFix, return keepType<std::trunc>(args, false, u"Fix", position);)
MHBK_VBS_FN(fnSqr, return domainChecked<checkedSqrt>(args, u"Sqr", position);)
MHBK_VBS_FN(fnLog, return domainChecked<checkedLog>(args, u"Log", position);)
MHBK_VBS_FN(fnSin, return domainChecked<std::sin>(args, u"Sin", position);)
MHBK_VBS_FN(fnCos, return domainChecked<std::cos>(args, u"Cos", position);)
MHBK_VBS_FN(fnTan, return domainChecked<std::tan>(args, u"Tan", position);)
MHBK_VBS_FN(fnAtn, return real<std::atan>(args, u"Atn", position);)
MHBK_VBS_FN(fnExp, return real<std::exp>(args, u"Exp", position);)

Variant fnRound(const Variant *args, int argc, int position, Session &)
{
    const QString name = QStringLiteral("Round");
    if (args[0].isNull())
        return args[0];
    const int places = argc > 1 ? toLong(args[1], position, name) : 0;
    if (places < 0)
        raise(errc::InvalidCall, position, name);
    const Number n = toNumber(args[0], position, name);
    if (n.rank != Number::Double)
        return makeNumber(n.whole, n.rank);
    const double scale = std::pow(10.0, places);
    const double scaled = n.real * scale;
    if (!std::isfinite(scaled) || std::fabs(scaled) >= 4503599627370496.0) // already whole at that scale
        return Variant::doubleValue(n.real);
    return Variant::doubleValue(roundHalfEven(scaled) / scale);
}

MHBK_VBS_FN(fnSgn, {
    const double x = toDouble(args[0], position, QStringLiteral("Sgn"));
    return Variant::integer(static_cast<std::int16_t>(x > 0 ? 1 : x < 0 ? -1 : 0));
})

MHBK_VBS_FN(fnCInt, {
    const QString name = QStringLiteral("CInt");
    const std::int32_t value = toLong(args[0], position, name);
    if (value < std::numeric_limits<std::int16_t>::min() || value > std::numeric_limits<std::int16_t>::max())
        raise(errc::Overflow, position, name);
    return Variant::integer(static_cast<std::int16_t>(value));
})

MHBK_VBS_FN(fnCLng, return Variant::longValue(toLong(args[0], position, QStringLiteral("CLng")));)
MHBK_VBS_FN(fnCDbl, return Variant::doubleValue(toDouble(args[0], position, QStringLiteral("CDbl")));)
MHBK_VBS_FN(fnCBool, return Variant::boolean(toDouble(args[0], position, QStringLiteral("CBool")) != 0.0);)

// True is all bits set, so it converts to the largest Byte.
MHBK_VBS_FN(fnCByte, {
    const QString name = QStringLiteral("CByte");
    if (args[0].type() == VarType::Boolean)
        return Variant::byteValue(args[0].booleanValue() ? 255 : 0);
    const double rounded = roundHalfEven(toDouble(args[0], position, name));
    if (!(rounded >= 0.0 && rounded <= 255.0))
        raise(errc::Overflow, position, name);
    return Variant::byteValue(static_cast<std::uint8_t>(rounded));
})

double singleRange(const Variant &value, int position, const QString &name)
{
    const double x = toDouble(value, position, name);
    if (std::fabs(x) > static_cast<double>(std::numeric_limits<float>::max()))
        raise(errc::Overflow, position, name);
    return x;
}

MHBK_VBS_FN(fnCSng, return Variant::single(static_cast<float>(singleRange(args[0], position, QStringLiteral("CSng"))));)

// Four decimals, the fifth rounded half to even.
MHBK_VBS_FN(fnCCur, {
    const QString name = QStringLiteral("CCur");
    if (args[0].type() == VarType::Currency)
        return args[0];
    const Number n = toNumber(args[0], position, name);
    if (n.rank != Number::Double)
        return Variant::currency(n.whole * 10000);
    const double scaled = roundHalfEven(n.real * 10000.0);
    if (!(scaled >= -9223372036854775808.0 && scaled < 9223372036854775808.0))
        raise(errc::Overflow, position, name);
    return Variant::currency(static_cast<std::int64_t>(scaled));
})

// The UTF-16 code of the first character, as a signed Integer.
MHBK_VBS_FN(fnAsc, {
    const QString name = QStringLiteral("Asc");
    if (args[0].isNull())
        raise(errc::InvalidUseOfNull, position, name);
    const QString text = binary(Op::Concat, Variant::string(QString()), args[0], position).stringValue();
    if (text.isEmpty())
        raise(errc::InvalidCall, position, name);
    return Variant::integer(static_cast<std::int16_t>(text.front().unicode()));
})

// Whether the value would convert to a number; never an error.
MHBK_VBS_FN(fnIsNumeric, {
    if (args[0].isString())
        return Variant::boolean(parseNumericText(args[0].stringValue()).has_value());
    return Variant::boolean(args[0].isNumeric());
})

// Rnd: the next number; Rnd(0): the last again; Rnd(negative): the number that argument
// always gives.
MHBK_VBS_FN(fnRnd, {
    RandomGenerator &random = session.random;
    if (argc == 0)
        return Variant::single(random.next());
    const auto seed = static_cast<float>(singleRange(args[0], position, QStringLiteral("Rnd")));
    if (seed < 0.0f)
        return Variant::single(random.restartFrom(seed));
    return Variant::single(seed == 0.0f ? random.last() : random.next());
})

MHBK_VBS_FN(fnCStr, {
    if (args[0].isNull())
        raise(errc::InvalidUseOfNull, position, QStringLiteral("CStr"));
    return binary(Op::Concat, Variant::string(QString()), args[0], position);
})

MHBK_VBS_FN(fnLen, {
    if (args[0].isNull())
        return args[0];
    const Variant text = binary(Op::Concat, Variant::string(QString()), args[0], position);
    return Variant::longValue(static_cast<std::int32_t>(text.stringValue().size()));
})

MHBK_VBS_FN(fnTypeName, return Variant::string(typeName(args[0].type()));)
MHBK_VBS_FN(fnVarType, return Variant::integer(static_cast<std::int16_t>(args[0].type()));)

// Hex and Oct show an Integer in 16 bits and everything else in 32, as two's complement.
Variant radixText(const Variant &arg, int radix, const char16_t *name, int position)
{
    if (arg.isNull())
        return arg;
    const std::int32_t value = toLong(arg, position, nameOf(name));
    const bool sixteen = arg.type() == VarType::Integer || arg.type() == VarType::Boolean || arg.isEmpty();
    const quint32 bits = sixteen ? static_cast<quint16>(value) : static_cast<quint32>(value);
    return Variant::string(QString::number(bits, radix).toUpper());
}

MHBK_VBS_FN(fnHex, return radixText(args[0], 16, u"Hex", position);)
MHBK_VBS_FN(fnOct, return radixText(args[0], 8, u"Oct", position);)

#undef MHBK_VBS_FN

constexpr Builtin kBuiltins[] = {
    {u"Abs", 1, 1, fnAbs},     {u"Sqr", 1, 1, fnSqr},     {u"Sin", 1, 1, fnSin},
    {u"Cos", 1, 1, fnCos},     {u"Tan", 1, 1, fnTan},     {u"Atn", 1, 1, fnAtn},
    {u"Exp", 1, 1, fnExp},     {u"Log", 1, 1, fnLog},     {u"Round", 1, 2, fnRound},
    {u"Int", 1, 1, fnInt},     {u"Fix", 1, 1, fnFix},     {u"Sgn", 1, 1, fnSgn},
    {u"CInt", 1, 1, fnCInt},   {u"CLng", 1, 1, fnCLng},   {u"CDbl", 1, 1, fnCDbl},
    {u"CBool", 1, 1, fnCBool}, {u"CStr", 1, 1, fnCStr},   {u"Len", 1, 1, fnLen},
    {u"Hex", 1, 1, fnHex},     {u"Oct", 1, 1, fnOct},     {u"TypeName", 1, 1, fnTypeName},
    {u"VarType", 1, 1, fnVarType}, {u"CByte", 1, 1, fnCByte}, {u"CSng", 1, 1, fnCSng},
    {u"CCur", 1, 1, fnCCur},   {u"Asc", 1, 1, fnAsc},     {u"IsNumeric", 1, 1, fnIsNumeric},
    {u"Rnd", 0, 1, fnRnd},
};

bool sameName(const char16_t *name, QStringView text)
{
    qsizetype i = 0;
    for (; name[i] != 0; ++i) {
        if (i >= text.size() || (text[i].unicode() | 0x20) != (name[i] | 0x20))
            return false;
    }
    return i == text.size();
}

} // namespace

int findBuiltin(QStringView name)
{
    for (int i = 0; i < static_cast<int>(std::size(kBuiltins)); ++i) {
        if (sameName(kBuiltins[i].name, name))
            return i;
    }
    return -1;
}

const Builtin &builtin(int index)
{
    return kBuiltins[index];
}

} // namespace mhbk::vbs
