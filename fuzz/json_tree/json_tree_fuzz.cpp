// Any bytes given to the workbook loader must load or give a message; a JSON syntax error must
// point inside the text, and the loader must refuse as bad JSON whatever Qt's (looser) reader
// refuses. What the loader's JSON document reads, Qt's reader must read too, to the same values.

#include "workbooks/engine/jsontree.h"
#include "workbooks/engine/workbookjson.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

using namespace mhbk::wb;

namespace {

[[noreturn]] void fault(const char *what, const QString &detail)
{
    std::fprintf(stderr, "%s: %s\n", what, qPrintable(detail));
    std::abort();
}

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

// A syntax error's line and column must lie inside the text (the column may be one past a
// line's end); returns whether the message was about syntax at all.
bool checkSyntaxMessage(const QByteArray &text, const QString &message)
{
    static const QRegularExpression position(QStringLiteral("^工作簿文件第 (\\d+) 行第 (\\d+) 列格式错误："));
    const auto m = position.match(message);
    if (!m.hasMatch())
        return false;
    const QStringList lines = QString::fromUtf8(text).split(u'\n');
    const qsizetype line = m.captured(1).toLongLong(), column = m.captured(2).toLongLong();
    if (line < 1 || line > lines.size() || column < 1 || column > lines[line - 1].size() + 1)
        fault("syntax error outside the text", message);
    return true;
}

void compareWithQt(const QByteArray &text, const JsonTree &tree, const QJsonDocument &qt)
{
    const JsonValue root = tree.root();
    // Qt's reader drops U+FEFF at the start of a key as if it were a byte order mark; we keep it.
    if ((!root.isObject() && !root.isArray()) || text.indexOf("\xEF\xBB\xBF", 1) >= 0 || text.toLower().contains("\\ufeff"))
        return;
    const auto show = [](const QJsonValue &v) {
        return v.isObject() ? QJsonDocument(v.toObject()).toJson() : QJsonDocument(v.toArray()).toJson();
    };
    const QJsonValue ours = root.toQJsonValue();
    const QJsonValue theirs = qt.isObject() ? QJsonValue(qt.object()) : QJsonValue(qt.array());
    if (!same(ours, theirs))
        fault("read differently", QString::fromUtf8(show(ours) + "\n" + show(theirs)));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray text(reinterpret_cast<const char *>(data), qsizetype(size));
    LoadError error;
    const bool loaded = loadWorkbook(text, &error).has_value();
    if (!loaded && error.message.isEmpty())
        fault("no message", QString());
    const bool badSyntax = !loaded && checkSyntaxMessage(text, error.message);
    QJsonParseError qtError;
    const QJsonDocument qt = QJsonDocument::fromJson(text, &qtError);
    const JsonTree tree(text);
    if (tree.isValid() == badSyntax)
        fault("the loader and its document disagree", error.message);
    // Qt's reader takes only an object or an array at the top.
    if (qtError.error != QJsonParseError::NoError && !badSyntax && (tree.root().isObject() || tree.root().isArray()))
        fault("Qt refuses what the loader reads", qtError.errorString());
    if (!badSyntax && qtError.error == QJsonParseError::NoError)
        compareWithQt(text, tree, qt);
    return 0;
}
