#include "data/usercopy.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QUuid>

namespace mhbk {

namespace {

QString stampPath(const QString &userCopy) { return userCopy + QStringLiteral(".shipped"); }

QByteArray fingerprint(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!hash.addData(&file))
        return {};
    return hash.result().toHex();
}

QStringList columns(QSqlDatabase &db, const QString &schema, const QString &table)
{
    QStringList names;
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("PRAGMA %1.table_info(\"%2\")").arg(schema, table)))
        return names;
    while (query.next())
        names << query.value(1).toString();
    return names;
}

// Copies the user's tables from `from` into `to` in one transaction; all or nothing.
bool carryUserTables(const QString &from, const QString &to)
{
    const QString name = QStringLiteral("mhbk-refresh-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
    bool done = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(to);
        if (db.open()) {
            QSqlQuery attach(db);
            attach.prepare(QStringLiteral("ATTACH DATABASE ? AS old"));
            attach.addBindValue(from);
            if (attach.exec() && db.transaction()) {
                done = true;
                for (const QString &table : kUserTables) {
                    const QStringList fields = columns(db, QStringLiteral("main"), table);
                    QSqlQuery copy(db);
                    done = done && !fields.isEmpty() && fields == columns(db, QStringLiteral("old"), table) &&
                           copy.exec(QStringLiteral("DELETE FROM main.\"%1\"").arg(table)) &&
                           copy.exec(QStringLiteral("INSERT INTO main.\"%1\" SELECT * FROM old.\"%1\"").arg(table));
                }
                done = done ? db.commit() : (db.rollback(), false);
            }
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(name);
    return done;
}

} // namespace

void stampUserCopy(const QString &shipped, const QString &userCopy)
{
    QFile stamp(stampPath(userCopy));
    if (stamp.open(QIODevice::WriteOnly | QIODevice::Truncate))
        stamp.write(fingerprint(shipped));
}

bool refreshUserCopy(const QString &shipped, const QString &userCopy)
{
    if (!QFileInfo(shipped).isFile() || !QFileInfo(userCopy).isFile())
        return false;
    const QByteArray current = fingerprint(shipped);
    QFile stamp(stampPath(userCopy));
    if (current.isEmpty() || (stamp.open(QIODevice::ReadOnly) && stamp.readAll().trimmed() == current))
        return false;
    stamp.close();

    const QString partial = userCopy + QStringLiteral(".part");
    QFile::remove(partial);
    if (!QFile::copy(shipped, partial))
        return false;
    QFile::setPermissions(partial, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    const QString previous = userCopy + QStringLiteral(".before-update");
    QFile::remove(previous);
    if (!carryUserTables(userCopy, partial) || !QFile::rename(userCopy, previous)) {
        QFile::remove(partial);
        return false;
    }
    if (!QFile::rename(partial, userCopy)) {
        QFile::rename(previous, userCopy);
        QFile::remove(partial);
        return false;
    }
    stampUserCopy(shipped, userCopy);
    return true;
}

} // namespace mhbk
