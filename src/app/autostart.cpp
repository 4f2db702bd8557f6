#include "app/autostart.h"

#include "common/errors.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTextStream>

namespace mhbk {

namespace {

QString readExecLine(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    QTextStream in(&file);
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (line.startsWith(QLatin1String("Exec=")))
            return line.mid(5).trimmed();
    }
    return {};
}

// Desktop entry Exec values quote arguments that hold blanks or reserved characters.
QString quotedForExec(const QString &path)
{
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    bool needsQuotes = false;
    for (QChar c : path)
        needsQuotes = needsQuotes || reserved.contains(c);
    if (!needsQuotes)
        return path;
    QString escaped;
    for (QChar c : path) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') || c == QLatin1Char('\\'))
            escaped += QLatin1Char('\\');
        escaped += c;
    }
    return QLatin1Char('"') + escaped + QLatin1Char('"');
}

} // namespace

Autostart::Autostart(QString autostartFolder, QString executablePath)
    : folder_(std::move(autostartFolder)), executablePath_(std::move(executablePath))
{
}

QString Autostart::defaultFolder()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::ConfigLocation)).filePath(QStringLiteral("autostart"));
}

QString Autostart::entryPath() const
{
    return QDir(folder_).filePath(QStringLiteral("mhbk.desktop"));
}

QString Autostart::execLine() const
{
    return quotedForExec(executablePath_) + QStringLiteral(" -hide");
}

bool Autostart::isEnabled() const
{
    return !readExecLine(entryPath()).isEmpty();
}

void Autostart::setEnabled(bool enabled) const
{
    if (!enabled) {
        if (QFile::exists(entryPath()) && !QFile::remove(entryPath()))
            throw AppError(QStringLiteral("无法删除开机自动启动项：%1").arg(entryPath()));
        return;
    }
    if (!QDir().mkpath(folder_))
        throw AppError(QStringLiteral("无法创建文件夹：%1").arg(folder_));
    const QByteArray entry = QStringLiteral("[Desktop Entry]\n"
                                            "Type=Application\n"
                                            "Name=Zorvan五金手册\n"
                                            "Name[zh_CN]=Zorvan五金手册\n"
                                            "Comment=Start the handbook hidden in the notification area\n"
                                            "Comment[zh_CN]=开机时在通知区域启动五金手册\n"
                                            "Exec=%1\n"
                                            "Icon=mhbk\n"
                                            "Terminal=false\n"
                                            "X-GNOME-Autostart-enabled=true\n")
                                 .arg(execLine())
                                 .toUtf8();
    // Unbuffered, so that a full disk shows up in the write itself and not only at the rename.
    QSaveFile file(entryPath());
    const bool written = file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)
                         && file.write(entry) == entry.size() && file.commit();
    if (!written)
        throw AppError(QStringLiteral("无法写入开机自动启动项：%1（%2）").arg(entryPath(), file.errorString()));
}

} // namespace mhbk
