// A real program process for the lifetime tests: the main window on a given database, with a
// notification area, tied to the application as the program ties it. It leaves the way the
// test names and must then end; "acquire" only takes the single-instance lock and reports.
#include "app/mainwindow.h"
#include "app/singleinstance.h"
#include "app/startup.h"
#include "common/reporter.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QTimer>
#include <cstdio>

namespace {

const QString kExecutable = QStringLiteral("/lifetime-test/mhbk");

void leave(mhbk::MainWindow &window, const QString &way)
{
    QAction *exit = window.popupMenu()->findChild<QAction *>(QStringLiteral("miExit"));
    if (way == QLatin1String("tray-exit-hidden")) {
        window.hideWindow();
        exit->trigger(); // the tray's menu is this menu
    } else if (way == QLatin1String("menu-exit")) {
        exit->trigger();
    } else if (way == QLatin1String("close-box")) {
        window.close();
    }
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 4)
        return 2;
    const QString &way = args[1];
    mhbk::SingleInstance instance(kExecutable, args[2]);
    if (!instance.acquire())
        return 3;
    if (way == QLatin1String("acquire"))
        return 0;

    mhbk::RecordingReporter reporter;
    mhbk::MainWindowSettings settings;
    settings.executablePath = kExecutable;
    settings.databasePath = args[3];
    settings.autostartFolder = QStringLiteral("/nonexistent/autostart");
    settings.trayAvailable = true;
    settings.quitApplication = [] { QCoreApplication::quit(); };
    settings.openUrl = [](const QUrl &) {};
    mhbk::MainWindow window(reporter, settings);
    mhbk::tieProgramToWindow(app, window, reporter);
    window.show();
    QTimer::singleShot(0, &window, [&window, way] { leave(window, way); });
    const int status = app.exec();
    std::puts(window.isVisible() ? "visible" : "closed");
    return status;
}
