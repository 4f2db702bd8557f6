#pragma once

#include <QLockFile>
#include <QString>
#include <memory>

namespace mhbk {

// The lock's file name: the executable's full path with every "/" replaced by "-".
QString instanceLockName(const QString &executablePath);

// One running instance per executable path. A lock left behind by a crashed instance is stale
// (its process is gone) and is taken over.
class SingleInstance {
public:
    SingleInstance(const QString &executablePath, const QString &lockFolder);
    // True when this process now holds the lock; false when another instance is running.
    bool acquire();

private:
    QString path_;
    std::unique_ptr<QLockFile> lock_;
};

} // namespace mhbk
