#include "workbooks/export/atomicfile.h"

#include "common/errors.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <filesystem>
#include <system_error>

namespace mhbk::xlsout {

QString writeFailureMessage(const QString &path, const QString &reason)
{
    return QStringLiteral("无法写入文件“%1”：%2").arg(QDir::toNativeSeparators(path), reason);
}

void writeFileAtomically(const QString &path, const QByteArray &bytes)
{
    // Through the same hidden temporary name as every other export, so that an export killed
    // half-way leaves no file the user could take for a finished one.
    produceFileAtomically(path, [&bytes](const QString &tempPath) -> QString {
        QFile file(tempPath);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return file.errorString();
        // Flushed and checked here: a full disk must fail now, not after the rename.
        if (file.write(bytes) != bytes.size() || !file.flush())
            return file.errorString();
        file.close();
        return file.error() == QFileDevice::NoError ? QString() : file.errorString();
    });
}

void produceFileAtomically(const QString &path, const std::function<QString(const QString &)> &produce)
{
    const QFileInfo target(path);
    if (target.isDir())
        throw AppError(writeFailureMessage(path, QStringLiteral("这是一个文件夹")));
    QTemporaryFile temp(target.absolutePath() + QStringLiteral("/.") + target.fileName() + QStringLiteral(".XXXXXX"));
    if (!temp.open())
        throw AppError(writeFailureMessage(path, temp.errorString()));
    const QString tempPath = temp.fileName();
    temp.close();
    // Temporary files start private; the exported file should be as readable as any other.
    temp.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
                        QFileDevice::ReadOther);

    const QString reason = produce(tempPath);
    if (!reason.isEmpty())
        throw AppError(writeFailureMessage(path, reason));

    // A rename within one folder replaces the old file in one step; QFile::rename would refuse
    // an existing target.
    std::error_code ec;
    std::filesystem::rename(std::filesystem::path(QFile::encodeName(tempPath).toStdString()),
                            std::filesystem::path(QFile::encodeName(target.absoluteFilePath()).toStdString()), ec);
    if (ec)
        throw AppError(writeFailureMessage(path, QString::fromLocal8Bit(ec.message())));
    temp.setAutoRemove(false);
}

} // namespace mhbk::xlsout
