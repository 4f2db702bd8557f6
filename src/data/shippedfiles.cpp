#include "data/shippedfiles.h"

#include <QDir>
#include <QFileInfo>

namespace mhbk {

namespace {

// Set by the build from the install folders: the data folder as seen from bin/.
constexpr const char *kDataFolderFromBin = MHBK_DATA_FOLDER_FROM_BIN;

QString installedDataFolder(const QString &executableDir)
{
    return QDir::cleanPath(QDir(executableDir).filePath(QString::fromUtf8(kDataFolderFromBin)));
}

} // namespace

QStringList shippedFileFolders(const QString &executableDir)
{
    return {QDir::cleanPath(executableDir), installedDataFolder(executableDir)};
}

QString findShippedFile(const QString &executableDir, const QString &fileName)
{
    const QStringList folders = shippedFileFolders(executableDir);
    for (const QString &folder : folders) {
        const QString path = QDir(folder).filePath(fileName);
        if (QFileInfo(path).isFile())
            return path;
    }
    return QDir(folders.front()).filePath(fileName);
}

bool isInstalledDataFile(const QString &executableDir, const QString &path)
{
    const QString dataFolder = installedDataFolder(executableDir);
    return dataFolder != QDir::cleanPath(executableDir) && QDir::cleanPath(QFileInfo(path).absolutePath()) == dataFolder;
}

} // namespace mhbk
