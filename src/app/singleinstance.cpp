#include "app/singleinstance.h"

#include <QDir>
#include <QFileInfo>

namespace mhbk {

QString instanceLockName(const QString &executablePath)
{
    QString name = executablePath;
    name.replace(QLatin1Char('/'), QLatin1Char('-'));
    return name;
}

SingleInstance::SingleInstance(const QString &executablePath, const QString &lockFolder)
    : path_(QDir(lockFolder).filePath(instanceLockName(executablePath)))
{
}

bool SingleInstance::acquire()
{
    QDir().mkpath(QFileInfo(path_).absolutePath());
    lock_ = std::make_unique<QLockFile>(path_);
    // Never stale by age: only a lock whose owner process is gone is taken over.
    lock_->setStaleLockTime(0);
    if (lock_->tryLock(0))
        return true;
    if (lock_->error() == QLockFile::LockFailedError && lock_->removeStaleLockFile())
        return lock_->tryLock(0);
    return false;
}

} // namespace mhbk
