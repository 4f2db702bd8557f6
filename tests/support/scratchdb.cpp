#include "support/scratchdb.h"

#include <QDir>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QUuid>
#include <stdexcept>

namespace mhbk::test {

namespace {

QString quoted(const QString &name)
{
    return QLatin1Char('"') + QString(name).replace(QLatin1Char('"'), QLatin1String("\"\"")) + QLatin1Char('"');
}

} // namespace

SqlFile::SqlFile(const QString &path) : name_(QUuid::createUuid().toString())
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name_);
    db.setDatabaseName(path);
    if (!db.open())
        throw std::runtime_error(db.lastError().text().toStdString());
}

SqlFile::~SqlFile()
{
    QSqlDatabase::database(name_, false).close();
    QSqlDatabase::removeDatabase(name_);
}

QSqlDatabase SqlFile::db() const
{
    return QSqlDatabase::database(name_, false);
}

void SqlFile::exec(const QString &sql, const QVariantList &values) const
{
    QSqlQuery query(db());
    query.prepare(sql);
    for (const QVariant &value : values)
        query.addBindValue(value);
    if (!query.exec())
        throw std::runtime_error((sql + QStringLiteral(": ") + query.lastError().text()).toStdString());
}

std::vector<QStringList> SqlFile::rows(const QString &table) const
{
    QSqlQuery query(db());
    if (!query.exec(QStringLiteral("SELECT * FROM %1 ORDER BY rowid").arg(quoted(table))))
        throw std::runtime_error(query.lastError().text().toStdString());
    std::vector<QStringList> rows;
    while (query.next()) {
        QStringList row;
        for (int i = 0; i < query.record().count(); ++i)
            row << query.value(i).toString();
        rows.push_back(row);
    }
    return rows;
}

ScratchDatabase::ScratchDatabase()
    : path_(QDir(dir_.path()).filePath(QStringLiteral("System.dat"))), file_(path_)
{
    // Throw-away data: no need to wait for the disk on every statement.
    exec(QStringLiteral("PRAGMA synchronous = OFF"));
}

void ScratchDatabase::addTable(const QString &name, const QString &idColumn, const QStringList &fields,
                               const std::vector<QStringList> &records) const
{
    QStringList columns{quoted(idColumn) + QStringLiteral(" INTEGER")};
    for (const QString &field : fields)
        columns << quoted(field) + QStringLiteral(" TEXT");
    exec(QStringLiteral("CREATE TABLE %1 (%2)").arg(quoted(name), columns.join(QLatin1String(", "))));
    const QString insert = QStringLiteral("INSERT INTO %1 VALUES (?%2)")
                               .arg(quoted(name), QStringLiteral(", ?").repeated(fields.size()));
    file_.db().transaction();
    int id = 0;
    for (const QStringList &record : records) {
        QVariantList values{id++};
        for (const QString &text : record)
            values << text;
        exec(insert, values);
    }
    file_.db().commit();
}

} // namespace mhbk::test
