// Any bytes must read or give an error inside them. What we read, Qt's reader (which is looser)
// must read too, to the same values.

#include "workbooks/engine/jsontree.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

using namespace mhbk::wb;

namespace {

// Numbers compared as the doubles the loader reads (Qt keeps whole numbers as 64-bit integers).
bool same(const QJsonValue &a, const QJsonValue &b)
{
    if (a.isDouble() && b.isDouble())
        return a.toDouble() == b.toDouble();
    if (a.isArray() && b.isArray()) {
        const QJsonArray x = a.toArray(), y = b.toArray();
        if (x.size() != y.size())
            return false;
        for (qsizetype i = 0; i < x.size(); ++i)
            if (!same(x[i], y[i]))
                return false;
        return true;
    }
    if (a.isObject() && b.isObject()) {
        const QJsonObject x = a.toObject(), y = b.toObject();
        if (x.keys() != y.keys())
            return false;
        for (auto it = x.begin(); it != x.end(); ++it)
            if (!same(it.value(), y.value(it.key())))
                return false;
        return true;
    }
    return a == b;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray text(reinterpret_cast<const char *>(data), qsizetype(size));
    const JsonTree tree(text);
    if (!tree.isValid()) {
        if (tree.error().reason.isEmpty() || tree.error().offset < 0 || tree.error().offset > text.size())
            std::abort();
        return 0;
    }
    const JsonValue root = tree.root();
    if (!root.isObject() && !root.isArray())
        return 0;   // Qt's reader takes only these at the top
    // Qt's reader drops U+FEFF at the start of a key as if it were a byte order mark; we keep it.
    if (text.indexOf("\xEF\xBB\xBF", 1) >= 0 || text.toLower().contains("\\ufeff"))
        return 0;
    QJsonParseError error;
    const QJsonDocument qt = QJsonDocument::fromJson(text, &error);
    if (error.error != QJsonParseError::NoError) {
        std::fprintf(stderr, "Qt refuses what we read: %s\n", qPrintable(error.errorString()));
        std::abort();
    }
    const auto show = [](const QJsonValue &v) {
        return v.isObject() ? QJsonDocument(v.toObject()).toJson() : QJsonDocument(v.toArray()).toJson();
    };
    const QJsonValue ours = root.toQJsonValue();
    const QJsonValue theirs = qt.isObject() ? QJsonValue(qt.object()) : QJsonValue(qt.array());
    if (!same(ours, theirs)) {
        std::fprintf(stderr, "read differently:\n%s\n%s\n", show(ours).constData(), show(theirs).constData());
        std::abort();
    }
    return 0;
}
