#include "data/usercopy.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
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

// The stamp holds the SHA-256 (hex) of the shipped file the copy was made from on its first
// line. Stamps of earlier versions have a second line (the file's size and time); it is not
// read: a rebuilt package can bring other data under the same size and time (reproducible
// builds give every file one time, and an SQLite file keeps its size when a row changes).
QByteArray readStamp(const QString &userCopy)
{
    QFile file(stampPath(userCopy));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readLine().trimmed();
}

void writeStamp(const QString &userCopy, const QByteArray &hash)
{
    QSaveFile file(stampPath(userCopy));
    if (file.open(QIODevice::WriteOnly))
        file.write(hash + '\n');
    file.commit();
}

// Whether the shipped file is still the one the copy was made from, decided by its content
// alone. The handbook is a few megabytes: hashing it at each start costs milliseconds.
bool matchesStamp(const QString &shipped, const QString &userCopy)
{
    const QByteArray current = fingerprint(shipped);
    if (current.isEmpty())
        return true; // unreadable now: keep the copy as it is
    return current == readStamp(userCopy);
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

bool takeOverSecondCopy(const QString &secondCopy, const QString &userCopy)
{
    if (!QFileInfo(secondCopy).isFile() || QFileInfo(secondCopy).absoluteFilePath() == QFileInfo(userCopy).absoluteFilePath())
        return false;
    bool moved = false;
    if (!QFileInfo::exists(userCopy)) {
        if (!QDir().mkpath(QFileInfo(userCopy).absolutePath()))
            return false; // the old copy stays where it is until its rows can be moved in
        // Copied under a temporary name first, so that an interrupted copy is never taken for
        // the database; the stamp follows, so the refresh knows what the copy was made from.
        const QString partial = userCopy + QStringLiteral(".part");
        QFile::remove(partial);
        moved = QFile::copy(secondCopy, partial) && QFile::rename(partial, userCopy);
        QFile::remove(partial);
        if (!moved)
            return false; // tried again at the next start
        QFile::setPermissions(userCopy, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        QFile::remove(stampPath(userCopy));
        QFile::copy(stampPath(secondCopy), stampPath(userCopy));
    }
    const QString retired = secondCopy + QStringLiteral(".taken-over");
    QFile::remove(retired);
    QFile::rename(secondCopy, retired);
    QFile::remove(stampPath(secondCopy));
    return moved;
}

void stampUserCopy(const QString &shipped, const QString &userCopy) { writeStamp(userCopy, fingerprint(shipped)); }

bool refreshUserCopy(const QString &shipped, const QString &userCopy)
{
    if (!QFileInfo(shipped).isFile() || !QFileInfo(userCopy).isFile())
        return false;
    if (matchesStamp(shipped, userCopy))
        return false;

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
