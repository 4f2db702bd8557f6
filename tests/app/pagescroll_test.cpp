// The page stack on small screens: pages scroll rather than push the window past the screen,
// the window opens and comes back within the screen, and the focused field scrolls into view.
#include "app/mainwindow.h"
#include "app/pagescroll.h"
#include "app/windowstate.h"
#include "common/pageregistry.h"
#include "common/reporter.h"
#include "support/testdb.h"
#include "support/testwindow.h"

#include <QAction>
#include <QApplication>
#include <QDockWidget>
#include <QLineEdit>
#include <QMainWindow>
#include <QScreen>
#include <QScrollBar>
#include <QSettings>
#include <QSplitter>
#include <QTemporaryDir>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {

QRect availableArea() { return QGuiApplication::primaryScreen()->availableGeometry(); }

class PageStackTest : public ::testing::Test {
protected:
    std::unique_ptr<mhbk::MainWindow> showWindow()
    {
        auto w = mhbk::test::makeMainWindow(reporter, db.path());
        w->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(w.get()));
        return w;
    }
    // Page building and fitting the window to a page each take a few rounds of posted events.
    static void settle()
    {
        for (int i = 0; i < 8; ++i)
            QApplication::processEvents();
    }

    mhbk::test::TestDatabaseCopy db;
    mhbk::RecordingReporter reporter;
};

TEST_F(PageStackTest, NoPageForcesTheWindowPastASmallScreenWithOrWithoutTheTakeoffList)
{
    auto w = showWindow();
    auto *dock = w->findChild<QDockWidget *>(QStringLiteral("dockTakeoff"));
    ASSERT_TRUE(dock);
    const QSize smallScreen(1024, 700);
    for (const bool docked : {false, true}) {
        dock->setVisible(docked);
        for (const mhbk::PageEntry &entry : mhbk::pages::all()) {
            w->selectPage(entry.index);
            settle();
            const QSize least = w->minimumSizeHint().expandedTo(w->minimumSize());
            EXPECT_LE(least.width(), smallScreen.width()) << entry.objectName << (docked ? " with the list" : "");
            EXPECT_LE(least.height(), smallScreen.height()) << entry.objectName << (docked ? " with the list" : "");
        }
    }
    EXPECT_TRUE(reporter.empty());
}

TEST_F(PageStackTest, TheWindowStaysWithinTheScreenWhilePagesAskForRoom)
{
    auto w = showWindow();
    const QRect screen = availableArea();
    EXPECT_TRUE(screen.contains(w->geometry())) << w->geometry().height() << " of " << screen.height();
    for (const mhbk::PageEntry &entry : mhbk::pages::all()) {
        w->selectPage(entry.index);
        settle();
        EXPECT_TRUE(screen.contains(w->geometry())) << entry.objectName;
    }
}

TEST_F(PageStackTest, APageShownTheFirstTimeGetsTheRoomItNeedsWhereTheScreenHasIt)
{
    // A small window on the first visit grows until the page fits or the screen ends; a page
    // whose room the user has since taken away is left to scroll.
    auto w = showWindow();
    const int page = mhbk::pages::indexOf("Page_NoSewType");
    w->resize(w->minimumSizeHint());
    settle();
    w->selectPage(page);
    settle();
    auto *area = mhbk::pageScrollAreaOf(w->page(page));
    ASSERT_TRUE(area);
    const bool fits = area->verticalScrollBar()->maximum() == 0 && area->horizontalScrollBar()->maximum() == 0;
    const bool screenFull = w->geometry().height() >= availableArea().height() - 60;
    EXPECT_TRUE(fits || screenFull) << w->size().width() << "x" << w->size().height();

    w->selectPage(0);
    settle();
    w->resize(w->minimumSizeHint());
    w->selectPage(page);
    settle();
    EXPECT_EQ(w->size(), w->minimumSizeHint().expandedTo(w->minimumSize()));
}

TEST_F(PageStackTest, PagesAreHeldWholeAndKeepTheirNames)
{
    auto w = showWindow();
    for (const mhbk::PageEntry &entry : mhbk::pages::all()) {
        QWidget *page = w->page(entry.index);
        ASSERT_TRUE(page) << entry.objectName;
        EXPECT_EQ(page->objectName(), QString::fromLatin1(entry.objectName));
        auto *area = mhbk::pageScrollAreaOf(page);
        ASSERT_TRUE(area) << entry.objectName;
        EXPECT_EQ(area->page(), page);
        EXPECT_TRUE(area->widgetResizable());
    }
    EXPECT_EQ(w->page(-1), nullptr);
    EXPECT_EQ(w->page(mhbk::kPageCount), nullptr);
}

TEST_F(PageStackTest, AFieldGivenTheFocusOnAScrolledPageComesIntoView)
{
    auto w = showWindow();
    const int page = mhbk::pages::indexOf("Page_NoSewType");
    w->selectPage(page);
    settle();
    auto *dock = w->findChild<QDockWidget *>(QStringLiteral("dockTakeoff"));
    dock->show();
    w->resize(w->width(), w->minimumSizeHint().height());
    settle();
    auto *area = mhbk::pageScrollAreaOf(w->page(page));
    ASSERT_GT(area->verticalScrollBar()->maximum(), 0) << "the page must scroll for this test";
    auto *length = w->page(page)->findChild<QLineEdit *>(QStringLiteral("Edit55"));
    auto *first = w->page(page)->findChild<QLineEdit *>(QStringLiteral("Edit9"));
    ASSERT_TRUE(length && first);
    const auto inView = [area](QWidget *field) {
        return area->viewport()->rect().contains(QRect(field->mapTo(area->viewport(), QPoint(0, 0)), field->size()));
    };
    area->verticalScrollBar()->setValue(0);
    length->setFocus(Qt::OtherFocusReason);
    settle();
    EXPECT_TRUE(inView(length));
    area->verticalScrollBar()->setValue(area->verticalScrollBar()->maximum());
    first->setFocus(Qt::OtherFocusReason);
    settle();
    EXPECT_TRUE(inView(first));
    dock->hide();
}

TEST(PageScrollArea, RevealScrollsOnlyWhenTheFieldIsOutOfViewOrPartlyCut)
{
    struct Case {
        const char *what;
        int scrolledTo;   // starting position of the vertical scroll bar
        int field;        // index of the field focused; -1: the big table
        bool moves;
    };
    const Case cases[] = {
        {"a field in view", 0, 1, false},
        {"a field below the view", 0, 25, true},
        {"a field above the view", 10000, 0, true},
        {"a table taller than the view, partly in view", 150, -1, false},
        {"a table taller than the view, out of view", 10000, -1, true},
    };
    for (const Case &c : cases) {
        auto *page = new QWidget;
        auto *layout = new QVBoxLayout(page);
        std::vector<QLineEdit *> edits;
        for (int i = 0; i < 30; ++i) {
            edits.push_back(new QLineEdit(page));
            layout->addWidget(edits.back());
            if (i == 2) {
                auto *big = new QWidget(page);
                big->setObjectName(QStringLiteral("big"));
                big->setFocusPolicy(Qt::StrongFocus);
                big->setMinimumHeight(400);
                layout->addWidget(big);
            }
        }
        mhbk::PageScrollArea area(page);
        area.resize(300, 200);
        area.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&area));
        QApplication::processEvents();
        area.verticalScrollBar()->setValue(c.scrolledTo);
        const int before = area.verticalScrollBar()->value();
        QWidget *field = c.field < 0 ? page->findChild<QWidget *>(QStringLiteral("big")) : edits[size_t(c.field)];
        area.reveal(field);
        EXPECT_EQ(area.verticalScrollBar()->value() != before, c.moves) << c.what;
        if (c.moves && c.field >= 0) {
            const QRect shown(field->mapTo(area.viewport(), QPoint(0, 0)), field->size());
            EXPECT_TRUE(area.viewport()->rect().contains(shown)) << c.what;
        }
    }
}

TEST(PageScrollArea, AskedRoomIsThePagesLeastSizeWithWrappedTextAtTheWidthItGets)
{
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    auto *edit = new QLineEdit(page);
    edit->setMinimumWidth(200);
    layout->addWidget(edit);
    mhbk::PageScrollArea area(page);
    EXPECT_GE(area.pageMinimumSize().width(), 200);
    EXPECT_GE(area.pageMinimumSize().height(), edit->minimumSizeHint().height());
}

TEST(WindowPlacement, ARestoredWindowComesBackWhollyOnTheScreenItNowHas)
{
    const QRect screen = availableArea();
    struct Case {
        const char *what;
        QRect kept;
    };
    const Case cases[] = {
        {"as large as a bigger screen", QRect(0, 0, screen.width() * 2, screen.height() * 2)},
        {"beyond the right and bottom edges", QRect(screen.right() - 50, screen.bottom() - 50, 400, 300)},
        {"above and left of the screen", QRect(screen.left() - 900, screen.top() - 700, 400, 300)},
        {"inside the screen", QRect(screen.left() + 40, screen.top() + 60, 300, 200)},
    };
    for (const Case &c : cases) {
        QTemporaryDir folder;
        const QString file = folder.filePath(QStringLiteral("window.ini"));
        {
            QMainWindow kept;
            QSplitter splitter(&kept);
            kept.setGeometry(c.kept);
            mhbk::WindowStateFile(file).save(kept, splitter, 3);
        }
        QMainWindow window;
        QSplitter splitter(&window);
        window.resize(700, 500);
        EXPECT_EQ(mhbk::WindowStateFile(file).restore(window, splitter), 3) << c.what;
        EXPECT_TRUE(screen.contains(window.geometry())) << c.what;
        if (screen.contains(c.kept.adjusted(-20, -40, 20, 20))) {
            EXPECT_EQ(window.geometry(), c.kept) << c.what;
        }
    }
}

TEST(WindowPlacement, AFirstStartOpensCentredAndNoLargerThanTheScreen)
{
    const QRect screen = availableArea();
    for (const QSize wanted : {QSize(300, 200), screen.size(), screen.size() * 2}) {
        QMainWindow window;
        QSplitter splitter(&window);
        window.resize(wanted);
        EXPECT_EQ(mhbk::WindowStateFile(QString()).restore(window, splitter), -1);
        EXPECT_TRUE(screen.contains(window.geometry())) << wanted.width() << "x" << wanted.height();
        EXPECT_LE(std::abs(window.geometry().center().x() - screen.center().x()), 12) << wanted.width();
    }
}

} // namespace
