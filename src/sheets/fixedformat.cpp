#include "sheets/fixedformat.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace mhbk::sheets {

namespace {

constexpr int kSignificantDigits = 15;

// The digits of round(|value| * 10^decimals) as a decimal string, rounding half away from zero
// on the value's 15-digit decimal form.
std::string scaledDigits(double magnitude, int decimals)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*e", kSignificantDigits - 1, magnitude);
    // buffer is "d.dddddddddddddde[+-]XX"
    std::string digits;
    digits += buffer[0];
    digits.append(buffer + 2, kSignificantDigits - 1);
    const int exponent = std::atoi(buffer + 2 + kSignificantDigits);

    // Number of digits of `digits` that stay left of the rounding position.
    const int keep = exponent + 1 + decimals;
    if (keep < 0)
        return "0";
    if (keep >= kSignificantDigits)
        return digits + std::string(static_cast<std::size_t>(keep - kSignificantDigits), '0');

    const bool roundUp = digits[static_cast<std::size_t>(keep)] >= '5';
    std::string kept = digits.substr(0, static_cast<std::size_t>(keep));
    if (roundUp) {
        int i = keep - 1;
        for (; i >= 0; --i) {
            auto &c = kept[static_cast<std::size_t>(i)];
            if (c == '9') {
                c = '0';
            } else {
                ++c;
                break;
            }
        }
        if (i < 0)
            kept.insert(kept.begin(), '1');
    }
    return kept.empty() ? std::string("0") : kept;
}

} // namespace

QString formatFixed(double value, int decimals)
{
    if (std::isnan(value))
        return QStringLiteral("NAN");
    if (std::isinf(value))
        return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");

    std::string digits = scaledDigits(std::fabs(value), decimals);
    const std::size_t firstNonZero = digits.find_first_not_of('0');
    const bool isZero = firstNonZero == std::string::npos;
    digits = isZero ? std::string() : digits.substr(firstNonZero);

    const auto fraction = static_cast<std::size_t>(decimals);
    if (digits.size() < fraction + 1)
        digits.insert(0, fraction + 1 - digits.size(), '0');
    std::string text = digits.substr(0, digits.size() - fraction);
    if (decimals > 0)
        text += '.' + digits.substr(digits.size() - fraction);
    if (value < 0 && !isZero)
        text.insert(text.begin(), '-');
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace mhbk::sheets
