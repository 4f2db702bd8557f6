#include "refdb.h"

#include "support/scratchdb.h"

namespace mhbk::test {

void createReferenceDatabase(const QString &path, int units, int densities, int formulas)
{
    const SqlFile c(path);
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
    return SqlFile(path).rows(table);
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
