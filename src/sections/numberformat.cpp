#include "sections/numberformat.h"

#include "common/errors.h"
#include "common/numtext.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace mhbk {

namespace {

constexpr int kSignificantDigits = 15;

struct Decimal {
    std::string digits; // significant digits, no trailing zeros, at least one
    int exponent = 0;   // value = 0.d1d2d3... * 10^(exponent + 1), i.e. d1 has weight 10^exponent
};

// printf rounds correctly to nearest, which is what the 15-digit rounding needs.
Decimal toDecimal(long double magnitude)
{
    char buffer[80];
    std::snprintf(buffer, sizeof buffer, "%.*Le", kSignificantDigits - 1, magnitude);
    const std::string text(buffer);
    const auto e = text.find('e');
    Decimal d;
    for (std::size_t i = 0; i < e; ++i) {
        if (text[i] != '.')
            d.digits.push_back(text[i]);
    }
    d.exponent = std::atoi(text.c_str() + e + 1);
    while (d.digits.size() > 1 && d.digits.back() == '0')
        d.digits.pop_back();
    return d;
}

std::string fixedNotation(const Decimal &d)
{
    const int count = static_cast<int>(d.digits.size());
    if (d.exponent < 0)
        return "0." + std::string(static_cast<std::size_t>(-d.exponent - 1), '0') + d.digits;
    if (count <= d.exponent + 1)
        return d.digits + std::string(static_cast<std::size_t>(d.exponent + 1 - count), '0');
    return d.digits.substr(0, d.exponent + 1) + "." + d.digits.substr(d.exponent + 1);
}

std::string exponentNotation(const Decimal &d)
{
    std::string text(1, d.digits[0]);
    if (d.digits.size() > 1)
        text += "." + d.digits.substr(1);
    text += "E" + std::to_string(d.exponent);
    return text;
}

} // namespace

QString floatToStr(long double value)
{
    if (std::isnan(value))
        return QStringLiteral("NAN");
    if (std::isinf(value))
        return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
    if (value == 0.0)
        return QStringLiteral("0");

    const Decimal d = toDecimal(std::fabs(value));
    // The choice of notation is made on the rounded value: 999999999999999.9 becomes 1E15.
    const bool fixed = d.exponent >= -4 && d.exponent < kSignificantDigits;
    std::string text = value < 0 ? "-" : "";
    text += fixed ? fixedNotation(d) : exponentNotation(d);
    return QString::fromLatin1(text.c_str());
}

std::optional<long double> parseReal(const QString &text)
{
    // parseFloat decides what is a number; the digits are then read again at full precision.
    if (!parseFloat(text))
        return std::nullopt;
    QByteArray ascii = text.trimmed().toLatin1();
    if (ascii.startsWith('+'))
        ascii.remove(0, 1);
    long double value = 0;
    const auto [end, error] = std::from_chars(ascii.constData(), ascii.constData() + ascii.size(), value);
    if (error == std::errc::result_out_of_range)
        return std::nullopt;
    if (error != std::errc() || end != ascii.constData() + ascii.size())
        return static_cast<long double>(*parseFloat(text));
    return value;
}

long double strToReal(const QString &text)
{
    const auto value = parseReal(text);
    if (!value)
        throw ConversionError(conversionErrorText(text));
    return *value;
}

bool acceptsNumericKey(const QString &text, QChar typed)
{
    if (typed == QLatin1Char('.'))
        return !text.contains(QLatin1Char('.'));
    return (typed >= QLatin1Char('0') && typed <= QLatin1Char('9')) || typed == QChar(8);
}

} // namespace mhbk
