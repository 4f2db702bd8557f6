// How the program ends and starts again: every way out ends the process and frees the
// single-instance lock; a notification area that appears late gets the icon; the window's
// placement and last page come back on the next start.
#include "app/mainwindow.h"
#include "common/reporter.h"
#include "support/testdb.h"

#include <QMetaObject>
#include <QProcess>
#include <QScreen>
#include <QSplitter>
#include <QSystemTrayIcon>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

int runChild(const QStringList &arguments, QByteArray *output = nullptr)
{
    QProcess child;
    child.start(QStringLiteral(MHBK_LIFETIME_CHILD), arguments);
    if (!child.waitForStarted())
        return -1;
    // Generous: a hang here is the fault under test, not slowness.
    if (!child.waitForFinished(120000)) {
        child.kill();
        child.waitForFinished();
        return -2;
    }
    if (output)
        *output = child.readAllStandardOutput();
    return child.exitStatus() == QProcess::NormalExit ? child.exitCode() : -3;
}

class WayOut : public ::testing::TestWithParam<const char *> {};

TEST_P(WayOut, EndsTheProcessAndAnotherStartIsAccepted)
{
    QTemporaryDir lockFolder;
    mhbk::test::TestDatabaseCopy db;
    QByteArray said;
    const int status = runChild({QString::fromLatin1(GetParam()), lockFolder.path(), db.path()}, &said);
    ASSERT_NE(status, -2) << "the process kept running after leaving by " << GetParam();
    EXPECT_EQ(status, 0);
    EXPECT_EQ(said.trimmed(), "closed");
    EXPECT_EQ(runChild({QStringLiteral("acquire"), lockFolder.path(), db.path()}), 0)
        << "a later start was refused";
}

INSTANTIATE_TEST_SUITE_P(Lifetime, WayOut, ::testing::Values("tray-exit-hidden", "menu-exit", "close-box"),
                         [](const auto &info) {
                             QString name = QString::fromLatin1(info.param);
                             return name.remove(QLatin1Char('-')).toStdString();
                         });

class ShellState : public ::testing::Test {
protected:
    std::unique_ptr<mhbk::MainWindow> makeWindow(bool trayAvailable = true)
    {
        mhbk::MainWindowSettings settings;
        settings.executablePath = QStringLiteral("/nonexistent/folder/mhbk");
        settings.databasePath = db.path();
        settings.autostartFolder = QStringLiteral("/nonexistent/folder/autostart");
        settings.trayAvailable = trayAvailable;
        settings.trayProbe = [this] { return trayNow; };
        settings.quitApplication = [this] { ++quits; };
        settings.stateFile = stateFile;
        settings.openUrl = [](const QUrl &) {};
        return std::make_unique<mhbk::MainWindow>(reporter, settings);
    }
    QSplitter *splitter(mhbk::MainWindow &w) { return w.findChild<QSplitter *>(QStringLiteral("Splitter1")); }

    mhbk::test::TestDatabaseCopy db;
    mhbk::RecordingReporter reporter;
    QTemporaryDir folder;
    QString stateFile = folder.filePath(QStringLiteral("window.ini"));
    bool trayNow = false;
    int quits = 0;
};

TEST_F(ShellState, ClosingAsksTheProgramToEndOnce)
{
    auto w = makeWindow();
    w->show();
    w->hideWindow();
    ASSERT_FALSE(w->isVisible());
    w->exitProgram();
    EXPECT_EQ(quits, 1);
}

TEST_F(ShellState, ATrayThatComesLateGetsTheIconAndHidingUsesIt)
{
    auto w = makeWindow(false);
    w->show();
    auto *watch = w->findChild<QTimer *>(QStringLiteral("TrayWatch"));
    ASSERT_NE(watch, nullptr);
    QMetaObject::invokeMethod(watch, "timeout"); // no notification area yet
    EXPECT_FALSE(w->hidesToTray());
    EXPECT_EQ(w->findChild<QSystemTrayIcon *>(), nullptr);

    trayNow = true;
    QMetaObject::invokeMethod(watch, "timeout");
    EXPECT_TRUE(w->hidesToTray());
    EXPECT_NE(w->findChild<QSystemTrayIcon *>(QStringLiteral("TrayIcon")), nullptr);
    EXPECT_FALSE(watch->isActive());
    w->hideWindow();
    EXPECT_FALSE(w->isVisible());
    EXPECT_FALSE(w->isMinimized());
}

TEST_F(ShellState, PlacementTreeWidthAndPageComeBack)
{
    {
        auto w = makeWindow();
        w->show();
        w->resize(900, 640);
        w->move(40, 30);
        splitter(*w)->setSizes({230, 670});
        w->selectPage(18);
        w->close();
    }
    auto again = makeWindow();
    again->show();
    EXPECT_EQ(again->size(), QSize(900, 640));
    EXPECT_EQ(again->activePage(), 18);
    EXPECT_EQ(splitter(*again)->sizes().value(0), 230);
}

TEST_F(ShellState, AFirstStartIsCentredAndADamagedFileCountsAsNone)
{
    for (const QByteArray &content : {QByteArray(), QByteArray("[window]\ngeometry=garbage\npage=3\n")}) {
        if (!content.isEmpty()) {
            QFile file(stateFile);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(content);
        }
        auto w = makeWindow();
        const QRect screen = w->screen()->availableGeometry();
        EXPECT_LE((w->geometry().center() - screen.center()).manhattanLength(), 2) << content.constData();
        EXPECT_EQ(w->activePage(), 0) << content.constData();
    }
}

TEST_F(ShellState, EveryTreeNodeShowsItsWholeCaptionAsATooltip)
{
    auto w = makeWindow();
    auto *tree = w->findChild<QTreeWidget *>(QStringLiteral("TreeView1"));
    int leaves = 0;
    for (QTreeWidgetItemIterator it(tree); *it; ++it) {
        EXPECT_EQ((*it)->toolTip(0), (*it)->text(0));
        leaves += (*it)->childCount() == 0;
    }
    EXPECT_EQ(leaves, 52);
}

} // namespace
