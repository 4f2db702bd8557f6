#pragma once

#include <QString>
#include <functional>

class QUrl;

namespace mhbk {

class Reporter;

// The help document: the executable's path with ".html" for its extension.
QString helpFilePath(const QString &executablePath);
// The update history "WhatsNew.txt" beside the executable.
QString historyFilePath(const QString &executablePath);

using UrlOpener = std::function<void(const QUrl &)>;

// Opens a file beside the executable with the desktop's program for its type, or shows
// `missingPrefix` followed by the full path under "警告" when the file is not there.
void openBesideExecutable(const QString &path, const QString &missingPrefix, Reporter &reporter,
                          const UrlOpener &open);

} // namespace mhbk
