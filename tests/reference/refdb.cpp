#include "refdb.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QUuid>
#include <stdexcept>

namespace mhbk::test {

namespace {

// A connection that is gone again when the object is.
class Connection {
public:
    explicit Connection(const QString &path) : name_(QUuid::createUuid().toString())
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name_);
        db.setDatabaseName(path);
        if (!db.open())
            throw std::runtime_error(db.lastError().text().toStdString());
    }
    ~Connection() { QSqlDatabase::removeDatabase(name_); }
    QSqlDatabase db() const { return QSqlDatabase::database(name_); }

    void exec(const QString &sql, const QVariantList &values = {}) const
    {
        QSqlQuery query(db());
        query.prepare(sql);
        for (int i = 0; i < values.size(); ++i)
            query.bindValue(i, values[i]);
        if (!query.exec())
            throw std::runtime_error((sql + QStringLiteral(": ") + query.lastError().text()).toStdString());
    }

private:
    QString name_;
};

} // namespace

void createReferenceDatabase(const QString &path, int units, int densities, int formulas)
{
    Connection c(path);
    c.exec(QStringLiteral("CREATE TABLE comunit (Number INTEGER, Unit TEXT, Relation TEXT, Equals TEXT)"));
    c.exec(QStringLiteral("CREATE TABLE constdensity (Number INTEGER, Material TEXT, Density TEXT)"));
    c.exec(QStringLiteral("CREATE TABLE constformula (id INTEGER, Section TEXT, Formula TEXT, Symbols TEXT)"));
    c.db().transaction();
    for (int i = 0; i < units; ++i)
        c.exec(QStringLiteral("INSERT INTO comunit VALUES (?,?,?,?)"),
               {i, QStringLiteral("u%1").arg(i), QStringLiteral("="), QStringLiteral("v%1").arg(i)});
    for (int i = 0; i < densities; ++i)
        c.exec(QStringLiteral("INSERT INTO constdensity VALUES (?,?,?)"),
               {i, QStringLiteral("m%1").arg(i), QStringLiteral("d%1").arg(i)});
    for (int i = 0; i < formulas; ++i) {
        const bool heading = i == 0;
        c.exec(QStringLiteral("INSERT INTO constformula VALUES (?,?,?,?)"),
               {i, heading ? QStringLiteral("型材") : QStringLiteral("s%1").arg(i),
                heading ? QStringLiteral("公式") : QStringLiteral("f%1").arg(i),
                heading ? QStringLiteral("说明") : QStringLiteral("n%1").arg(i)});
    }
    c.db().commit();
}

std::vector<QStringList> readTable(const QString &path, const QString &table)
{
    Connection c(path);
    QSqlQuery query(c.db());
    if (!query.exec(QStringLiteral("SELECT * FROM \"%1\" ORDER BY rowid").arg(table)))
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

std::vector<QStringList> readItems(const QString &path, const QString &table, int cells)
{
    std::vector<QStringList> items;
    for (const QStringList &row : readTable(path, table))
        items.push_back(row.mid(1, cells));
    return items;
}

std::vector<QStringList> makeItems(const QString &prefix, int count, int cells)
{
    std::vector<QStringList> items;
    for (int i = 0; i < count; ++i) {
        QStringList item{prefix + QString::number(i)};
        if (cells == 3)
            item << QStringLiteral("=");
        item << prefix + QStringLiteral("v") + QString::number(i);
        items.push_back(item);
    }
    return items;
}

} // namespace mhbk::test
