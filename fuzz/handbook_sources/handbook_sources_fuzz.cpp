#include "csvsource.h"

#include <QByteArray>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    try {
        mhbk::handbook::parseTableSource(bytes, QStringLiteral("fuzz.csv"), QStringLiteral("fuzz"), 1);
    } catch (const mhbk::handbook::SourceError &) {
        // A clear file:line error is the expected answer to a malformed source.
    }
    return 0;
}
