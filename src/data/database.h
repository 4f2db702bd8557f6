#pragma once

#include <QSqlDatabase>
#include <QString>

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

private:
    QString filePath_;
    QString connectionName_;
    QSqlDatabase db_;
};

// Where the program finds its database: "System.dat" in the executable's folder when that
// folder is writable; otherwise a per-user copy in dataDir, made from the shipped file on
// first use, so that saving the editable tables never fails for lack of rights.
QString locateDatabase(const QString &executableDir, const QString &userDataDir);

} // namespace mhbk
