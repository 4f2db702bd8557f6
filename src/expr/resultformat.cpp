#include "expr/resultformat.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

namespace mhbk {

namespace {

constexpr int kSignificantDigits = 18;

// value = 0.d1d2d3... x 10^point
struct DecimalDigits {
    bool negative = false;
    std::string digits;
    int point = 0;
};

DecimalDigits decimalDigits(long double value, int significant)
{
    DecimalDigits d;
    d.negative = std::signbit(value);
    char buffer[64];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value), std::chars_format::scientific,
                                   significant - 1).ptr;
    const std::string text(buffer, end);
    const std::size_t e = text.find('e');
    d.digits = text.substr(0, 1) + (e > 2 ? text.substr(2, e - 2) : std::string());
    d.point = std::stoi(text.substr(e + 1)) + 1;
    return d;
}

// Keeps `keep` leading digits, rounding the rest away from zero at a half.
void roundDigits(DecimalDigits &d, int keep)
{
    if (keep >= static_cast<int>(d.digits.size()))
        return;
    if (keep < 0) {
        d.digits.clear();
        return;
    }
    const bool up = d.digits[static_cast<std::size_t>(keep)] >= '5';
    d.digits.resize(static_cast<std::size_t>(keep));
    if (!up)
        return;
    int i = keep - 1;
    while (i >= 0 && d.digits[static_cast<std::size_t>(i)] == '9')
        d.digits[static_cast<std::size_t>(i--)] = '0';
    if (i >= 0) {
        ++d.digits[static_cast<std::size_t>(i)];
    } else {
        d.digits.insert(d.digits.begin(), '1');
        ++d.point;
    }
}

bool isZero(const DecimalDigits &d)
{
    return std::all_of(d.digits.begin(), d.digits.end(), [](char c) { return c == '0'; });
}

QString generalForm(long double value)
{
    DecimalDigits d = decimalDigits(value, 15);
    while (d.digits.size() > 1 && d.digits.back() == '0')
        d.digits.pop_back();
    std::string text = d.negative ? "-" : "";
    text += d.digits.substr(0, 1);
    if (d.digits.size() > 1)
        text += "." + d.digits.substr(1);
    text += "E" + std::to_string(d.point - 1);
    return QString::fromLatin1(text);
}

} // namespace

long double roundToDecimals(long double value, int digits)
{
    if (value == 0.0L || !std::isfinite(value))
        return std::isfinite(value) ? 0.0L : value;
    DecimalDigits d = decimalDigits(value, kSignificantDigits);
    const int keep = d.point > kSignificantDigits ? kSignificantDigits
                                                  : std::min(kSignificantDigits, d.point + std::max(digits, 0));
    roundDigits(d, keep);
    if (d.digits.empty() || isZero(d))
        return 0.0L;
    const std::string text = "0." + d.digits + "e" + std::to_string(d.point);
    long double result = 0.0L;
    std::from_chars(text.data(), text.data() + text.size(), result);
    return d.negative ? -result : result;
}

QString resultMask(int digits)
{
    return QStringLiteral("0.0") + QString(std::max(digits - 1, 0), QLatin1Char('0'));
}

QString formatResult(long double value, int digits, const QString &decimalPoint)
{
    const int decimals = std::max(digits, 1);
    if (std::isnan(value))
        return QStringLiteral("NAN");
    if (std::isinf(value))
        return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
    if (std::fabs(value) >= 1e18L)
        return generalForm(value);
    DecimalDigits d = value == 0.0L ? DecimalDigits{false, "0", 1} : decimalDigits(value, kSignificantDigits);
    roundDigits(d, d.point + decimals);
    auto digitAt = [&d](int i) {
        return i >= 0 && i < static_cast<int>(d.digits.size()) ? QLatin1Char(d.digits[static_cast<std::size_t>(i)])
                                                                : QLatin1Char('0');
    };
    QString text;
    if (d.negative && !isZero(d))
        text += QLatin1Char('-');
    if (d.point <= 0)
        text += QLatin1Char('0');
    for (int i = 0; i < d.point; ++i)
        text += digitAt(i);
    text += decimalPoint;
    for (int i = 0; i < decimals; ++i)
        text += digitAt(d.point + i);
    return text;
}

} // namespace mhbk
