#pragma once

#include "app/mainwindow.h"
#include "common/reporter.h"

#include <QUrl>
#include <memory>

namespace mhbk::bench {

// A main window on `database` that starts nothing outside the process: no autostart entry,
// no browser, no executable of its own.
inline std::unique_ptr<MainWindow> freshWindow(Reporter &reporter, const QString &database)
{
    MainWindowSettings settings;
    settings.executablePath = QStringLiteral("/nonexistent/mhbk");
    settings.databasePath = database;
    settings.autostartFolder = QStringLiteral("/nonexistent/autostart");
    settings.openUrl = [](const QUrl &) {};
    return std::make_unique<MainWindow>(reporter, settings);
}

} // namespace mhbk::bench
