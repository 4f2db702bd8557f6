#include "app/helpfiles.h"

#include "common/reporter.h"
#include "data/shippedfiles.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace mhbk {

QString helpFilePath(const QString &executablePath)
{
    const QFileInfo info(executablePath);
    return findShippedFile(info.absolutePath(), info.completeBaseName() + QStringLiteral(".html"));
}

QString historyFilePath(const QString &executablePath)
{
    return findShippedFile(QFileInfo(executablePath).absolutePath(), QStringLiteral("WhatsNew.txt"));
}

void openShippedFile(const QString &path, const QString &missingPrefix, Reporter &reporter,
                          const UrlOpener &open)
{
    if (QFileInfo(path).isFile()) {
        open(QUrl::fromLocalFile(path));
        return;
    }
    reporter.showMessage(missingPrefix + QDir::toNativeSeparators(path), QStringLiteral("警告"), MessageIcon::Warning);
}

} // namespace mhbk
