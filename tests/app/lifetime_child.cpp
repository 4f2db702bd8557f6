// A real program process for the lifetime tests: the main window on a given database, with a
// notification area, tied to the application as the program ties it. It leaves the way the
// test names and must then end; "acquire" only takes the single-instance lock and reports.
// With ANSWERS (e.g. "cancel,save") it first types into the density grid, and the questions
// before closing get those answers in turn; while the window stays it says "stayed" and
// leaves again the same way.
//   app_lifetime_child WAY LOCK_FOLDER DATABASE [ANSWERS]
#include "app/mainwindow.h"
#include "app/singleinstance.h"
#include "app/startup.h"
#include "common/pageregistry.h"
#include "common/reporter.h"
#include "widgets/stringgrid.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QTimer>
#include <cstdio>
#include <vector>

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

std::vector<mhbk::Answer> parseAnswers(const QString &text)
{
    std::vector<mhbk::Answer> answers;
    for (const QString &word : text.split(QLatin1Char(','), Qt::SkipEmptyParts))
        answers.push_back(word == QLatin1String("save")      ? mhbk::Answer::Save
                          : word == QLatin1String("discard") ? mhbk::Answer::Discard
                                                             : mhbk::Answer::Cancel);
    return answers;
}

void typeIntoDensityGrid(mhbk::MainWindow &window)
{
    window.selectPage(mhbk::pages::indexOf("Page_constdensity"));
    window.findChild<mhbk::StringGrid *>(QStringLiteral("StringGrid2"))->setCell(1, 1, QStringLiteral("9.99"));
    window.selectPage(0);
}

// Leaves, and leaves again for as long as the window stays, at most once per answer.
void leaveUntilClosed(mhbk::MainWindow &window, const QString &way, int triesLeft)
{
    leave(window, way);
    if (!window.isVisible() || triesLeft <= 0)
        return;
    std::puts("stayed");
    std::fflush(stdout);
    QTimer::singleShot(0, &window, [&window, way, triesLeft] { leaveUntilClosed(window, way, triesLeft - 1); });
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 4 && args.size() != 5)
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
    const std::vector<mhbk::Answer> answers = parseAnswers(args.value(4));
    reporter.answerWith(answers);
    if (!answers.empty())
        typeIntoDensityGrid(window);
    QTimer::singleShot(0, &window, [&window, way, tries = static_cast<int>(answers.size())] {
        leaveUntilClosed(window, way, tries);
    });
    const int status = app.exec();
    std::puts(window.isVisible() ? "visible" : "closed");
    return status;
}
