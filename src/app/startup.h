#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class QApplication;

namespace mhbk {

class MainWindow;
class Reporter;

// What the command line asks for.
struct StartupOptions {
    QStringList parameters;  // everything after the program name, for "-hide"
    QString screenshotFile;  // --screenshot FILE: render and exit, no splash, no lock
    int screenshotPage = 0;  // --page N
    bool screenshotPageValid = true;
};

StartupOptions parseStartupOptions(const QStringList &arguments);

// Ties the program's life to the main window: its close ends the program, also when it was
// hidden to the tray; a dialog closing last does not; a log-out closes a hidden window too.
// A log-out with changes not yet saved asks about them as closing does, and 取消 (or a
// session that allows no question) cancels the log-out.
void tieProgramToWindow(QApplication &app, MainWindow &window, Reporter &reporter);

// The log-out's part: closes the window when it may; false when the log-out must be cancelled.
bool closeForLogOut(MainWindow &window, const std::function<bool()> &allowsInteraction);

// Names, icon, font and Qt's Chinese translations. No display name is set: Qt would append
// it to every window title ("系统提示 — …"), and each window's caption is all it should show.
void configureApplication(QApplication &app);

// The start-up sequence; returns the process exit status.
int runApplication(int argc, char **argv);

} // namespace mhbk
