#pragma once

#include <QString>

namespace mhbk {

// Start at log-on through an XDG autostart entry "mhbk.desktop" in the autostart folder
// (normally ~/.config/autostart); its Exec line is the executable's full path and " -hide".
class Autostart {
public:
    Autostart(QString autostartFolder, QString executablePath);

    QString entryPath() const;
    QString execLine() const;
    // True when an entry of ours exists (an Exec line that is not empty).
    bool isEnabled() const;
    // Writes or removes the entry; throws AppError naming the file when that fails.
    void setEnabled(bool enabled) const;

    static QString defaultFolder();

private:
    QString folder_;
    QString executablePath_;
};

} // namespace mhbk
