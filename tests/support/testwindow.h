#pragma once

#include "app/mainwindow.h"

#include <QString>
#include <memory>

namespace mhbk {
class Reporter;
}

namespace mhbk::test {

// The real main window on a database of the test's choosing. Help, history and autostart
// point into folders that do not exist unless the test says otherwise; nothing is opened.
std::unique_ptr<MainWindow> makeMainWindow(Reporter &reporter, const QString &databasePath,
                                         const QString &executablePath = QStringLiteral("/nonexistent/mhbk"),
                                         const QString &autostartFolder = QStringLiteral("/nonexistent/autostart"));

} // namespace mhbk::test
