#pragma once

#include "support/scratchdb.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace mhbk::test {

// A small handbook database of made-up rows, for tests that must not depend on the shipped
// tables: every table has an integer column first (never shown) and text fields after it.
class SmallHandbook {
public:
    const QString &path() const { return db_.path(); }

    // Creates (or replaces) a table whose first record holds the captions.
    void addCaptionTable(const QString &name, const QStringList &captions, const std::vector<QStringList> &rows);
    // A caption table with `sizes` numbered data records ("1", "2", ...) in every field.
    void addNumberedTable(const QString &name, int fields, int sizes);
    // The checkered-plate table with the given basic thicknesses (rows of jbhd and four values).
    void addCheckeredTable(const std::vector<QStringList> &rows);
    // The density table (`constdensity`): rows of material name and density text.
    void addDensityTable(const std::vector<QStringList> &rows);
    void dropTable(const QString &name);

private:
    ScratchDatabase db_;
};

} // namespace mhbk::test
