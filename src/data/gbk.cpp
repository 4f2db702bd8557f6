#include "data/gbk.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <iconv.h>
#include <optional>

namespace mhbk {

namespace {

// Qt knows GBK only when built with ICU; glibc's iconv always does.
bool encodesWithIconv(const QString &text)
{
    iconv_t cd = iconv_open("GBK", "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1))
        return false;
    QByteArray in = text.toUtf8();
    QByteArray out(in.size() * 2 + 4, '\0');
    char *inPtr = in.data();
    size_t inLeft = static_cast<size_t>(in.size());
    char *outPtr = out.data();
    size_t outLeft = static_cast<size_t>(out.size());
    const size_t result = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    return result != static_cast<size_t>(-1) && inLeft == 0;
}

} // namespace

bool encodesToGbk(const QString &text)
{
    QStringEncoder encoder("GBK");
    if (!encoder.isValid())
        return encodesWithIconv(text);
    const QByteArray bytes = encoder.encode(text);
    if (encoder.hasError())
        return false;
    QStringDecoder decoder("GBK");
    const QString back = decoder.decode(bytes);
    return !decoder.hasError() && back == text;
}

namespace {

std::optional<QString> decodedWithIconv(const QByteArray &bytes)
{
    iconv_t cd = iconv_open("UTF-8", "GB18030");
    if (cd == reinterpret_cast<iconv_t>(-1))
        return std::nullopt;
    QByteArray in = bytes;
    QByteArray out(in.size() * 2 + 4, '\0');
    char *inPtr = in.data();
    size_t inLeft = static_cast<size_t>(in.size());
    char *outPtr = out.data();
    size_t outLeft = static_cast<size_t>(out.size());
    const size_t result = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    if (result == static_cast<size_t>(-1) || inLeft != 0)
        return std::nullopt;
    return QString::fromUtf8(out.constData(), out.size() - static_cast<qsizetype>(outLeft));
}

} // namespace

QString decodeSpreadsheetText(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text.startsWith(QChar(0xFEFF)) ? text.mid(1) : text;
    if (std::optional<QString> gbk = decodedWithIconv(bytes))
        return *gbk;
    return text;
}

} // namespace mhbk
