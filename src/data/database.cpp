#include "data/database.h"

#include "common/errors.h"
#include "data/dberror.h"
#include "data/shippedfiles.h"
#include "data/usercopy.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <atomic>

namespace mhbk {

namespace {

QString uniqueConnectionName()
{
    static std::atomic<int> counter{0};
    return QStringLiteral("mhbk-handbook-%1").arg(++counter);
}

// SQLite takes an empty or foreign file for a database of its own; only a real one will do.
bool looksLikeSqlite(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    return file.read(16) == QByteArray("SQLite format 3", 16);
}

} // namespace

HandbookDatabase::HandbookDatabase(QString filePath)
    : filePath_(std::move(filePath)), connectionName_(uniqueConnectionName())
{
}

HandbookDatabase::~HandbookDatabase()
{
    close();
}

bool HandbookDatabase::isOpen() const
{
    return db_.isValid() && db_.isOpen();
}

void HandbookDatabase::close()
{
    if (!db_.isValid())
        return;
    db_.close();
    db_ = QSqlDatabase();
    QSqlDatabase::removeDatabase(connectionName_);
}

QSqlDatabase &HandbookDatabase::connection()
{
    if (isOpen())
        return db_;
    const QString shownPath = quotedPath(filePath_);
    // SQLite would quietly create an empty file; the handbook must never be replaced by one.
    if (!QFileInfo(filePath_).isFile())
        throw AppError(QStringLiteral("找不到数据库文件%1。").arg(shownPath));
    if (!looksLikeSqlite(filePath_))
        throw AppError(QStringLiteral("无法读取数据库文件%1：不是有效的数据库文件。").arg(shownPath));

    db_ = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName_);
    db_.setDatabaseName(filePath_);
    db_.setConnectOptions(readOnly_ ? QStringLiteral("QSQLITE_BUSY_TIMEOUT=3000;QSQLITE_OPEN_READONLY")
                                    : QStringLiteral("QSQLITE_BUSY_TIMEOUT=3000"));
    if (!db_.open()) {
        const QString reason = databaseErrorReason(db_.lastError());
        close();
        throw AppError(QStringLiteral("无法打开数据库文件%1：%2。").arg(shownPath, reason));
    }
    QSqlQuery probe(db_);
    if (!probe.exec(QStringLiteral("SELECT count(*) FROM sqlite_master"))) {
        const QString reason = databaseErrorReason(probe.lastError());
        probe = QSqlQuery();
        close();
        // Not "cannot read": most often the file is fine and only locked by another program.
        throw AppError(QStringLiteral("无法访问数据库文件%1：%2。").arg(shownPath, reason));
    }
    return db_;
}

bool canWrite(const QString &path)
{
    const QFileInfo info(path);
    if (info.isDir()) {
        QTemporaryFile probe(QDir(path).filePath(QStringLiteral(".mhbk-write-probe-XXXXXX")));
        return probe.open();
    }
    if (!info.isFile())
        return false;
    QFile file(path);
    return file.open(QIODevice::ReadWrite);
}

QString locateDatabase(const QString &executableDir, const QString &userDataDir)
{
    return locateDatabase(executableDir, userDataDir, canWrite);
}

QString locateDatabase(const QString &executableDir, const QString &userDataDir, const WritableCheck &writable)
{
    // Once the user has a copy of their own it holds their saves: it stays in use even when the
    // shipped file becomes writable again, or the rows they saved would seem to vanish.
    const QString userCopy =
        userDataDir.isEmpty() ? QString() : QDir(userDataDir).filePath(QStringLiteral("System.dat"));
    const QString shipped = findShippedFile(executableDir, QStringLiteral("System.dat"));
    if (!userCopy.isEmpty() && QFileInfo(userCopy).isFile()) {
        // An updated program brings newer handbook data; the user's own tables come along.
        refreshUserCopy(shipped, userCopy);
        return userCopy;
    }

    const QFileInfo shippedInfo(shipped);
    if (!shippedInfo.isFile())
        return shipped;
    // The installed data folder is the package manager's: even a user who may write there
    // (root) edits a copy of its own, and an update of the package never meets local edits.
    if (!isInstalledDataFile(executableDir, shipped) && writable(shippedInfo.absolutePath()) && writable(shipped))
        return shipped;

    if (userDataDir.isEmpty() || !QDir().mkpath(userDataDir))
        return shipped;
    // Copy under a temporary name first, so that an interrupted copy is never taken for the database.
    const QString partial = userCopy + QStringLiteral(".part");
    QFile::remove(partial);
    if (!QFile::copy(shipped, partial))
        return shipped;
    QFile::setPermissions(partial, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    if (!QFile::rename(partial, userCopy)) {
        QFile::remove(partial);
        return shipped;
    }
    stampUserCopy(shipped, userCopy);
    return userCopy;
}

QString sharedUserDataFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/Zorvan/mhbk");
}

QString formerCliDataFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/mhbk-cli");
}

QString locateSharedDatabase(const QString &executableDir)
{
    return locateSharedDatabase(executableDir, sharedUserDataFolder(), formerCliDataFolder(), canWrite);
}

QString locateSharedDatabase(const QString &executableDir, const QString &userDataDir, const QString &formerDataDir,
                             const WritableCheck &writable)
{
    const QString name = QStringLiteral("System.dat");
    if (!formerDataDir.isEmpty() && !userDataDir.isEmpty())
        takeOverSecondCopy(QDir(formerDataDir).filePath(name), QDir(userDataDir).filePath(name));
    return locateDatabase(executableDir, userDataDir, writable);
}

} // namespace mhbk
