#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace mhbk::test {

// A small handbook database with only the three reference tables, shaped as the shipped ones:
// Number, then the shown texts. Unit item i reads "u<i>", "=", "v<i>"; density item i reads
// "m<i>", "d<i>"; formula record 0 holds headings, record i "s<i>", "f<i>", "n<i>".
void createReferenceDatabase(const QString &path, int units, int densities, int formulas);

// Every record of a table in stored order, all fields as text, read over a connection of its own.
std::vector<QStringList> readTable(const QString &path, const QString &table);

// The shown texts of the unit or density items of a table (fields 1 to cells), in stored order.
std::vector<QStringList> readItems(const QString &path, const QString &table, int cells);

// Items named prefix0, prefix1, ... with `cells` texts each (the second unit text is "=").
std::vector<QStringList> makeItems(const QString &prefix, int count, int cells);

} // namespace mhbk::test
