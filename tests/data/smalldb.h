#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <vector>

namespace mhbk::test {

// A throw-away SQLite database with hand-made tables, for the loader's edge cases.
class SmallDatabase {
public:
    SmallDatabase();
    const QString &path() const { return path_; }

    // A table of an id column and `fields` TEXT columns holding the caption record
    // ("C1".."Cn") and then `dataRecords` records whose texts are "r<i>f<j>".
    void addBlockTable(const QString &name, int fields, int dataRecords);
    // Runs one statement; throws on failure.
    void exec(const QString &sql);

private:
    QTemporaryDir dir_;
    QString path_;
};

} // namespace mhbk::test
