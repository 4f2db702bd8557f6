#include "history/historyfile.h"

#include <QStringDecoder>
#include <QStringList>

namespace mhbk::history {

namespace {

const QByteArray kHeader = "mhbk-history 1";
constexpr int kFields = 5;

const char *kindName(Kind kind) { return kind == Kind::Expression ? "expr" : "weight"; }

std::optional<Kind> kindOf(const QString &name)
{
    if (name == QLatin1String("expr"))
        return Kind::Expression;
    if (name == QLatin1String("weight"))
        return Kind::Weight;
    return std::nullopt;
}

QString escaped(const QString &field)
{
    QString out;
    out.reserve(field.size());
    for (const QChar c : field) {
        switch (c.unicode()) {
        case '\\': out += QLatin1String("\\\\"); break;
        case '\t': out += QLatin1String("\\t"); break;
        case '\n': out += QLatin1String("\\n"); break;
        case '\r': out += QLatin1String("\\r"); break;
        default: out += c;
        }
    }
    return out;
}

std::optional<QString> unescaped(const QString &field)
{
    QString out;
    out.reserve(field.size());
    for (qsizetype i = 0; i < field.size(); ++i) {
        if (field.at(i) != QLatin1Char('\\')) {
            out += field.at(i);
            continue;
        }
        if (++i == field.size())
            return std::nullopt;
        switch (field.at(i).unicode()) {
        case '\\': out += QLatin1Char('\\'); break;
        case 't': out += QLatin1Char('\t'); break;
        case 'n': out += QLatin1Char('\n'); break;
        case 'r': out += QLatin1Char('\r'); break;
        default: return std::nullopt;
        }
    }
    return out;
}

std::optional<Entry> parseLine(const QByteArray &bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString line = decoder(bytes);
    if (decoder.hasError())
        return std::nullopt;
    const QStringList fields = line.split(QLatin1Char('\t'));
    if (fields.size() != kFields)
        return std::nullopt;
    Entry entry;
    entry.time = QDateTime::fromString(fields.at(0), Qt::ISODateWithMs);
    const auto kind = kindOf(fields.at(1));
    if (!entry.time.isValid() || !kind)
        return std::nullopt;
    entry.kind = *kind;
    const auto input = unescaped(fields.at(2));
    const auto result = unescaped(fields.at(3));
    const auto unit = unescaped(fields.at(4));
    if (!input || !result || !unit)
        return std::nullopt;
    entry.input = *input;
    entry.result = *result;
    entry.unit = *unit;
    return entry;
}

} // namespace

QString resultWithUnit(const Entry &entry)
{
    return entry.unit.isEmpty() ? entry.result : entry.result + QLatin1Char(' ') + entry.unit;
}

QString entryText(const Entry &entry)
{
    const QString mark = entry.kind == Kind::Expression ? QStringLiteral(" = ") : QStringLiteral(" → ");
    return entry.input + mark + resultWithUnit(entry);
}

QByteArray historyLine(const Entry &entry)
{
    const QStringList fields = {entry.time.toUTC().toString(Qt::ISODateWithMs), QLatin1String(kindName(entry.kind)),
                                escaped(entry.input), escaped(entry.result), escaped(entry.unit)};
    return fields.join(QLatin1Char('\t')).toUtf8() + '\n';
}

QByteArray writeHistory(const std::vector<Entry> &entries)
{
    QByteArray out = kHeader + '\n';
    for (const Entry &entry : entries)
        out += historyLine(entry);
    return out;
}

std::optional<std::vector<Entry>> readHistory(const QByteArray &bytes, bool *tornTail)
{
    if (!bytes.startsWith(kHeader + '\n'))
        return std::nullopt;
    QList<QByteArray> lines = bytes.mid(kHeader.size() + 1).split('\n');
    const QByteArray unfinished = lines.takeLast(); // empty when the file ends with a line break
    if (tornTail)
        *tornTail = !unfinished.isEmpty();
    std::vector<Entry> entries;
    for (const QByteArray &line : lines) {
        if (line.isEmpty())
            continue;
        auto entry = parseLine(line);
        if (!entry)
            return std::nullopt;
        entries.push_back(std::move(*entry));
    }
    return entries;
}

} // namespace mhbk::history
