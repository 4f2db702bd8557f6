// Saving and opening filled workbook pages in the real main window: the page's sheet, the
// window title, the recent files, the question before what is typed is replaced or closed.
#include "app/documentcommands.h"
#include "app/mainwindow.h"
#include "common/pageregistry.h"
#include "common/reporter.h"
#include "common/unsavedwork.h"
#include "support/testdb.h"
#include "workbooks/pages/workbookdocuments.h"
#include "workbooks/view/spreadsheetcommands.h"
#include "workbooks/view/spreadsheetview.h"
#include "widgets/stringgrid.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QTimer>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>
#include <QToolButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QUndoStack>
#include <gtest/gtest.h>

namespace {

constexpr int kInsulationPage = 7; // 保温自由计算表

class Documents : public ::testing::Test {
protected:
    void SetUp() override
    {
        mhbk::MainWindowSettings settings;
        settings.executablePath = QStringLiteral("/nonexistent/folder/mhbk");
        settings.databasePath = db.path();
        settings.autostartFolder = QStringLiteral("/nonexistent/folder/autostart");
        settings.quitApplication = [this] { ++quits; };
        settings.openUrl = [](const QUrl &) {};
        settings.userDataFolder = folder.filePath(QStringLiteral("user"));
        window = std::make_unique<mhbk::MainWindow>(reporter, settings);
        window->show();
        commands = window->findChild<mhbk::DocumentCommands *>();
        ASSERT_NE(commands, nullptr);
    }
    mhbk::view::SpreadsheetView &sheet(int page)
    {
        window->selectPage(page);
        auto *view = mhbk::view::pageSpreadsheet(window->page(page));
        if (!view)
            throw std::runtime_error("no sheet");
        return *view;
    }
    void type(int page, const char *cell, const QString &text)
    {
        const auto at = mhbk::wb::parseAddress(QString::fromLatin1(cell));
        sheet(page).applyUserEdits({{*at, text}}, QStringLiteral("输入"));
    }
    QString cell(int page, int row, int col) { return sheet(page).cellText(row, col); }

    mhbk::test::TestDatabaseCopy db;
    mhbk::RecordingReporter reporter;
    QTemporaryDir folder;
    std::unique_ptr<mhbk::MainWindow> window;
    mhbk::DocumentCommands *commands = nullptr;
    int quits = 0;
};

TEST_F(Documents, SaveThenOpenBringsThePageBackWithItsNameInTheTitle)
{
    const QString path = folder.filePath(QStringLiteral("保温一.mhbk"));
    type(kInsulationPage, "C8", QStringLiteral("21.3"));
    EXPECT_TRUE(commands->documents().unsavedWork(kInsulationPage)->hasUnsavedChanges());
    ASSERT_TRUE(commands->documents().save(kInsulationPage, path));
    EXPECT_FALSE(commands->documents().unsavedWork(kInsulationPage)->hasUnsavedChanges());
    EXPECT_EQ(window->statusBar()->currentMessage(), QStringLiteral("已保存保温一.mhbk"));

    type(kInsulationPage, "C8", QStringLiteral("30"));
    window->selectPage(0);
    reporter.answerWith({mhbk::Answer::Discard});
    ASSERT_TRUE(commands->openFile(path));
    EXPECT_EQ(reporter.questionCount(), 1u);
    EXPECT_EQ(reporter.entries().front().text, QStringLiteral("是否保存对保温自由计算表的修改？"));
    EXPECT_EQ(window->activePage(), kInsulationPage);
    EXPECT_EQ(cell(kInsulationPage, 8, 3), QStringLiteral("21.3"));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("保温一.mhbk - Zorvan五金手册"));
    EXPECT_FALSE(commands->documents().unsavedWork(kInsulationPage)->hasUnsavedChanges());
    EXPECT_EQ(commands->recent().paths(), QStringList{path});
    // The list is kept for the next run, and offered in the popup menu.
    EXPECT_EQ(mhbk::RecentFiles(folder.filePath(QStringLiteral("user"))).paths(), QStringList{path});
    auto *recentMenu = window->popupMenu()->findChild<QMenu *>(QStringLiteral("miRecent"));
    ASSERT_NE(recentMenu, nullptr);
    ASSERT_EQ(recentMenu->actions().size(), 1);
    EXPECT_EQ(recentMenu->actions().front()->text(), QStringLiteral("&1 保温一.mhbk"));

    window->selectPage(0);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Zorvan五金手册"));
}

TEST_F(Documents, ADamagedOrForeignFileChangesNothing)
{
    const QString bad = folder.filePath(QStringLiteral("坏.mhbk"));
    QFile file(bad);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("{\"format\": \"mhbk-page-workbook\", \"vers");
    file.close();
    type(kInsulationPage, "C8", QStringLiteral("21.3"));
    window->selectPage(0);
    EXPECT_FALSE(commands->openFile(bad));
    ASSERT_EQ(reporter.size(), 1u);
    EXPECT_TRUE(reporter.last().text.contains(QStringLiteral("文件已损坏"))) << reporter.last().text.toStdString();
    EXPECT_TRUE(reporter.last().text.contains(QStringLiteral("页面保持不变")));
    EXPECT_EQ(window->activePage(), 0);
    EXPECT_EQ(cell(kInsulationPage, 8, 3), QStringLiteral("21.3"));
    EXPECT_TRUE(commands->recent().paths().isEmpty());
}

TEST_F(Documents, ARecentFileThatHasGoneLeavesTheListWithAMessage)
{
    const QString path = folder.filePath(QStringLiteral("gone.mhbk"));
    sheet(kInsulationPage);
    ASSERT_TRUE(commands->documents().save(kInsulationPage, path));
    ASSERT_TRUE(commands->openFile(path));
    ASSERT_EQ(commands->recent().paths(), QStringList{path});
    ASSERT_TRUE(QFile::remove(path));
    EXPECT_FALSE(commands->openFile(path));
    ASSERT_EQ(reporter.size(), 1u);
    EXPECT_TRUE(reporter.last().text.contains(QStringLiteral("文件不存在"))) << reporter.last().text.toStdString();
    EXPECT_TRUE(commands->recent().paths().isEmpty());
    EXPECT_FALSE(window->popupMenu()->findChild<QMenu *>(QStringLiteral("miRecent"))->isEnabled());
}

TEST_F(Documents, CancellingTheQuestionBeforeOpeningKeepsTheTyping)
{
    const QString path = folder.filePath(QStringLiteral("a.mhbk"));
    EXPECT_FALSE(commands->documents().save(kInsulationPage, path)) << "the page has no sheet before it is shown";
    sheet(kInsulationPage);
    ASSERT_TRUE(commands->documents().save(kInsulationPage, path));
    type(kInsulationPage, "C8", QStringLiteral("48"));
    reporter.answerWith({mhbk::Answer::Cancel});
    EXPECT_FALSE(commands->openFile(path));
    EXPECT_EQ(cell(kInsulationPage, 8, 3), QStringLiteral("48"));
    EXPECT_TRUE(commands->documents().unsavedWork(kInsulationPage)->hasUnsavedChanges());
}

// Closing with typing on a workbook page asks as the grids do; 保存 writes to the file the
// page came from, without a dialog.
struct WorkbookCloseCase {
    const char *label;
    mhbk::Answer answer;
    bool closes;
    const char *savedC8;
};

class ClosingWorkbook : public Documents, public ::testing::WithParamInterface<WorkbookCloseCase> {};

TEST_P(ClosingWorkbook, AsksAboutThePageAndKeepsTheWindowUnlessAccepted)
{
    const WorkbookCloseCase &c = GetParam();
    const QString path = folder.filePath(QStringLiteral("b.mhbk"));
    type(kInsulationPage, "C8", QStringLiteral("21.3"));
    ASSERT_TRUE(commands->documents().save(kInsulationPage, path));
    type(kInsulationPage, "C8", QStringLiteral("57"));
    window->selectPage(0);
    reporter.answerWith({c.answer});
    window->exitProgram();
    ASSERT_EQ(reporter.questionCount(), 1u);
    EXPECT_EQ(reporter.entries().front().text, QStringLiteral("是否保存对保温自由计算表的修改？"));
    EXPECT_EQ(window->activePage(), kInsulationPage);
    EXPECT_EQ(quits, c.closes ? 1 : 0);
    EXPECT_EQ(mhbk::workbooks::readPageWorkbookFile(path).book.displayText(0, 7, 2), QString::fromUtf8(c.savedC8));
}

INSTANTIATE_TEST_SUITE_P(Answers, ClosingWorkbook,
                         ::testing::Values(WorkbookCloseCase{"Save", mhbk::Answer::Save, true, "57"},
                                           WorkbookCloseCase{"Discard", mhbk::Answer::Discard, true, "21.3"},
                                           WorkbookCloseCase{"Cancel", mhbk::Answer::Cancel, false, "21.3"}),
                         [](const auto &info) { return std::string(info.param.label); });

// Ctrl+S on an editable reference page saves the page's grid through the page's own save, not
// by way of the bottom bar: the 保存 button renamed changes nothing.
TEST_F(Documents, CtrlSOnAReferencePageSavesItsGrid)
{
    const int density = mhbk::pages::indexOf(mhbk::PageKey::MaterialDensity);
    window->selectPage(density);
    auto *grid = window->page(density)->findChild<mhbk::StringGrid *>(QStringLiteral("StringGrid2"));
    ASSERT_NE(grid, nullptr);
    ASSERT_FALSE(grid->cell(0, 1).isEmpty());
    window->findChild<QToolButton *>(QStringLiteral("SpeedButton33"))->setObjectName(QStringLiteral("renamed"));
    grid->setCell(1, 1, QStringLiteral("9.87"));
    ASSERT_TRUE(window->hasUnsavedWork());

    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_S, Qt::ControlModifier);
    EXPECT_TRUE(reporter.empty()) << reporter.last().text.toStdString();
    EXPECT_FALSE(window->hasUnsavedWork());

    const QString material = grid->cell(0, 1);
    QStringList stored;
    {
        QSqlDatabase file = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("ctrl-s"));
        file.setDatabaseName(db.path());
        ASSERT_TRUE(file.open());
        QSqlQuery query(file);
        query.prepare(QStringLiteral("select Density from constdensity where Material = ?"));
        query.addBindValue(material);
        ASSERT_TRUE(query.exec());
        while (query.next())
            stored << query.value(0).toString();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("ctrl-s"));
    EXPECT_EQ(stored, QStringList{QStringLiteral("9.87")}) << material.toStdString();
}

// 另存为 writes a new file and leaves the one the page came from as it was: last week's job opened
// as a template is not overwritten.
TEST_F(Documents, SaveAsWritesANewFileAndTheTitleMarksUnsavedChanges)
{
    const QString old = folder.filePath(QStringLiteral("上周.mhbk"));
    const QString fresh = folder.filePath(QStringLiteral("本周.mhbk"));
    type(kInsulationPage, "C8", QStringLiteral("21.3"));
    ASSERT_TRUE(commands->documents().save(kInsulationPage, old));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("上周.mhbk - Zorvan五金手册"));
    type(kInsulationPage, "C8", QStringLiteral("57"));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("上周.mhbk* - Zorvan五金手册"));

    auto *saveAs = window->findChild<QAction *>(QStringLiteral("miSaveAs"));
    ASSERT_NE(saveAs, nullptr);
    EXPECT_EQ(saveAs->shortcut(), QKeySequence(QStringLiteral("Ctrl+Shift+S")));
    EXPECT_TRUE(window->popupMenu()->actions().contains(saveAs));
    QString suggested;
    QTimer::singleShot(0, [&] {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        suggested = dialog->selectedFiles().value(0);
        dialog->selectFile(fresh);
        QMetaObject::invokeMethod(dialog, "accept");
    });
    saveAs->trigger();
    EXPECT_EQ(suggested, old); // offered under its own name, to be changed
    EXPECT_EQ(mhbk::workbooks::readPageWorkbookFile(old).book.displayText(0, 7, 2), QStringLiteral("21.3"));
    EXPECT_EQ(mhbk::workbooks::readPageWorkbookFile(fresh).book.displayText(0, 7, 2), QStringLiteral("57"));
    EXPECT_EQ(commands->documents().filePath(kInsulationPage), fresh);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("本周.mhbk - Zorvan五金手册"));
    EXPECT_EQ(commands->recent().paths(), (QStringList{fresh}));

    // The recent list tells files of one name apart by their folder.
    auto *recentMenu = window->popupMenu()->findChild<QMenu *>(QStringLiteral("miRecent"));
    ASSERT_NE(recentMenu, nullptr);
    EXPECT_TRUE(recentMenu->toolTipsVisible());
    EXPECT_EQ(recentMenu->actions().front()->toolTip(),
              QStringLiteral("位置：") + QDir::toNativeSeparators(QFileInfo(fresh).absolutePath()));
}

TEST_F(Documents, ClosingWithSeveralChangedPagesOffersOneAnswerForAll)
{
    const int second = 8;
    ASSERT_TRUE(commands->documents().unsavedWork(second)) << "page 8 is a workbook page";
    type(kInsulationPage, "C8", QStringLiteral("21.3"));
    sheet(second).applyUserEdits({{{7, 2}, QStringLiteral("5")}}, QStringLiteral("输入"));
    ASSERT_TRUE(commands->documents().unsavedWork(second)->hasUnsavedChanges());
    reporter.answerWith({mhbk::Answer::DiscardAll});
    window->exitProgram();
    EXPECT_EQ(reporter.questionCount(), 1u);
    EXPECT_EQ(quits, 1);
}

} // namespace

// With no documents folder (a fresh account) the save dialog starts in the home folder and
// suggests a path there; it used to land in the working folder with a path it could not write.
TEST_F(Documents, TheSaveDialogStartsInAFolderThatExists)
{
    const QByteArray oldHome = qgetenv("HOME");
    QTemporaryDir home;
    qputenv("HOME", home.path().toUtf8());
    type(kInsulationPage, "C8", QStringLiteral("21.3"));
    QString shownFolder;
    QStringList suggested;
    QTimer::singleShot(0, [&] {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        shownFolder = dialog->directory().absolutePath();
        suggested = dialog->selectedFiles();
        dialog->reject();
    });
    commands->save();
    qputenv("HOME", oldHome);
    EXPECT_EQ(shownFolder, QDir(home.path()).absolutePath());
    ASSERT_EQ(suggested.size(), 1);
    EXPECT_EQ(suggested.front(), QDir(home.path()).filePath(QStringLiteral("保温自由计算表.mhbk")));
}
