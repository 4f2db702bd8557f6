#include "data/usercopy.h"

#include <QCryptographicHash>
#include <QDateTime>
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

// What the stamp knows of the shipped file the copy was made from: its SHA-256 (hex) on the
// first line and, on the second, "SIZE MTIME" (bytes, milliseconds since the epoch) as they
// were when the hash was last found equal. Stamps written before the second line existed have
// no size and time: the hash is then always checked.
struct Stamp {
    QByteArray hash;
    qint64 size = -1;
    qint64 modified = -1;
};

struct FileLook {
    qint64 size = -1;
    qint64 modified = -1; // -1: the file system gives no time, so the look proves nothing
};

FileLook lookOf(const QString &path)
{
    const QFileInfo info(path);
    const QDateTime modified = info.lastModified();
    return {info.size(), modified.isValid() ? modified.toMSecsSinceEpoch() : -1};
}

Stamp readStamp(const QString &userCopy)
{
    QFile file(stampPath(userCopy));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QList<QByteArray> lines = file.readAll().split('\n');
    Stamp stamp{lines.value(0).trimmed()};
    const QList<QByteArray> look = lines.value(1).trimmed().split(' ');
    bool sizeOk = false, timeOk = false;
    if (look.size() == 2) {
        stamp.size = look[0].toLongLong(&sizeOk);
        stamp.modified = look[1].toLongLong(&timeOk);
    }
    if (!sizeOk || !timeOk)
        stamp.size = stamp.modified = -1;
    return stamp;
}

void writeStamp(const QString &userCopy, const QByteArray &hash, const FileLook &look)
{
    QSaveFile file(stampPath(userCopy));
    if (file.open(QIODevice::WriteOnly))
        file.write(hash + '\n' + QByteArray::number(look.size) + ' ' + QByteArray::number(look.modified) + '\n');
    file.commit();
}

// Whether the shipped file is still the one the copy was made from. The hash is read only when
// the size or the time differ from the last check, so an unchanged installation costs one stat.
bool matchesStamp(const QString &shipped, const QString &userCopy)
{
    const Stamp stamp = readStamp(userCopy);
    const FileLook look = lookOf(shipped); // before hashing: a change while hashing is seen next time
    if (!stamp.hash.isEmpty() && look.modified >= 0 && stamp.size == look.size && stamp.modified == look.modified)
        return true;
    const QByteArray current = fingerprint(shipped);
    if (current.isEmpty())
        return true; // unreadable now: keep the copy as it is
    if (current != stamp.hash)
        return false;
    writeStamp(userCopy, current, look); // touched but the same: the next start need not hash it
    return true;
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
    const FileLook look = lookOf(shipped);
    writeStamp(userCopy, fingerprint(shipped), look);
}

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
