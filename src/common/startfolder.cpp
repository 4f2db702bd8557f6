#include "common/startfolder.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace mhbk {

QString dialogStartFolder(const QString &lastUsed)
{
    // A folder that has gone would leave the dialog in the working folder with a path it
    // cannot write to, so only one that exists is taken.
    for (const QString &folder :
         {lastUsed, QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation), QDir::homePath()})
        if (!folder.isEmpty() && QFileInfo(folder).isDir())
            return folder;
    return QDir::homePath();
}

} // namespace mhbk
