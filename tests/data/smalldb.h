#pragma once

#include "support/scratchdb.h"

#include <QString>

namespace mhbk::test {

// A throw-away SQLite database with hand-made tables, for the loader's edge cases.
class SmallDatabase {
public:
    const QString &path() const { return db_.path(); }

    // A table of an id column and `fields` TEXT columns holding the caption record
    // ("C1".."Cn") and then `dataRecords` records whose texts are "r<i>f<j>".
    void addBlockTable(const QString &name, int fields, int dataRecords);
    // Runs one statement; throws on failure.
    void exec(const QString &sql) { db_.exec(sql); }

private:
    ScratchDatabase db_;
};

} // namespace mhbk::test
