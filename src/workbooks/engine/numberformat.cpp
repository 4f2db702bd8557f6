#include "workbooks/engine/numberformat.h"
#include "workbooks/engine/function_args.h"

#include "numbers/decimal.h"
#include "numbers/format.h"

#include <cmath>

namespace mhbk::wb {

namespace {

void trimZeros(QString &s)
{
    if (!s.contains(u'.'))
        return;
    while (s.endsWith(u'0'))
        s.chop(1);
    if (s.endsWith(u'.'))
        s.chop(1);
}

int significantDigits(const QString &s)
{
    int n = 0;
    bool leading = true;
    for (QChar c : s) {
        if (!c.isDigit())
            continue;
        if (leading && c == u'0')
            continue;
        leading = false;
        ++n;
    }
    // Trailing zeros of an integer part count; trimmed decimals never end in 0.
    return n;
}

QString excelExponent(int e)
{
    return QString::fromStdString(numbers::exponentText(e));
}

// "1.23457E+11": mantissa with `maxDecimals` decimals at most, trailing zeros dropped.
QString scientific(double a, int maxDecimals)
{
    int e = int(std::floor(std::log10(a)));
    double m = a / std::pow(10.0, e);
    QString ms = fixedText(m, maxDecimals);
    if (ms.startsWith(QLatin1String("10"))) {   // 9.999995 rounded up
        ++e;
        ms = fixedText(a / std::pow(10.0, e), maxDecimals);
    }
    trimZeros(ms);
    return ms + excelExponent(e);
}

} // namespace

QString fixedText(double value, int decimals)
{
    return QString::fromStdString(numbers::fixedText(value, decimals));
}

QString formatGeneral(double value)
{
    if (value == 0 || !std::isfinite(value))
        return QStringLiteral("0");
    constexpr int width = 11;
    const QString sign = value < 0 ? QStringLiteral("-") : QString();
    const double a = std::fabs(value);
    const int e = int(std::floor(std::log10(a)));
    const int sciDecimals = std::abs(e) >= 100 ? 4 : 5;
    const QString sci = scientific(a, sciDecimals);
    if (e >= width)
        return sign + sci;
    const int intDigits = e >= 0 ? e + 1 : 1;
    const int decimals = std::max(0, width - intDigits - 1);
    QString dec = fixedText(a, decimals);
    trimZeros(dec);
    if (dec.indexOf(u'.') > width || (!dec.contains(u'.') && dec.size() > width))
        return sign + sci;
    const int needed = significantDigits(numberText(a));
    const int sciKept = significantDigits(sci.left(sci.indexOf(u'E')));
    if (significantDigits(dec) >= std::min(needed, sciKept))
        return sign + dec;
    return sign + sci;
}

QString numberText(double value)
{
    if (value == 0 || !std::isfinite(value))
        return QStringLiteral("0");
    const int e = int(std::floor(std::log10(std::fabs(value))));
    if (e >= -9 && e < 15) {
        QString s = fixedText(value, std::max(0, 14 - e));
        trimZeros(s);
        return s;
    }
    numbers::Digits d = numbers::exactDigits(value);
    numbers::roundHalfAway(d, 15);
    numbers::trimZeros(d);
    QString mantissa = d.negative ? QStringLiteral("-") : QString();
    mantissa += QLatin1Char(d.digits[0]);
    if (d.digits.size() > 1)
        mantissa += QLatin1Char('.') + QString::fromStdString(d.digits.substr(1));
    return mantissa + QString::fromStdString(numbers::exponentText(d.scientificExponent()));
}

} // namespace mhbk::wb
