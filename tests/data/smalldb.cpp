#include "smalldb.h"

#include <QDir>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <stdexcept>

namespace mhbk::test {

namespace {

class Connection {
public:
    explicit Connection(const QString &path)
    {
        db_ = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("mhbk-small-db"));
        db_.setDatabaseName(path);
        if (!db_.open())
            throw std::runtime_error(db_.lastError().text().toStdString());
    }
    ~Connection()
    {
        db_.close();
        db_ = QSqlDatabase();
        QSqlDatabase::removeDatabase(QStringLiteral("mhbk-small-db"));
    }
    void exec(const QString &sql, const QStringList &values = {})
    {
        QSqlQuery q(db_);
        q.prepare(sql);
        for (int i = 0; i < values.size(); ++i)
            q.bindValue(i, values[i]);
        if (!q.exec())
            throw std::runtime_error((sql + QStringLiteral(": ") + q.lastError().text()).toStdString());
    }

private:
    QSqlDatabase db_;
};

} // namespace

SmallDatabase::SmallDatabase() : path_(QDir(dir_.path()).filePath(QStringLiteral("System.dat")))
{
    exec(QStringLiteral("PRAGMA user_version=1"));
}

void SmallDatabase::exec(const QString &sql)
{
    Connection(path_).exec(sql);
}

void SmallDatabase::addBlockTable(const QString &name, int fields, int dataRecords)
{
    Connection c(path_);
    QStringList columns{QStringLiteral("id INTEGER")};
    QStringList marks{QStringLiteral("?")};
    for (int f = 1; f <= fields; ++f) {
        columns << QStringLiteral("f%1 TEXT").arg(f);
        marks << QStringLiteral("?");
    }
    c.exec(QStringLiteral("CREATE TABLE %1 (%2)").arg(name, columns.join(QLatin1Char(','))));
    const QString insert = QStringLiteral("INSERT INTO %1 VALUES (%2)").arg(name, marks.join(QLatin1Char(',')));
    QStringList caption{QStringLiteral("0")};
    for (int f = 1; f <= fields; ++f)
        caption << QStringLiteral("C%1").arg(f);
    c.exec(insert, caption);
    for (int i = 1; i <= dataRecords; ++i) {
        QStringList values{QString::number(i)};
        for (int f = 1; f <= fields; ++f)
            values << QStringLiteral("r%1f%2").arg(i).arg(f);
        c.exec(insert, values);
    }
}

} // namespace mhbk::test
