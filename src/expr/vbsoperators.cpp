#include "expr/vbsoperators.h"

#include "expr/vbserror.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace mhbk::vbs {

namespace {

constexpr long long kLongMin = std::numeric_limits<std::int32_t>::min();
constexpr long long kLongMax = std::numeric_limits<std::int32_t>::max();

bool integerClass(const Variant &v)
{
    return v.type() == VarType::Empty || v.type() == VarType::Boolean || v.type() == VarType::Integer
           || v.type() == VarType::Byte;
}

Variant arithmetic(Op op, const Variant &left, const Variant &right, int position)
{
    const Number a = toNumber(left, position);
    const Number b = toNumber(right, position);
    const Number::Rank rank = std::max(a.rank, b.rank);
    if (rank != Number::Double) {
        const long long result = op == Op::Add ? a.whole + b.whole : op == Op::Subtract ? a.whole - b.whole
                                                                                     : a.whole * b.whole;
        return makeNumber(result, rank);
    }
    const double x = a.rank == Number::Double ? a.real : static_cast<double>(a.whole);
    const double y = b.rank == Number::Double ? b.real : static_cast<double>(b.whole);
    return makeDouble(op == Op::Add ? x + y : op == Op::Subtract ? x - y : x * y, position);
}

Variant add(const Variant &left, const Variant &right, int position)
{
    if (left.isString() && (right.isString() || right.isEmpty()))
        return Variant::string(left.stringValue() + right.stringValue());
    if (left.isEmpty() && right.isString())
        return right;
    return arithmetic(Op::Add, left, right, position);
}

Variant divide(const Variant &left, const Variant &right, int position)
{
    const double x = toDouble(left, position);
    const double y = toDouble(right, position);
    if (y == 0.0)
        raise(x == 0.0 ? errc::Overflow : errc::DivisionByZero, position);
    return makeDouble(x / y, position);
}

Variant power(const Variant &left, const Variant &right, int position)
{
    const double x = toDouble(left, position);
    const double y = toDouble(right, position);
    if (x == 0.0 && y < 0.0)
        raise(errc::InvalidCall, position);
    const double result = std::pow(x, y);
    if (std::isnan(result))
        raise(errc::InvalidCall, position);
    return makeDouble(result, position);
}

Variant integerDivision(Op op, const Variant &left, const Variant &right, int position)
{
    const long long a = toLong(left, position);
    const long long b = toLong(right, position);
    if (b == 0)
        raise(errc::DivisionByZero, position);
    const Number::Rank rank = integerClass(left) && integerClass(right) ? Number::Integer : Number::Long;
    const long long result = op == Op::IntDivide ? a / b : a % b;
    if (result > kLongMax)
        raise(errc::Overflow, position);
    return makeNumber(result, rank);
}

QString concatText(const Variant &value, int position)
{
    switch (value.type()) {
    case VarType::Empty:
    case VarType::Null: return QString();
    case VarType::String: return value.stringValue();
    case VarType::Boolean: return value.booleanValue() ? QStringLiteral("True") : QStringLiteral("False");
    case VarType::Double: return formatDouble(value.doubleValue());
    case VarType::Single: return formatSingle(static_cast<float>(value.doubleValue()));
    case VarType::Currency: return formatCurrency(value.currencyValue());
    case VarType::Object: raise(errc::ObjectVariableNotSet, position);
    default: return QString::number(value.wholeValue());
    }
}

int compare(const Variant &left, const Variant &right, int position)
{
    if (left.isObject() || right.isObject())
        raise(errc::ObjectVariableNotSet, position);
    if (left.isNumeric() && right.isNumeric()) {
        const double x = left.numericValue();
        const double y = right.numericValue();
        return x < y ? -1 : x > y ? 1 : 0;
    }
    // A number always sorts before a text; Empty counts as the empty text against a text.
    if (left.isNumeric() && !left.isEmpty())
        return -1;
    if (right.isNumeric() && !right.isEmpty())
        return 1;
    const int order = left.stringValue().compare(right.stringValue(), Qt::CaseSensitive);
    return order < 0 ? -1 : order > 0 ? 1 : 0;
}

bool comparison(Op op, int order)
{
    switch (op) {
    case Op::Equal: return order == 0;
    case Op::NotEqual: return order != 0;
    case Op::Less: return order < 0;
    case Op::Greater: return order > 0;
    case Op::LessEqual: return order <= 0;
    default: return order >= 0;
    }
}

long long bitwise(Op op, long long a, long long b)
{
    switch (op) {
    case Op::And: return a & b;
    case Op::Or: return a | b;
    case Op::Xor: return a ^ b;
    case Op::Eqv: return ~(a ^ b);
    default: return ~a | b; // Imp
    }
}

// Null in a logical operator stays Null unless the other side alone decides the answer.
Variant logicalWithNull(Op op, const Variant &left, const Variant &right, int position)
{
    const bool leftNull = left.isNull();
    const Variant &other = leftNull ? right : left;
    if (other.isNull())
        return Variant::null();
    const long long value = toLong(other, position);
    switch (op) {
    case Op::And: return value == 0 ? other : Variant::null();
    case Op::Or: return value == -1 ? other : Variant::null();
    case Op::Imp:
        if (leftNull)
            return value == -1 ? other : Variant::null();
        return value == 0 ? Variant::boolean(true) : Variant::null();
    default: return Variant::null();
    }
}

Variant logical(Op op, const Variant &left, const Variant &right, int position)
{
    if (left.isNull() || right.isNull())
        return logicalWithNull(op, left, right, position);
    const long long result = bitwise(op, toLong(left, position), toLong(right, position));
    if (left.type() == VarType::Boolean && right.type() == VarType::Boolean)
        return Variant::boolean(result != 0);
    if (integerClass(left) && integerClass(right))
        return Variant::integer(static_cast<std::int16_t>(result));
    return Variant::longValue(static_cast<std::int32_t>(result));
}

} // namespace

Number toNumber(const Variant &value, int position, const QString &function)
{
    switch (value.type()) {
    case VarType::Empty: return {};
    case VarType::Boolean:
    case VarType::Byte:
    case VarType::Integer: return {Number::Integer, value.wholeValue(), 0.0};
    case VarType::Long: return {Number::Long, value.wholeValue(), 0.0};
    // Arithmetic on a Single or a Currency goes on in Double.
    case VarType::Single:
    case VarType::Currency:
    case VarType::Double: return {Number::Double, 0, value.numericValue()};
    case VarType::String: {
        const auto parsed = parseNumericText(value.stringValue());
        if (!parsed)
            raise(errc::TypeMismatch, position, function);
        return {Number::Double, 0, *parsed};
    }
    case VarType::Null: raise(errc::InvalidUseOfNull, position, function);
    case VarType::Object: raise(errc::ObjectVariableNotSet, position, function);
    }
    raise(errc::TypeMismatch, position, function);
}

double toDouble(const Variant &value, int position, const QString &function)
{
    const Number n = toNumber(value, position, function);
    return n.rank == Number::Double ? n.real : static_cast<double>(n.whole);
}

std::int32_t toLong(const Variant &value, int position, const QString &function)
{
    const Number n = toNumber(value, position, function);
    if (n.rank != Number::Double)
        return static_cast<std::int32_t>(n.whole);
    const double rounded = roundHalfEven(n.real);
    if (!(rounded >= static_cast<double>(kLongMin) && rounded <= static_cast<double>(kLongMax)))
        raise(errc::Overflow, position, function);
    return static_cast<std::int32_t>(rounded);
}

Variant makeNumber(long long value, Number::Rank rank)
{
    if (rank == Number::Integer)
        return Variant::fromWhole(value);
    if (rank == Number::Long && value >= kLongMin && value <= kLongMax)
        return Variant::longValue(static_cast<std::int32_t>(value));
    return Variant::doubleValue(static_cast<double>(value));
}

Variant makeDouble(double value, int position, const QString &function)
{
    if (!std::isfinite(value))
        raise(errc::Overflow, position, function);
    return Variant::doubleValue(value);
}

Variant negate(const Variant &value, int position)
{
    if (value.isNull())
        return value;
    const Number n = toNumber(value, position);
    if (n.rank == Number::Double)
        return Variant::doubleValue(-n.real);
    return makeNumber(-n.whole, n.rank);
}

Variant logicalNot(const Variant &value, int position)
{
    switch (value.type()) {
    case VarType::Null: return value;
    case VarType::Boolean: return Variant::boolean(!value.booleanValue());
    case VarType::Byte: return Variant::byteValue(static_cast<std::uint8_t>(~value.wholeValue()));
    case VarType::Empty:
    case VarType::Integer: return Variant::integer(static_cast<std::int16_t>(~value.wholeValue()));
    default: return Variant::longValue(~toLong(value, position));
    }
}

Variant binary(Op op, const Variant &left, const Variant &right, int position)
{
    if (op == Op::Is) {
        if (!left.isObject() || !right.isObject())
            raise(errc::ObjectRequired, position);
        return Variant::boolean(true); // Nothing is Nothing
    }
    if (op == Op::Concat) {
        if (left.isNull() && right.isNull())
            return left;
        return Variant::string(concatText(left, position) + concatText(right, position));
    }
    if (op >= Op::And && op <= Op::Imp)
        return logical(op, left, right, position);
    if (left.isNull() || right.isNull())
        return Variant::null();
    switch (op) {
    case Op::Add: return add(left, right, position);
    case Op::Subtract:
    case Op::Multiply: return arithmetic(op, left, right, position);
    case Op::Divide: return divide(left, right, position);
    case Op::Power: return power(left, right, position);
    case Op::IntDivide:
    case Op::Mod: return integerDivision(op, left, right, position);
    default: return Variant::boolean(comparison(op, compare(left, right, position)));
    }
}

} // namespace mhbk::vbs
