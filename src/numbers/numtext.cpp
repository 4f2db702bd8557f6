#include "numbers/numtext.h"

#include "common/errors.h"
#include "numbers/decimal.h"
#include "numbers/format.h"

namespace mhbk {

namespace {

std::optional<numbers::DecimalText> scan(const QString &text)
{
    return numbers::scanDecimal(std::u16string_view(reinterpret_cast<const char16_t *>(text.utf16()),
                                                    static_cast<std::size_t>(text.size())));
}

} // namespace

std::optional<double> parseFloat(const QString &text)
{
    const auto decimal = scan(text);
    return decimal ? numbers::toDouble(*decimal) : std::nullopt;
}

QString conversionErrorText(const QString &text)
{
    return QStringLiteral("'%1' is not a valid floating point value").arg(text);
}

double strToFloat(const QString &text)
{
    const auto value = parseFloat(text);
    if (!value)
        throw ConversionError(conversionErrorText(text));
    return *value;
}

std::optional<numbers::Extended> parseReal(const QString &text)
{
    const auto decimal = scan(text);
    return decimal ? numbers::Extended::fromDecimal(*decimal) : std::nullopt;
}

numbers::Extended strToReal(const QString &text)
{
    const auto value = parseReal(text);
    if (!value)
        throw ConversionError(conversionErrorText(text));
    return *value;
}

QString floatToStr(const numbers::Extended &value) { return QString::fromStdString(numbers::generalText(value)); }

bool acceptsNumericKey(const QString &text, QChar typed)
{
    if (typed == QLatin1Char('.'))
        return !text.contains(QLatin1Char('.'));
    return (typed >= QLatin1Char('0') && typed <= QLatin1Char('9')) || typed == QChar(8);
}

QString formatFixed(double value, int decimals)
{
    return QString::fromStdString(numbers::fixedFromFifteenDigits(value, decimals));
}

QString formatResult(const numbers::Extended &value, int digits, const QString &decimalPoint)
{
    return QString::fromStdString(numbers::resultText(value, digits, decimalPoint.toStdString()));
}

} // namespace mhbk
