#include "data/gbk.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <iconv.h>

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

} // namespace mhbk
