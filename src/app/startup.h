#pragma once

#include <QString>
#include <QStringList>

namespace mhbk {

// What the command line asks for.
struct StartupOptions {
    QStringList parameters;  // everything after the program name, for "-hide"
    QString screenshotFile;  // --screenshot FILE: render and exit, no splash, no lock
    int screenshotPage = 0;  // --page N
    bool screenshotPageValid = true;
};

StartupOptions parseStartupOptions(const QStringList &arguments);

// The start-up sequence; returns the process exit status.
int runApplication(int argc, char **argv);

} // namespace mhbk
