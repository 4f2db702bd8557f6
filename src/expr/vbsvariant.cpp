#include "expr/vbsvariant.h"

#include "numbers/decimal.h"
#include "numbers/format.h"

#include <charconv>
#include <cmath>
#include <string>
#include <cstdlib>
#include <limits>

namespace mhbk::vbs {

Variant Variant::boolean(bool value)
{
    Variant v(VarType::Boolean);
    v.whole_ = value ? -1 : 0;
    return v;
}

Variant Variant::integer(std::int16_t value)
{
    Variant v(VarType::Integer);
    v.whole_ = value;
    return v;
}

Variant Variant::longValue(std::int32_t value)
{
    Variant v(VarType::Long);
    v.whole_ = value;
    return v;
}

Variant Variant::doubleValue(double value)
{
    Variant v(VarType::Double);
    v.real_ = value;
    return v;
}

Variant Variant::byteValue(std::uint8_t value)
{
    Variant v(VarType::Byte);
    v.whole_ = value;
    return v;
}

Variant Variant::single(float value)
{
    Variant v(VarType::Single);
    v.real_ = value;
    return v;
}

Variant Variant::currency(std::int64_t tenThousandths)
{
    Variant v(VarType::Currency);
    v.whole_ = tenThousandths;
    return v;
}

Variant Variant::string(QString value)
{
    Variant v(VarType::String);
    v.text_ = std::move(value);
    return v;
}

Variant Variant::fromWhole(long long value)
{
    if (value >= std::numeric_limits<std::int16_t>::min() && value <= std::numeric_limits<std::int16_t>::max())
        return integer(static_cast<std::int16_t>(value));
    if (value >= std::numeric_limits<std::int32_t>::min() && value <= std::numeric_limits<std::int32_t>::max())
        return longValue(static_cast<std::int32_t>(value));
    return doubleValue(static_cast<double>(value));
}

bool Variant::isNumeric() const
{
    switch (type_) {
    case VarType::Empty:
    case VarType::Boolean:
    case VarType::Integer:
    case VarType::Long:
    case VarType::Single:
    case VarType::Double:
    case VarType::Currency:
    case VarType::Byte:
        return true;
    default:
        return false;
    }
}

double Variant::numericValue() const
{
    switch (type_) {
    case VarType::Double:
    case VarType::Single: return real_;
    case VarType::Currency: return static_cast<double>(whole_) / 10000.0;
    default: return static_cast<double>(whole_);
    }
}

QString typeName(VarType type)
{
    switch (type) {
    case VarType::Empty: return QStringLiteral("Empty");
    case VarType::Null: return QStringLiteral("Null");
    case VarType::Integer: return QStringLiteral("Integer");
    case VarType::Long: return QStringLiteral("Long");
    case VarType::Single: return QStringLiteral("Single");
    case VarType::Double: return QStringLiteral("Double");
    case VarType::Currency: return QStringLiteral("Currency");
    case VarType::Byte: return QStringLiteral("Byte");
    case VarType::String: return QStringLiteral("String");
    case VarType::Object: return QStringLiteral("Nothing");
    case VarType::Boolean: return QStringLiteral("Boolean");
    }
    return QStringLiteral("Unknown");
}

namespace {

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

std::optional<double> parseRadixText(QStringView digits, int radix)
{
    if (digits.isEmpty() || digits.size() > 11)
        return std::nullopt;
    bool ok = false;
    const qulonglong value = digits.toULongLong(&ok, radix);
    if (!ok || value > 0xFFFFFFFFull)
        return std::nullopt;
    // Up to 16 bits is an Integer, beyond that a Long: both read as signed.
    if (value <= 0xFFFFull && digits.size() <= (radix == 16 ? 4 : 6))
        return static_cast<double>(static_cast<std::int16_t>(value));
    return static_cast<double>(static_cast<std::int32_t>(static_cast<std::uint32_t>(value)));
}

} // namespace

std::optional<double> parseNumericText(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    QStringView body = text.mid(begin, end - begin);
    if (body.size() > 2 && body[0] == QLatin1Char('&')) {
        const QChar kind = body[1].toUpper();
        if (kind == QLatin1Char('H'))
            return parseRadixText(body.mid(2), 16);
        if (kind == QLatin1Char('O'))
            return parseRadixText(body.mid(2), 8);
        return std::nullopt;
    }
    // Only the characters of a decimal number go on to the conversion (no "inf", "nan", hex floats).
    std::string ascii;
    ascii.reserve(static_cast<std::size_t>(body.size()));
    bool digit = false;
    for (qsizetype i = 0; i < body.size(); ++i) {
        const QChar c = body[i];
        const bool sign = c == QLatin1Char('+') || c == QLatin1Char('-');
        if (c.isDigit() && c.unicode() < 128)
            digit = true;
        else if (!(sign || c == QLatin1Char('.') || c == QLatin1Char('e') || c == QLatin1Char('E')))
            return std::nullopt;
        ascii.push_back(static_cast<char>(c.unicode()));
    }
    if (!digit)
        return std::nullopt;
    std::string_view number(ascii);
    const bool negative = number.front() == '-';
    if (number.front() == '+' || negative)
        number.remove_prefix(1);
    if (number.empty() || number.front() == '+' || number.front() == '-')
        return std::nullopt;
    const auto value = numbers::parseDouble(number);
    if (!value)
        return std::nullopt;
    return negative ? -*value : *value;
}

namespace {

// `significant` digits at most, trailing zeros dropped; exponent form from 10^significant on
// and below 1E-04.
QString formatSignificant(double value, int significant)
{
    return QString::fromStdString(numbers::scriptText(value, significant));
}

} // namespace

QString formatDouble(double value)
{
    return formatSignificant(value, 15);
}

QString formatSingle(float value)
{
    return formatSignificant(static_cast<double>(value), 7);
}

QString formatCurrency(std::int64_t tenThousandths)
{
    const bool negative = tenThousandths < 0;
    // The magnitude as unsigned, so that the smallest value has one too.
    const std::uint64_t magnitude = negative ? 0 - static_cast<std::uint64_t>(tenThousandths)
                                             : static_cast<std::uint64_t>(tenThousandths);
    QString text = QString::number(magnitude / 10000);
    std::uint64_t fraction = magnitude % 10000;
    if (fraction != 0) {
        QString decimals = QString::number(fraction).rightJustified(4, QLatin1Char('0'));
        while (decimals.endsWith(QLatin1Char('0')))
            decimals.chop(1);
        text += QLatin1Char('.') + decimals;
    }
    return negative ? QLatin1Char('-') + text : text;
}

double roundHalfEven(double value)
{
    const double floor = std::floor(value);
    const double diff = value - floor;
    if (diff > 0.5)
        return floor + 1.0;
    if (diff < 0.5)
        return floor;
    return std::fmod(floor, 2.0) == 0.0 ? floor : floor + 1.0;
}

} // namespace mhbk::vbs
