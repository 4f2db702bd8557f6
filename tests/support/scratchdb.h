#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QVariantList>
#include <vector>

namespace mhbk::test {

// A connection of its own to an SQLite file, closed and gone again with the object. A statement
// that fails throws std::runtime_error: a test database that cannot be built is a broken test.
class SqlFile {
public:
    explicit SqlFile(const QString &path);
    ~SqlFile();
    SqlFile(const SqlFile &) = delete;
    SqlFile &operator=(const SqlFile &) = delete;

    QSqlDatabase db() const;
    void exec(const QString &sql, const QVariantList &values = {}) const;
    // Every record of a table in stored order, all fields as text.
    std::vector<QStringList> rows(const QString &table) const;

private:
    QString name_;
};

// A throw-away handbook database: System.dat in a temporary folder of its own, open for the
// object's life, for tests that must not depend on the shipped tables.
class ScratchDatabase {
public:
    ScratchDatabase();

    const QString &path() const { return path_; }
    void exec(const QString &sql, const QVariantList &values = {}) const { file_.exec(sql, values); }
    std::vector<QStringList> rows(const QString &table) const { return file_.rows(table); }
    // A table of an INTEGER column `idColumn` and TEXT fields, filled with `records` (without
    // their id, which counts from 0) in one transaction.
    void addTable(const QString &name, const QString &idColumn, const QStringList &fields,
                  const std::vector<QStringList> &records) const;

private:
    QTemporaryDir dir_;
    QString path_;
    SqlFile file_;
};

} // namespace mhbk::test
