#pragma once

#include <QString>
#include <QStringList>
#include <stdexcept>
#include <vector>

namespace mhbk::handbook {

// A fault in a source file, reported as "file:line: text".
class SourceError : public std::runtime_error {
public:
    SourceError(const QString &file, int line, const QString &text);
    const QString &message() const { return message_; }

private:
    QString message_;
};

enum class ColumnType { Integer, Real, Text, Blob };

struct Column {
    QString name;
    ColumnType type = ColumnType::Text;
};

struct SourceRecord {
    int line = 0; // line of the record's first character, counted from 1
    QStringList values;
};

// One table source: the column line and the records in stored order.
struct TableSource {
    QString file;
    QString tableName;
    std::vector<Column> columns;
    std::vector<SourceRecord> records;
};

QString typeName(ColumnType type);

// Splits UTF-8 CSV text (RFC 4180 quoting, LF or CRLF, an optional BOM) into records, each
// with the line it starts on. Throws SourceError for invalid UTF-8 or a broken quote.
std::vector<SourceRecord> parseCsv(const QByteArray &bytes, const QString &file);

// Parses a whole table source: first record "name:TYPE" column definitions, every later
// record one row with exactly as many fields. Numbers are checked against their column type
// (an empty field is NULL); the first `skipTypeCheckRecords` records are exempt, for the
// caption record that names numeric columns. Throws SourceError.
TableSource parseTableSource(const QByteArray &bytes, const QString &file, const QString &tableName,
                             int skipTypeCheckRecords = 0);

// Reads a file and parses it as above.
TableSource readTableSource(const QString &path, const QString &tableName, int skipTypeCheckRecords = 0);

} // namespace mhbk::handbook
