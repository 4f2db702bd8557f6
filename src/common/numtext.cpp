#include "common/numtext.h"

#include "common/errors.h"

namespace mhbk {

namespace {

bool isAsciiDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

bool isBlank(QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); }

} // namespace

std::optional<double> parseFloat(const QString &text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;

    qsizetype i = begin;
    if (i < end && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-')))
        ++i;
    int mantissaDigits = 0;
    while (i < end && isAsciiDigit(text[i])) {
        ++i;
        ++mantissaDigits;
    }
    if (i < end && text[i] == QLatin1Char('.')) {
        ++i;
        while (i < end && isAsciiDigit(text[i])) {
            ++i;
            ++mantissaDigits;
        }
    }
    if (mantissaDigits == 0)
        return std::nullopt;
    if (i < end && (text[i] == QLatin1Char('e') || text[i] == QLatin1Char('E'))) {
        ++i;
        if (i < end && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-')))
            ++i;
        int exponentDigits = 0;
        while (i < end && isAsciiDigit(text[i])) {
            ++i;
            ++exponentDigits;
        }
        if (exponentDigits == 0)
            return std::nullopt;
    }
    if (i != end)
        return std::nullopt;

    // Only ASCII is left at this point, so the C locale conversion is exact and locale-proof.
    const QByteArray ascii = text.mid(begin, end - begin).toLatin1();
    bool ok = false;
    const double value = QByteArray(ascii).toDouble(&ok);
    if (!ok) {
        // toDouble refuses a trailing point ("5."); the number is the same without it.
        QByteArray trimmed = ascii;
        const qsizetype point = trimmed.indexOf('.');
        if (point >= 0 && (point + 1 == trimmed.size() || !isAsciiDigit(QChar(trimmed[point + 1]))))
            trimmed.remove(point, 1);
        const double retry = trimmed.toDouble(&ok);
        if (!ok)
            return std::nullopt;
        return retry;
    }
    return value;
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

} // namespace mhbk
