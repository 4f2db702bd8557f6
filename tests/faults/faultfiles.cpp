#include "faultfiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <stdexcept>
#include <unistd.h>

namespace mhbk::test {

namespace {

int run(const QString &program, const QStringList &arguments, QString *output = nullptr)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    if (!process.waitForFinished(10000)) {
        process.kill();
        process.waitForFinished();
        return -1;
    }
    if (output)
        *output = QString::fromLocal8Bit(process.readAll()).trimmed();
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

} // namespace

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write " + path.toStdString());
}

void truncateFile(const QString &path, qint64 size)
{
    if (!QFile::resize(path, size))
        throw std::runtime_error("cannot truncate " + path.toStdString());
}

void scribble(const QString &path, qint64 offset, qint64 length, quint32 seed)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite) || !file.seek(offset))
        throw std::runtime_error("cannot open " + path.toStdString());
    QRandomGenerator random(seed);
    QByteArray garbage(length, '\0');
    for (char &c : garbage)
        c = static_cast<char>(random.bounded(256));
    file.write(garbage);
}

QStringList folderEntries(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

Unwritable::Unwritable(QString path) : path_(std::move(path))
{
    if (geteuid() != 0) {
        // Without privileges the permission bits are honoured.
        const bool folder = QFileInfo(path_).isDir();
        active_ = QFile::setPermissions(path_, folder ? (QFileDevice::ReadOwner | QFileDevice::ExeOwner)
                                                      : QFileDevice::ReadOwner);
        if (!active_)
            why_ = QStringLiteral("cannot change the permissions of ") + path_;
        return;
    }
    // Root writes through permission bits; only the immutable attribute stops it.
    QString output;
    if (run(QStringLiteral("chattr"), {QStringLiteral("+i"), path_}, &output) == 0) {
        active_ = immutable_ = true;
        return;
    }
    why_ = QStringLiteral("running as root and chattr +i is refused here: ") + output;
}

Unwritable::~Unwritable() { lift(); }

void Unwritable::lift()
{
    if (!active_)
        return;
    if (immutable_)
        run(QStringLiteral("chattr"), {QStringLiteral("-i"), path_});
    else
        QFile::setPermissions(path_, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    active_ = false;
}

TinyDisk::TinyDisk(qint64 bytes)
{
    QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/mhbk-tinydisk-XXXXXX"));
    dir.setAutoRemove(false);
    folder_ = dir.path();
    QString output;
    const int rc = run(QStringLiteral("mount"),
                       {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                        QStringLiteral("size=%1").arg(bytes), QStringLiteral("tmpfs"), folder_},
                       &output);
    mounted_ = rc == 0;
    if (!mounted_)
        why_ = QStringLiteral("cannot mount a small tmpfs here: ") + output;
}

TinyDisk::~TinyDisk()
{
    if (mounted_)
        run(QStringLiteral("umount"), {folder_});
    QDir(folder_).removeRecursively();
}

QString TinyDisk::fill()
{
    const QString path = QDir(folder_).filePath(QStringLiteral("filler"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return path;
    const QByteArray block(4096, 'x');
    while (file.write(block) == block.size() && file.flush()) {
    }
    // The last partial block may still fit byte by byte.
    while (file.write("x", 1) == 1 && file.flush()) {
    }
    return path;
}

LockHolder::LockHolder(const QString &databasePath)
{
    process_.start(faultChild(), {QStringLiteral("lock"), databasePath});
    if (!process_.waitForStarted(10000))
        return;
    while (process_.waitForReadyRead(10000)) {
        diagnostics_ += QString::fromLocal8Bit(process_.readAllStandardOutput());
        if (diagnostics_.contains(QLatin1String("locked"))) {
            holding_ = true;
            return;
        }
    }
    diagnostics_ += QString::fromLocal8Bit(process_.readAllStandardError());
}

LockHolder::~LockHolder() { release(); }

void LockHolder::release()
{
    if (process_.state() == QProcess::NotRunning)
        return;
    process_.closeWriteChannel();
    if (!process_.waitForFinished(10000)) {
        process_.kill();
        process_.waitForFinished();
    }
    holding_ = false;
}

QString faultChild() { return QStringLiteral(MHBK_FAULT_CHILD); }

} // namespace mhbk::test
