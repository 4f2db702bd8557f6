#include "csvsource.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace mhbk::handbook {

SourceError::SourceError(const QString &file, int line, const QString &text)
    : std::runtime_error(QStringLiteral("%1:%2: %3").arg(file).arg(line).arg(text).toStdString()),
      message_(QStringLiteral("%1:%2: %3").arg(file).arg(line).arg(text))
{
}

QString typeName(ColumnType type)
{
    switch (type) {
    case ColumnType::Integer: return QStringLiteral("INTEGER");
    case ColumnType::Real: return QStringLiteral("REAL");
    case ColumnType::Text: return QStringLiteral("TEXT");
    case ColumnType::Blob: return QStringLiteral("BLOB");
    }
    return {};
}

namespace {

// Offset of the first byte that is not part of a well-formed UTF-8 sequence, or -1.
qsizetype firstInvalidUtf8(const QByteArray &bytes)
{
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.constData());
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n;) {
        const unsigned char c = p[i];
        const int extra = c < 0x80 ? 0 : (c >> 5) == 0x6 ? 1 : (c >> 4) == 0xE ? 2 : (c >> 3) == 0x1E ? 3 : -1;
        if (extra < 0 || (extra == 1 && c < 0xC2) || (extra > 0 && i + extra >= n))
            return i;
        for (int k = 1; k <= extra; ++k)
            if ((p[i + k] & 0xC0) != 0x80)
                return i;
        i += extra + 1;
    }
    return -1;
}

QString decodeUtf8(const QByteArray &bytes, const QString &file)
{
    const qsizetype bad = firstInvalidUtf8(bytes);
    if (bad >= 0)
        throw SourceError(file, static_cast<int>(bytes.left(bad).count('\n')) + 1, QStringLiteral("not valid UTF-8"));
    QString text = QString::fromUtf8(bytes);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    return text;
}

// One pass over the characters; a record ends at an unquoted line break.
class CsvScanner {
public:
    CsvScanner(const QString &text, const QString &file) : text_(text), file_(file) {}

    std::vector<SourceRecord> records()
    {
        std::vector<SourceRecord> out;
        while (pos_ < text_.size()) {
            SourceRecord record;
            record.line = line_;
            record.values = scanRecord();
            const bool blank = record.values.size() == 1 && record.values.front().isEmpty();
            if (!blank)
                out.push_back(std::move(record));
        }
        return out;
    }

private:
    QStringList scanRecord()
    {
        QStringList fields;
        for (;;) {
            fields << scanField();
            if (pos_ >= text_.size())
                return fields;
            const QChar c = text_[pos_];
            if (c == QLatin1Char(',')) {
                ++pos_;
                continue;
            }
            consumeLineBreak();
            return fields;
        }
    }

    void consumeLineBreak()
    {
        if (text_[pos_] == QLatin1Char('\r'))
            ++pos_;
        if (pos_ < text_.size() && text_[pos_] == QLatin1Char('\n'))
            ++pos_;
        ++line_;
    }

    QString scanField()
    {
        if (pos_ < text_.size() && text_[pos_] == QLatin1Char('"'))
            return scanQuoted();
        const int start = pos_;
        while (pos_ < text_.size()) {
            const QChar c = text_[pos_];
            if (c == QLatin1Char(',') || c == QLatin1Char('\n') || c == QLatin1Char('\r'))
                break;
            if (c == QLatin1Char('"'))
                throw SourceError(file_, line_, QStringLiteral("quote character inside an unquoted field"));
            ++pos_;
        }
        return text_.mid(start, pos_ - start);
    }

    QString scanQuoted()
    {
        const int startLine = line_;
        ++pos_;
        QString value;
        for (;;) {
            if (pos_ >= text_.size())
                throw SourceError(file_, startLine, QStringLiteral("quoted field is not closed"));
            const QChar c = text_[pos_++];
            if (c == QLatin1Char('"')) {
                if (pos_ < text_.size() && text_[pos_] == QLatin1Char('"')) {
                    value += c;
                    ++pos_;
                    continue;
                }
                break;
            }
            if (c == QLatin1Char('\n'))
                ++line_;
            value += c;
        }
        if (pos_ < text_.size()) {
            const QChar after = text_[pos_];
            if (after != QLatin1Char(',') && after != QLatin1Char('\n') && after != QLatin1Char('\r'))
                throw SourceError(file_, line_, QStringLiteral("text after the closing quote of a field"));
        }
        return value;
    }

    const QString &text_;
    const QString &file_;
    int pos_ = 0;
    int line_ = 1;
};

Column parseColumn(const QString &definition, const QString &file, int line)
{
    static const QRegularExpression pattern(QStringLiteral("^([A-Za-z_][A-Za-z0-9_]*):(INTEGER|REAL|TEXT|BLOB)$"));
    const QRegularExpressionMatch m = pattern.match(definition);
    if (!m.hasMatch())
        throw SourceError(file, line,
                          QStringLiteral("column definition \"%1\" is not name:TYPE "
                                         "(TYPE one of INTEGER, REAL, TEXT, BLOB)").arg(definition));
    const QString type = m.captured(2);
    Column column{m.captured(1), ColumnType::Text};
    if (type == QLatin1String("INTEGER"))
        column.type = ColumnType::Integer;
    else if (type == QLatin1String("REAL"))
        column.type = ColumnType::Real;
    else if (type == QLatin1String("BLOB"))
        column.type = ColumnType::Blob;
    return column;
}

void checkValue(const Column &column, const QString &value, const QString &file, int line)
{
    if (value.isEmpty())
        return;
    static const QRegularExpression integer(QStringLiteral("^-?[0-9]+$"));
    bool ok = true;
    if (column.type == ColumnType::Integer)
        ok = integer.match(value).hasMatch();
    else if (column.type == ColumnType::Real)
        (void)value.toDouble(&ok);
    else if (column.type == ColumnType::Blob)
        ok = false;
    if (!ok)
        throw SourceError(file, line, QStringLiteral("\"%1\" is not a value of %2 column %3")
                                          .arg(value, typeName(column.type), column.name));
}

} // namespace

std::vector<SourceRecord> parseCsv(const QByteArray &bytes, const QString &file)
{
    const QString text = decodeUtf8(bytes, file);
    return CsvScanner(text, file).records();
}

TableSource parseTableSource(const QByteArray &bytes, const QString &file, const QString &tableName,
                             int skipTypeCheckRecords)
{
    std::vector<SourceRecord> records = parseCsv(bytes, file);
    if (records.empty())
        throw SourceError(file, 1, QStringLiteral("empty source: the first line must define the columns"));
    TableSource source;
    source.file = file;
    source.tableName = tableName;
    const SourceRecord &header = records.front();
    for (const QString &definition : header.values) {
        Column column = parseColumn(definition, file, header.line);
        for (const Column &seen : source.columns)
            if (seen.name.compare(column.name, Qt::CaseInsensitive) == 0)
                throw SourceError(file, header.line, QStringLiteral("column %1 defined twice").arg(column.name));
        source.columns.push_back(std::move(column));
    }
    for (size_t i = 1; i < records.size(); ++i) {
        SourceRecord &record = records[i];
        if (record.values.size() != static_cast<int>(source.columns.size()))
            throw SourceError(file, record.line, QStringLiteral("%1 fields where the header defines %2")
                                                     .arg(record.values.size())
                                                     .arg(source.columns.size()));
        if (static_cast<int>(i) > skipTypeCheckRecords)
            for (size_t c = 0; c < source.columns.size(); ++c)
                checkValue(source.columns[c], record.values[static_cast<int>(c)], file, record.line);
        source.records.push_back(std::move(record));
    }
    return source;
}

TableSource readTableSource(const QString &path, const QString &tableName, int skipTypeCheckRecords)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw SourceError(path, 0, QStringLiteral("cannot read: %1").arg(file.errorString()));
    return parseTableSource(file.readAll(), path, tableName, skipTypeCheckRecords);
}

} // namespace mhbk::handbook
