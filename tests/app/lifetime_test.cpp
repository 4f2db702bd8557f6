// How the program ends and starts again: every way out ends the process and frees the
// single-instance lock; a notification area that appears late gets the icon; the window's
// placement and last page come back on the next start.
#include "app/mainwindow.h"
#include "app/startup.h"
#include "common/pageregistry.h"
#include "common/reporter.h"
#include "data/database.h"
#include "widgets/stringgrid.h"
#include "support/scratchdb.h"
#include "support/testdb.h"

#include <QMetaObject>
#include <QProcess>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QSystemTrayIcon>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

const int kDensityPage = mhbk::pages::indexOf("Page_constdensity");

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

// The same ways out with the density grid edited: the questions are answered in turn, the
// process ends once they let it, and the answers decide what the database holds.
struct EditedWayOut {
    const char *way;
    const char *answers;
    const char *said;
    bool saved;
};

class WayOutWithEdits : public ::testing::TestWithParam<EditedWayOut> {};

TEST_P(WayOutWithEdits, AsksThenEndsAsAnswered)
{
    const EditedWayOut &c = GetParam();
    QTemporaryDir lockFolder;
    mhbk::test::TestDatabaseCopy db;
    QByteArray said;
    const int status = runChild({QString::fromLatin1(c.way), lockFolder.path(), db.path(),
                                 QString::fromLatin1(c.answers)},
                                &said);
    ASSERT_NE(status, -2) << "the process kept running after leaving by " << c.way;
    EXPECT_EQ(status, 0);
    EXPECT_EQ(said.trimmed(), QByteArray(c.said));
    const auto rows = mhbk::test::SqlFile(db.path()).rows(QStringLiteral("constdensity"));
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ(rows[0][2] == QStringLiteral("9.99"), c.saved);
    EXPECT_EQ(runChild({QStringLiteral("acquire"), lockFolder.path(), db.path()}), 0) << "a later start was refused";
}

INSTANTIATE_TEST_SUITE_P(
    Lifetime, WayOutWithEdits,
    ::testing::Values(EditedWayOut{"tray-exit-hidden", "save", "closed", true},
                      EditedWayOut{"menu-exit", "discard", "closed", false},
                      EditedWayOut{"close-box", "cancel,save", "stayed\nclosed", true},
                      EditedWayOut{"tray-exit-hidden", "cancel,cancel,discard", "stayed\nstayed\nclosed", false}),
    [](const auto &info) {
        QString name = QString::fromLatin1(info.param.way) + QLatin1Char('_') + QString::fromLatin1(info.param.answers);
        return name.remove(QLatin1Char('-')).replace(QLatin1Char(','), QLatin1Char('_')).toStdString();
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

// Closing with an edited density grid, the window hidden to the tray: the question brings the
// window and the page back, and only an accepted close ends the program.
struct CloseCase {
    const char *label;
    std::vector<mhbk::Answer> answers;
    bool readOnly;
    bool closes;
    bool saved;
};

class ClosingWithEdits : public ShellState, public ::testing::WithParamInterface<CloseCase> {};

TEST_P(ClosingWithEdits, AsksAndEndsOnlyWhenAccepted)
{
    const CloseCase &c = GetParam();
    auto w = makeWindow();
    w->show();
    w->selectPage(kDensityPage);
    auto *grid = w->findChild<mhbk::StringGrid *>(QStringLiteral("StringGrid2"));
    ASSERT_NE(grid, nullptr);
    grid->setCell(1, 1, QStringLiteral("9.99"));
    w->selectPage(0);
    w->hideWindow();
    if (c.readOnly)
        w->database().setReadOnly(true);
    reporter.answerWith(c.answers);

    w->exitProgram();
    ASSERT_GE(reporter.questionCount(), 1u);
    EXPECT_EQ(reporter.entries().front().text, QStringLiteral("是否保存对常用材料密度的修改？"));
    EXPECT_EQ(w->activePage(), kDensityPage);
    EXPECT_EQ(quits, c.closes ? 1 : 0);
    EXPECT_EQ(w->isVisible(), !c.closes);
    const auto rows = mhbk::test::SqlFile(db.path()).rows(QStringLiteral("constdensity"));
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ(rows[0][2] == QStringLiteral("9.99"), c.saved); // the grid's first item
    EXPECT_EQ(w->statusBar()->currentMessage(), c.saved ? QStringLiteral("已保存常用材料密度") : QString());
    if (c.readOnly) { // the failed save said why
        EXPECT_EQ(reporter.size(), 2u);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Answers, ClosingWithEdits,
    ::testing::Values(CloseCase{"Save", {mhbk::Answer::Save}, false, true, true},
                      CloseCase{"Discard", {mhbk::Answer::Discard}, false, true, false},
                      CloseCase{"Cancel", {mhbk::Answer::Cancel}, false, false, false},
                      CloseCase{"FailedSave", {mhbk::Answer::Save}, true, false, false}),
    [](const auto &info) { return std::string(info.param.label); });

// A log-out asks as closing does; a session that allows no question is cancelled rather
// than losing the edits, and without edits a visible window is left to the session.
struct LogOutCase {
    const char *label;
    bool edited;
    bool interaction;
    mhbk::Answer answer;
    bool goesOn;
    bool visibleAfter;
    std::size_t questions;
};

class LogOut : public ShellState, public ::testing::WithParamInterface<LogOutCase> {};

TEST_P(LogOut, AsksOrCancelsButNeverDropsEdits)
{
    const LogOutCase &c = GetParam();
    auto w = makeWindow();
    w->show();
    if (c.edited) {
        w->selectPage(kDensityPage);
        w->findChild<mhbk::StringGrid *>(QStringLiteral("StringGrid2"))->setCell(1, 1, QStringLiteral("9.99"));
    }
    reporter.answerWith({c.answer});
    EXPECT_EQ(mhbk::closeForLogOut(*w, [&] { return c.interaction; }), c.goesOn);
    EXPECT_EQ(w->isVisible(), c.visibleAfter);
    EXPECT_EQ(reporter.questionCount(), c.questions);
}

INSTANTIATE_TEST_SUITE_P(
    Sessions, LogOut,
    ::testing::Values(LogOutCase{"NoEdits", false, true, mhbk::Answer::Cancel, true, true, 0},
                      LogOutCase{"Discard", true, true, mhbk::Answer::Discard, true, false, 1},
                      LogOutCase{"Cancel", true, true, mhbk::Answer::Cancel, false, true, 1},
                      LogOutCase{"NoInteraction", true, false, mhbk::Answer::Discard, false, true, 0}),
    [](const auto &info) { return std::string(info.param.label); });

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
        // Within the test screen (800 × 600): a larger window is made to fit when it comes back.
        w->resize(760, 520);
        w->move(20, 40);
        splitter(*w)->setSizes({230, 670});
        w->selectPage(18);
        w->close();
    }
    auto again = makeWindow();
    again->show();
    EXPECT_EQ(again->size(), QSize(760, 520));
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
        // Centred with its title bar, which lies above the window's own area.
        const QPoint offCentre = w->geometry().center() - screen.center();
        EXPECT_LE(std::abs(offCentre.x()), 2) << content.constData();
        EXPECT_TRUE(offCentre.y() >= 0 && offCentre.y() <= 24) << offCentre.y() << content.constData();
        EXPECT_TRUE(screen.contains(w->geometry())) << content.constData();
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
