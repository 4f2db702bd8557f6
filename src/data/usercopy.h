#pragma once

#include <QString>
#include <QStringList>

namespace mhbk {

// A per-user copy of the handbook database holds two kinds of tables: the ones the user edits
// and saves (the unit and density tables), and the shipped handbook data (sizes, workbooks).
// When the program is updated, the shipped data must reach the copy without the user's saves
// being lost, so the copy remembers which shipped file it was made from.

// The tables whose rows belong to the user once a copy exists.
inline const QStringList kUserTables{QStringLiteral("comunit"), QStringLiteral("constdensity")};

// Records that `userCopy` was made from `shipped` as it is now.
void stampUserCopy(const QString &shipped, const QString &userCopy);

// When `shipped` differs from the file the copy was made from (or the copy predates the stamp),
// replaces the copy by a fresh one of `shipped` carrying the user's tables over. Anything that
// cannot be carried over whole (a table missing, its columns changed, a write failing) leaves
// the old copy in use, untouched: the user's saves matter more than newer handbook data. The
// replaced copy is kept beside it as "System.dat.before-update". Returns whether it refreshed.
bool refreshUserCopy(const QString &shipped, const QString &userCopy);

// Takes over a second per-user copy, once: the one an earlier mhbk-cli kept in a folder of its
// own. When there is no copy at `userCopy` yet, the second copy becomes it (with its stamp), so
// the user rows it holds stay and the usual refresh brings its handbook data up to date. When
// there is one, that copy stays: it is the one the program saves the user's tables into, while
// mhbk-cli never wrote to its own. Either way the second copy is then renamed
// "System.dat.taken-over" beside itself and never read again. Returns whether it was moved in.
bool takeOverSecondCopy(const QString &secondCopy, const QString &userCopy);

} // namespace mhbk
