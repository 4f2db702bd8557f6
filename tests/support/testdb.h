#pragma once

#include <QString>
#include <QTemporaryDir>

namespace mhbk::test {

// A private, writable copy of the built handbook database in a temporary folder.
class TestDatabaseCopy {
public:
    TestDatabaseCopy();
    const QString &path() const { return path_; }
    const QString &folder() const { return folder_; }

private:
    QTemporaryDir dir_;
    QString folder_;
    QString path_;
};

// The built database in the build tree (read it, never write it).
QString builtDatabasePath();

} // namespace mhbk::test
