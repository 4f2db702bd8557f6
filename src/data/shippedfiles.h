#pragma once

#include <QString>
#include <QStringList>

namespace mhbk {

// The files shipped with the program (the handbook database, the help document, the update
// history) sit beside the executable in a development build or a folder of its own, and in the
// installed data folder (share/mhbk, found from bin/) once installed as a package.

// The folders looked in, in order: the executable's own, then the installed data folder.
QStringList shippedFileFolders(const QString &executableDir);

// The first of those folders that holds fileName, as a path to the file there. When none
// does, the path beside the executable, so that a message names where it was looked for.
QString findShippedFile(const QString &executableDir, const QString &fileName);

// Whether a path found by findShippedFile lies in the installed data folder, which belongs to
// the package manager and is never written to, whoever runs the program.
bool isInstalledDataFile(const QString &executableDir, const QString &path);

} // namespace mhbk
