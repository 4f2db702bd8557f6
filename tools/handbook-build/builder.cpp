#include "builder.h"

#include "csvsource.h"
#include "data/gbk.h"
#include "schema.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonParseError>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <filesystem>
#include <map>
#include <set>

namespace mhbk::handbook {

namespace {

QString quoted(const QString &name)
{
    return QLatin1Char('"') + QString(name).replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"');
}

void requireGbk(const TableSource &source)
{
    for (const SourceRecord &record : source.records)
        for (const QString &value : record.values)
            if (!encodesToGbk(value))
                throw SourceError(source.file, record.line,
                                  QStringLiteral("\"%1\" cannot be written in GBK").arg(value));
}

QVariant storedValue(const Column &column, const QString &text)
{
    if (column.type == ColumnType::Text)
        return text;
    if (text.isEmpty())
        return QVariant();
    bool ok = false;
    if (column.type == ColumnType::Integer) {
        const qlonglong v = text.toLongLong(&ok);
        return ok ? QVariant(v) : QVariant(text); // a caption record keeps its text
    }
    const double v = text.toDouble(&ok);
    return ok ? QVariant(v) : QVariant(text);
}

class DatabaseWriter {
public:
    explicit DatabaseWriter(const QString &path)
        : name_(QStringLiteral("mhbk-handbook-build-%1").arg(QCoreApplication::applicationPid()))
    {
        db_ = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name_);
        db_.setDatabaseName(path);
        if (!db_.open())
            throw std::runtime_error(("cannot create " + path + ": " + db_.lastError().text()).toStdString());
        exec(QStringLiteral("PRAGMA journal_mode=OFF"));
        exec(QStringLiteral("PRAGMA user_version=1"));
        if (!db_.transaction())
            throw std::runtime_error(db_.lastError().text().toStdString());
    }
    ~DatabaseWriter()
    {
        if (db_.isOpen())
            db_.close();
        db_ = QSqlDatabase();
        QSqlDatabase::removeDatabase(name_);
    }

    int writeTable(const QString &name, const std::vector<Column> &columns, const std::vector<QVariantList> &rows)
    {
        QStringList defs;
        QStringList marks;
        for (const Column &c : columns) {
            defs << quoted(c.name) + QLatin1Char(' ') + typeName(c.type);
            marks << QStringLiteral("?");
        }
        exec(QStringLiteral("CREATE TABLE %1 (%2)").arg(quoted(name), defs.join(QStringLiteral(", "))));
        QSqlQuery insert(db_);
        insert.prepare(QStringLiteral("INSERT INTO %1 VALUES (%2)").arg(quoted(name), marks.join(QLatin1Char(','))));
        for (const QVariantList &row : rows) {
            for (int i = 0; i < row.size(); ++i)
                insert.bindValue(i, row[i]);
            if (!insert.exec())
                throw std::runtime_error(("table " + name + ": " + insert.lastError().text()).toStdString());
        }
        return static_cast<int>(rows.size());
    }

    void commit()
    {
        if (!db_.commit())
            throw std::runtime_error(db_.lastError().text().toStdString());
        db_.close();
    }

private:
    void exec(const QString &sql)
    {
        QSqlQuery q(db_);
        if (!q.exec(sql))
            throw std::runtime_error((sql + ": " + q.lastError().text()).toStdString());
    }

    QString name_;
    QSqlDatabase db_;
};

std::vector<QVariantList> storedRows(const TableSource &source)
{
    std::vector<QVariantList> rows;
    for (const SourceRecord &record : source.records) {
        QVariantList row;
        for (size_t c = 0; c < source.columns.size(); ++c)
            row << storedValue(source.columns[c], record.values[static_cast<int>(c)]);
        rows.push_back(std::move(row));
    }
    return rows;
}

std::map<QString, TableSource> readTableSources(const QString &tablesDir)
{
    std::map<QString, TableSource> sources;
    const QFileInfoList files = QDir(tablesDir).entryInfoList({QStringLiteral("*.csv")}, QDir::Files, QDir::Name);
    for (const QFileInfo &info : files) {
        const QString table = info.completeBaseName();
        const TableRule *rule = findRule(table);
        if (!rule)
            throw SourceError(info.filePath(), 1,
                              QStringLiteral("no table \"%1\" in the handbook (Report comes from workbooks/manifest.csv)")
                                  .arg(table));
        TableSource source = readTableSource(info.filePath(), table, rule->captionRecord ? 1 : 0);
        checkAgainstRule(source, *rule);
        requireGbk(source);
        sources.emplace(table, std::move(source));
    }
    return sources;
}

void checkWorkbook(const QString &path, const QString &manifest, int line)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw SourceError(manifest, line, QStringLiteral("cannot read workbook %1").arg(path));
    QJsonParseError error{};
    QJsonDocument::fromJson(file.readAll(), &error);
    if (error.error != QJsonParseError::NoError)
        throw SourceError(manifest, line, QStringLiteral("workbook %1 is not valid JSON (offset %2: %3)")
                                              .arg(path)
                                              .arg(error.offset)
                                              .arg(error.errorString()));
}

// The Report table: page index, workbook bytes, kind.
std::vector<QVariantList> reportRows(const QString &workbooksDir)
{
    const QString manifestPath = QDir(workbooksDir).filePath(QStringLiteral("manifest.csv"));
    const TableSource manifest = readTableSource(manifestPath, QStringLiteral("Report"));
    const QStringList expected{QStringLiteral("Index"), QStringLiteral("lx"), QStringLiteral("file")};
    const std::vector<ColumnType> types{ColumnType::Integer, ColumnType::Integer, ColumnType::Text};
    bool headerOk = manifest.columns.size() == 3;
    for (size_t i = 0; headerOk && i < 3; ++i)
        headerOk = manifest.columns[i].name == expected[static_cast<int>(i)] && manifest.columns[i].type == types[i];
    if (!headerOk)
        throw SourceError(manifestPath, 1, QStringLiteral("the header must be Index:INTEGER,lx:INTEGER,file:TEXT"));
    std::set<qlonglong> seen;
    std::vector<QVariantList> rows;
    for (const SourceRecord &record : manifest.records) {
        const QString &indexText = record.values[0];
        const QString &kindText = record.values[1];
        const QString &name = record.values[2];
        if (indexText.isEmpty() || kindText.isEmpty() || name.isEmpty())
            throw SourceError(manifestPath, record.line, QStringLiteral("Index, lx and file are all required"));
        const qlonglong index = indexText.toLongLong();
        if (index < 0 || index > 51)
            throw SourceError(manifestPath, record.line, QStringLiteral("page index %1 is not 0 to 51").arg(index));
        if (!seen.insert(index).second)
            throw SourceError(manifestPath, record.line, QStringLiteral("page index %1 listed twice").arg(index));
        if (name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')) || name.startsWith(QLatin1Char('.')))
            throw SourceError(manifestPath, record.line, QStringLiteral("\"%1\" must be a plain file name").arg(name));
        const QString path = QDir(workbooksDir).filePath(name);
        checkWorkbook(path, manifestPath, record.line);
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            throw SourceError(manifestPath, record.line, QStringLiteral("cannot read workbook %1").arg(path));
        rows.push_back({index, file.readAll(), kindText.toLongLong()});
    }
    return rows;
}

void replaceFile(const QString &from, const QString &to)
{
    std::error_code error;
    std::filesystem::rename(from.toStdString(), to.toStdString(), error);
    if (error) {
        QFile::remove(from);
        throw std::runtime_error(("cannot move the database into place at " + to + ": ").toStdString() + error.message());
    }
}

} // namespace

BuildSummary buildHandbook(const QString &handbookDir, const QString &outputPath)
{
    const QDir root(handbookDir);
    std::map<QString, TableSource> sources = readTableSources(root.filePath(QStringLiteral("tables")));
    const std::vector<QVariantList> report = reportRows(root.filePath(QStringLiteral("workbooks")));

    BuildSummary summary;
    const QString partial = outputPath + QStringLiteral(".part");
    QFile::remove(partial);
    try {
        DatabaseWriter writer(partial);
        for (const TableRule &rule : tableRules()) {
            auto found = sources.find(rule.name);
            if (found != sources.end()) {
                summary.rows += writer.writeTable(rule.name, found->second.columns, storedRows(found->second));
            } else if (rule.placeholderWhenAbsent) {
                writer.writeTable(rule.name, rule.placeholderColumns, {});
                summary.notes << QStringLiteral("tables/%1.csv is absent: %1 built empty").arg(rule.name);
            } else {
                throw SourceError(root.filePath(QStringLiteral("tables/%1.csv").arg(rule.name)), 0,
                                  QStringLiteral("missing source of table %1").arg(rule.name));
            }
            ++summary.tables;
        }
        summary.rows += writer.writeTable(QStringLiteral("Report"),
                                          {{QStringLiteral("Index"), ColumnType::Integer},
                                           {QStringLiteral("nr"), ColumnType::Blob},
                                           {QStringLiteral("lx"), ColumnType::Integer}},
                                          report);
        ++summary.tables;
        writer.commit();
    } catch (...) {
        QFile::remove(partial);
        throw;
    }
    replaceFile(partial, outputPath);
    return summary;
}

} // namespace mhbk::handbook
