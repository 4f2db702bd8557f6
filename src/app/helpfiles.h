#pragma once

#include <QString>
#include <functional>

class QUrl;

namespace mhbk {

class Reporter;

// The help document: the executable's name with ".html" for its extension, beside the
// executable or in the installed data folder (see data/shippedfiles.h).
QString helpFilePath(const QString &executablePath);
// The update history "WhatsNew.txt", looked for in the same places.
QString historyFilePath(const QString &executablePath);

using UrlOpener = std::function<void(const QUrl &)>;

// Opens a shipped file with the desktop's program for its type, or shows
// `missingPrefix` followed by the full path under "警告" when the file is not there.
void openShippedFile(const QString &path, const QString &missingPrefix, Reporter &reporter,
                          const UrlOpener &open);

} // namespace mhbk
