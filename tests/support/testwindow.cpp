#include "support/testwindow.h"

#include <QUrl>

namespace mhbk::test {

std::unique_ptr<MainWindow> makeMainWindow(Reporter &reporter, const QString &databasePath,
                                         const QString &executablePath, const QString &autostartFolder)
{
    MainWindowSettings settings;
    settings.executablePath = executablePath;
    settings.databasePath = databasePath;
    settings.autostartFolder = autostartFolder;
    settings.openUrl = [](const QUrl &) {};
    return std::make_unique<MainWindow>(reporter, settings);
}

} // namespace mhbk::test
