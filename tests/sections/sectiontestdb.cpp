#include "sectiontestdb.h"

#include "data/datasets.h"

#include <QDir>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <stdexcept>

namespace mhbk::test {

SmallHandbook::SmallHandbook()
{
    static int counter = 0;
    path_ = QDir(dir_.path()).filePath(QStringLiteral("System.dat"));
    connection_ = QStringLiteral("small-handbook-%1").arg(++counter);
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection_);
    db.setDatabaseName(path_);
    if (!db.open())
        throw std::runtime_error("cannot create the test database");
    // Throw-away data: no need to wait for the disk on every statement.
    exec(QStringLiteral("PRAGMA synchronous = OFF"));
    exec(QStringLiteral("PRAGMA journal_mode = MEMORY"));
}

SmallHandbook::~SmallHandbook()
{
    QSqlDatabase::database(connection_, false).close();
    QSqlDatabase::removeDatabase(connection_);
}

void SmallHandbook::exec(const QString &sql, const QStringList &values)
{
    QSqlQuery query(QSqlDatabase::database(connection_));
    query.prepare(sql);
    for (const QString &v : values)
        query.addBindValue(v);
    if (!query.exec())
        throw std::runtime_error((sql + QStringLiteral(": ") + query.lastError().text()).toStdString());
}

void SmallHandbook::dropTable(const QString &name)
{
    exec(QStringLiteral("DROP TABLE IF EXISTS %1").arg(quotedName(name)));
}

void SmallHandbook::addCaptionTable(const QString &name, const QStringList &captions,
                                    const std::vector<QStringList> &rows)
{
    dropTable(name);
    QStringList columns{QStringLiteral("ID INTEGER")};
    QStringList names;
    for (int i = 0; i < captions.size(); ++i)
        names << QStringLiteral("N%1").arg(i + 1);
    if (name == QLatin1String("steelboard_HW"))
        names = {"jbhd", "WG_LX", "LLZL_LX", "WG_BDX", "LLZL_BDX"};
    for (const QString &n : names)
        columns << quotedName(n) + QStringLiteral(" TEXT");
    exec(QStringLiteral("CREATE TABLE %1 (%2)").arg(quotedName(name), columns.join(QLatin1String(", "))));
    const QString insert = QStringLiteral("INSERT INTO %1 VALUES (?%2)")
                               .arg(quotedName(name), QStringLiteral(", ?").repeated(captions.size()));
    int id = 0;
    exec(insert, QStringList{QString::number(id++)} + captions);
    for (const QStringList &row : rows)
        exec(insert, QStringList{QString::number(id++)} + row);
}

void SmallHandbook::addNumberedTable(const QString &name, int fields, int sizes)
{
    QStringList captions;
    for (int f = 0; f < fields; ++f)
        captions << QStringLiteral("C%1").arg(f + 1);
    std::vector<QStringList> rows;
    for (int i = 1; i <= sizes; ++i) {
        QStringList row;
        for (int f = 0; f < fields; ++f)
            row << QStringLiteral("%1.%2").arg(i).arg(f + 1);
        rows.push_back(row);
    }
    addCaptionTable(name, captions, rows);
}

void SmallHandbook::addCheckeredTable(const std::vector<QStringList> &rows)
{
    addCaptionTable(QStringLiteral("steelboard_HW"),
                    {QStringLiteral("基本厚度"), QStringLiteral("菱形纹高"), QStringLiteral("菱形理论重量"),
                     QStringLiteral("扁豆形纹高"), QStringLiteral("扁豆形理论重量")},
                    rows);
}

} // namespace mhbk::test
