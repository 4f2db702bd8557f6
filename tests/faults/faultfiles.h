#pragma once

// Ways to make a file or a folder misbehave for real, as the operating system would: damaged
// bytes, a file that cannot be changed, a full disk, a lock held by another process.

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>

namespace mhbk::test {

QByteArray fileBytes(const QString &path);
void writeBytes(const QString &path, const QByteArray &bytes);
// Keeps the first `size` bytes.
void truncateFile(const QString &path, qint64 size);
// Overwrites `length` bytes from `offset` with bytes of a fixed pseudo-random sequence.
void scribble(const QString &path, qint64 offset, qint64 length, quint32 seed);
// Names in a folder, hidden ones included.
QStringList folderEntries(const QString &folder);

// Makes a file or a folder unchangeable for everybody, root included, for the guard's life:
// the immutable attribute when the file system and our rights allow it, plain permissions
// when we are not root. `why()` says why neither worked.
class Unwritable {
public:
    explicit Unwritable(QString path);
    ~Unwritable();
    Unwritable(const Unwritable &) = delete;
    Unwritable &operator=(const Unwritable &) = delete;

    bool active() const { return active_; }
    const QString &why() const { return why_; }
    void lift();

private:
    QString path_;
    bool active_ = false;
    bool immutable_ = false;
    QString why_;
};

// A tmpfs of a few kilobytes mounted over a fresh folder, so that writes really run out of
// room. Needs the right to mount; `mounted()` is false (and `why()` says so) without it.
class TinyDisk {
public:
    explicit TinyDisk(qint64 bytes);
    ~TinyDisk();
    TinyDisk(const TinyDisk &) = delete;
    TinyDisk &operator=(const TinyDisk &) = delete;

    bool mounted() const { return mounted_; }
    const QString &why() const { return why_; }
    const QString &folder() const { return folder_; }
    // Fills what is left of the disk with one file and returns its path.
    QString fill();

private:
    QString folder_;
    bool mounted_ = false;
    QString why_;
};

// Another process holding an exclusive transaction on a database, until release().
class LockHolder {
public:
    explicit LockHolder(const QString &databasePath);
    ~LockHolder();
    bool holding() const { return holding_; }
    QString diagnostics() const { return diagnostics_; }
    void release();

private:
    QProcess process_;
    bool holding_ = false;
    QString diagnostics_;
};

// The helper executable of these tests.
QString faultChild();

} // namespace mhbk::test
