#pragma once

#include <QString>

namespace mhbk {

// The handbook tables of the section pages whose first record holds the grid's captions, and how
// many fields after position 0 each shows. Nothing when the table is not one of them.
int sectionTableShownFields(const QString &tableName);

// What a section table's sizes and weights follow: the standard with its edition, and, for a
// table whose rows could not be checked against that standard's own text, that its figures are
// reference values to check. Shown on the table's own page; empty for a table not listed.
QString sectionTableNote(const QString &tableName);
// The note of the flat-bar page, whose grid is computed and follows no size table.
QString flatBarGridNote();

} // namespace mhbk
