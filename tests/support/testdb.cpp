#include "support/testdb.h"

#include <QDir>
#include <QFile>
#include <stdexcept>

namespace mhbk::test {

QString builtDatabasePath()
{
    return QStringLiteral(MHBK_SYSTEM_DAT);
}

TestDatabaseCopy::TestDatabaseCopy()
{
    folder_ = dir_.path();
    path_ = QDir(folder_).filePath(QStringLiteral("System.dat"));
    if (!QFile::copy(builtDatabasePath(), path_))
        throw std::runtime_error("cannot copy the built handbook database; build the System.dat target first");
    QFile::setPermissions(path_, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

} // namespace mhbk::test
