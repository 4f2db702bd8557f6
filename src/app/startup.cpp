#include "app/startup.h"

#include "app/application.h"
#include "app/autostart.h"
#include "app/icons.h"
#include "app/mainwindow.h"
#include "app/messageboxreporter.h"
#include "app/qttranslations.h"
#include "app/singleinstance.h"
#include "app/splash.h"
#include "common/commandline.h"
#include "common/guarded.h"
#include "common/pageregistry.h"
#include "data/database.h"

#include <QApplication>
#include <QDesktopServices>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QSaveFile>
#include <QSessionManager>
#include <QStandardPaths>
#include <QSystemTrayIcon>
#include <QTextStream>
#include <QThread>
#include <cstdio>
#include <memory>

namespace mhbk {

namespace {

constexpr int kSplashMilliseconds = 2000;

MainWindowSettings windowSettings(const StartupOptions &options)
{
    MainWindowSettings settings;
    settings.executablePath = QCoreApplication::applicationFilePath();
    settings.databasePath = locateSharedDatabase(QCoreApplication::applicationDirPath());
    settings.autostartFolder = Autostart::defaultFolder();
    settings.trayAvailable = QSystemTrayIcon::isSystemTrayAvailable();
    settings.trayProbe = [] { return QSystemTrayIcon::isSystemTrayAvailable(); };
    settings.quitApplication = [] { QCoreApplication::quit(); };
    settings.stateFile = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) + QStringLiteral("/window.ini");
    settings.userDataFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    settings.arguments = options.parameters;
    settings.openUrl = [](const QUrl &url) { QDesktopServices::openUrl(url); };
    return settings;
}

void printNoDisplayHelp()
{
    std::fputs("mhbk 需要图形桌面。/ mhbk needs a graphical desktop.\n"
               "请在桌面会话中运行，或不带显示器运行：QT_QPA_PLATFORM=offscreen mhbk --screenshot out.png\n"
               "Run it in a desktop session, or without a display: QT_QPA_PLATFORM=offscreen mhbk --screenshot out.png\n",
               stderr);
}

int takeScreenshot(const StartupOptions &options, Reporter &reporter)
{
    MainWindowSettings settings = windowSettings(options);
    settings.stateFile.clear(); // a picture of the page asked for, not of the last run
    MainWindow window(reporter, settings);
    // Laid out as on screen but painted once, into the picture only.
    window.setAttribute(Qt::WA_DontShowOnScreen);
    window.show();
    window.selectPage(options.screenshotPage);
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
    const QPixmap shot = window.grab();
    // Light compression: a documentation image, written once, need not be the smallest file.
    if (!shot.save(options.screenshotFile, "PNG", 80)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(options.screenshotFile));
        return 1;
    }
    return 0;
}

// Shows the splash picture and holds the start-up for two seconds; the caller destroys the
// splash once the main window exists.
std::unique_ptr<SplashScreen> showSplash()
{
    auto splash = std::make_unique<SplashScreen>();
    splash->show();
    splash->repaint();
    QElapsedTimer shown;
    shown.start();
    while (shown.elapsed() < kSplashMilliseconds) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        QThread::msleep(20);
    }
    return splash;
}

} // namespace

void tieProgramToWindow(QApplication &app, MainWindow &window, Reporter &reporter)
{
    app.setQuitOnLastWindowClosed(false);
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &window,
                     [&window, &reporter](QSessionManager &manager) {
                         runGuarded(reporter, [&window, &manager] {
                             const bool goOn = closeForLogOut(window, [&manager] { return manager.allowsInteraction(); });
                             if (!goOn)
                                 manager.cancel();
                             manager.release();
                         });
                     });
}

bool closeForLogOut(MainWindow &window, const std::function<bool()> &allowsInteraction)
{
    if (window.hasUnsavedWork()) {
        // Changes are never dropped unasked: without leave to ask, the log-out waits.
        if (!allowsInteraction())
            return false;
        return window.close();
    }
    // At log-out Qt closes only visible windows: a window hidden to the tray is closed here.
    if (!window.isVisible())
        window.close();
    return true;
}

void configureApplication(QApplication &app)
{
    app.setApplicationName(QStringLiteral("mhbk"));
    app.setOrganizationName(QStringLiteral("Zorvan"));
    app.setWindowIcon(applicationIcon());
    applyChineseFont(app);
    installQtTranslations(app);
    useQtTranslationLocale();
}

StartupOptions parseStartupOptions(const QStringList &arguments)
{
    StartupOptions options;
    options.parameters = arguments.mid(1);
    // Anything else on the line is the main window's business ("-hide"), and an option
    // without its value is ignored rather than refused.
    const CommandLine line = parseCommandLine(
        options.parameters, {{{QStringLiteral("--screenshot")}, true}, {{QStringLiteral("--page")}, true}},
        UnknownOptions::AsPositional);
    options.screenshotFile = line.value(QStringLiteral("--screenshot"));
    if (line.has(QStringLiteral("--page"))) {
        bool ok = false;
        options.screenshotPage = line.value(QStringLiteral("--page")).toInt(&ok);
        options.screenshotPageValid = ok && pages::isIndex(options.screenshotPage);
    }
    return options;
}

int runApplication(int argc, char **argv)
{
    const bool hasDisplay = !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
                            || !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
    if (!hasDisplay) {
        printNoDisplayHelp();
        return 2;
    }
    // Errors are caught where they arise: every event handler runs through runGuarded.
    QApplication app(argc, argv);
    configureApplication(app);
    MessageBoxReporter reporter;

    const StartupOptions options = parseStartupOptions(app.arguments());
    if (!options.screenshotFile.isEmpty()) {
        if (!options.screenshotPageValid) {
            std::fprintf(stderr, "--page takes a page index from 0 to %d\n", kPageCount - 1);
            return 1;
        }
        return takeScreenshot(options, reporter);
    }

    const QString runtimeFolder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    SingleInstance instance(QCoreApplication::applicationFilePath(),
                            runtimeFolder.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::TempLocation)
                                                    : runtimeFolder);
    if (!instance.acquire()) {
        reporter.showMessage(QStringLiteral("您已经运行了本程序，请到正在运行的程序中进行操作。"),
                             QStringLiteral("系统提示"), MessageIcon::Warning);
        return 0;
    }

    auto splash = showSplash();
    MainWindow window(reporter, windowSettings(options));
    splash.reset();
    reporter.setOwner([&window] { return static_cast<QWidget *>(&window); });
    tieProgramToWindow(app, window, reporter);
    window.show();
    return app.exec();
}

} // namespace mhbk
