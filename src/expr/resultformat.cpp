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
    // buffer: d.ddd...e[+-]XX
    const char *e = std::find(buffer, end, 'e');
    d.digits.push_back(buffer[0]);
    for (const char *p = buffer + 2; p < e; ++p)
        d.digits.push_back(*p);
    std::from_chars(e[1] == '+' ? e + 2 : e + 1, end, d.point);
    ++d.point;
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
    // Appended piece by piece: GCC 12 misreads string concatenation here (-Wrestrict).
    std::string text;
    if (d.negative)
        text.push_back('-');
    text.push_back(d.digits[0]);
    if (d.digits.size() > 1) {
        text.push_back('.');
        text.append(d.digits, 1, std::string::npos);
    }
    text.push_back('E');
    text.append(std::to_string(d.point - 1));
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
    std::string text("0.");
    text.append(d.digits);
    text.push_back('e');
    text.append(std::to_string(d.point));
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
