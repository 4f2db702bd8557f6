#pragma once

#include <QSqlDatabase>
#include <QString>
#include <functional>

namespace mhbk {

// The handbook database file "System.dat" and the one SQLite connection to it.
// The file is never created: a missing or unreadable file is an error naming its path.
class HandbookDatabase {
public:
    explicit HandbookDatabase(QString filePath);
    ~HandbookDatabase();
    HandbookDatabase(const HandbookDatabase &) = delete;
    HandbookDatabase &operator=(const HandbookDatabase &) = delete;

    const QString &filePath() const { return filePath_; }

    // Opens the connection on first use; throws AppError naming the full path on failure.
    QSqlDatabase &connection();
    bool isOpen() const;
    void close();

    // Every later connection opens read-only: how tests stand in for a file that cannot be
    // written when they run as root, whom file permissions do not stop.
    void setReadOnly(bool readOnly) { readOnly_ = readOnly; }

private:
    QString filePath_;
    QString connectionName_;
    QSqlDatabase db_;
    bool readOnly_ = false;
};

// Whether the program may write at a path (a folder or a file).
using WritableCheck = std::function<bool(const QString &path)>;

// The real check: a folder is writable when a file can be created in it (so it also holds for
// a read-only mount, where permission bits alone would mislead a privileged user); a file when
// it can be opened for writing.
bool canWrite(const QString &path);

// Where the program finds its database: the shipped "System.dat" (beside the executable, else
// in the installed data folder; see shippedfiles.h) when it is beside the executable and that
// folder and the file are writable; otherwise a per-user copy in userDataDir, made from the
// shipped file on first use, so that saving the editable tables never fails for lack of
// rights. Once that copy exists it is always used, since it holds the user's saves. When there is no shipped file (and no copy), the path beside the executable is
// returned so that opening it fails with a message naming it; nothing is ever created empty.
QString locateDatabase(const QString &executableDir, const QString &userDataDir);
QString locateDatabase(const QString &executableDir, const QString &userDataDir, const WritableCheck &writable);

// The per-user folder that mhbk and mhbk-cli share, whatever the running program is called
// (on Linux ~/.local/share/Zorvan/mhbk, where the program keeps its other files too).
QString sharedUserDataFolder();
// Where mhbk-cli kept a per-user copy of its own before (on Linux ~/.local/share/mhbk-cli).
QString formerCliDataFolder();

// The database both programs use: locateDatabase() in the shared folder, once a copy left in
// `formerDataDir` has been taken over (takeOverSecondCopy()). A density saved in the program is
// the one `mhbk-cli weight --material` weighs with.
QString locateSharedDatabase(const QString &executableDir);
QString locateSharedDatabase(const QString &executableDir, const QString &userDataDir, const QString &formerDataDir,
                             const WritableCheck &writable);

} // namespace mhbk
