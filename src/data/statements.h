#pragma once

#include <QString>

namespace mhbk::sql {

// The statements the pages run on the shared query dataset, in SQLite's dialect. Values are
// bound parameters: the checkered-plate key is user-visible text and must never be pasted
// into the statement.

// Workbook of a page: bind the page index. Index is an SQL keyword, hence the quotes.
inline const QString reportByIndex = QStringLiteral("SELECT nr, lx FROM Report WHERE \"Index\"=?");
// One basic thickness of the checkered plate: bind the trimmed key text.
inline const QString checkeredByThickness = QStringLiteral("SELECT * FROM steelboard_HW WHERE jbhd=?");
// The duct pages' scratch table.
inline const QString clearScratch = QStringLiteral("DELETE FROM tmp");
inline const QString selectScratch = QStringLiteral("SELECT * FROM tmp");
inline const QString appendScratch = QStringLiteral("INSERT INTO tmp (bchd, deh, gwb) VALUES (?, ?, ?)");
inline const QString scratchTotals = QStringLiteral("SELECT bchd, deh, sum(gwb) FROM tmp GROUP BY bchd, deh");

} // namespace mhbk::sql
