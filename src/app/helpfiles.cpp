#include "app/helpfiles.h"

#include "common/reporter.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace mhbk {

QString helpFilePath(const QString &executablePath)
{
    const QFileInfo info(executablePath);
    return QDir(info.absolutePath()).filePath(info.completeBaseName() + QStringLiteral(".html"));
}

QString historyFilePath(const QString &executablePath)
{
    return QDir(QFileInfo(executablePath).absolutePath()).filePath(QStringLiteral("WhatsNew.txt"));
}

void openBesideExecutable(const QString &path, const QString &missingPrefix, Reporter &reporter,
                          const UrlOpener &open)
{
    if (QFileInfo(path).isFile()) {
        open(QUrl::fromLocalFile(path));
        return;
    }
    reporter.showMessage(missingPrefix + QDir::toNativeSeparators(path), QStringLiteral("警告"), MessageIcon::Warning);
}

} // namespace mhbk
