#include "data/gbk.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <iconv.h>
#include <optional>

namespace mhbk {

namespace {

// The whole text converted by glibc's iconv (which always knows GBK and GB18030, where Qt does
// only when built with ICU); nothing when a character has no place in the target encoding.
std::optional<QByteArray> convertedWithIconv(const char *to, const char *from, QByteArray in)
{
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return std::nullopt;
    QByteArray out(in.size() * 2 + 4, '\0'); // from UTF-8 to GB18030 or back, a text at most doubles
    char *inPtr = in.data();
    size_t inLeft = static_cast<size_t>(in.size());
    char *outPtr = out.data();
    size_t outLeft = static_cast<size_t>(out.size());
    const size_t result = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    if (result == static_cast<size_t>(-1) || inLeft != 0)
        return std::nullopt;
    out.truncate(out.size() - static_cast<qsizetype>(outLeft));
    return out;
}

} // namespace

bool encodesToGbk(const QString &text)
{
    QStringEncoder encoder("GBK");
    if (!encoder.isValid())
        return convertedWithIconv("GBK", "UTF-8", text.toUtf8()).has_value();
    const QByteArray bytes = encoder.encode(text);
    if (encoder.hasError())
        return false;
    QStringDecoder decoder("GBK");
    const QString back = decoder.decode(bytes);
    return !decoder.hasError() && back == text;
}

QString decodeSpreadsheetText(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text.startsWith(QChar(0xFEFF)) ? text.mid(1) : text;
    if (const std::optional<QByteArray> gbk = convertedWithIconv("UTF-8", "GB18030", bytes))
        return QString::fromUtf8(*gbk);
    return text;
}

} // namespace mhbk
