#include "app/mainwindow.h"
#include "common/pageregistry.h"
#include "common/reporter.h"
#include "widgets/stringgrid.h"
#include "sheets/sheetwindow.h"
#include "support/testdb.h"
#include "workbooks/view/spreadsheetcommands.h"
#include "workbooks/view/spreadsheetview.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>
#include <QUrl>
#include <gtest/gtest.h>
#include <memory>
#include <optional>

namespace {

class MainWindowTest : public ::testing::Test {
protected:
    std::unique_ptr<mhbk::MainWindow> makeWindow(QStringList arguments = {}, bool trayAvailable = true)
    {
        mhbk::MainWindowSettings settings;
        settings.executablePath = QStringLiteral("/nonexistent/folder/mhbk");
        settings.databasePath = db.path();
        settings.autostartFolder = QStringLiteral("/nonexistent/folder/autostart");
        settings.trayAvailable = trayAvailable;
        settings.arguments = std::move(arguments);
        settings.openUrl = [this](const QUrl &url) { opened.push_back(url); };
        return std::make_unique<mhbk::MainWindow>(reporter, settings);
    }

    QTreeWidget *tree(mhbk::MainWindow &w) { return w.findChild<QTreeWidget *>(QStringLiteral("TreeView1")); }
    QTabWidget *pages(mhbk::MainWindow &w) { return w.findChild<QTabWidget *>(QStringLiteral("PageControl1")); }
    bool enabled(mhbk::MainWindow &w, const char *name)
    {
        return w.findChild<QToolButton *>(QString::fromLatin1(name))->isEnabled();
    }

    mhbk::test::TestDatabaseCopy db;
    mhbk::RecordingReporter reporter;
    std::vector<QUrl> opened;
};

// The states a page gives to 插入/删除/保存, 加入表达式 and 跳转至计算器 when it is shown.
// kKeep: 加入表达式 and 跳转至计算器 stay as the page shown before set them, while 插入/删除/
// 保存 go off (they never stay on for a grid that is no longer on screen).
struct Buttons {
    bool rowEditing;
    bool addToExpression;
    bool jumpToCalculator;
};
constexpr std::optional<Buttons> kKeep;
constexpr Buttons kJumpOnly{false, false, true};
constexpr Buttons kAddAndJump{false, true, true};
constexpr Buttons kEditing{true, true, true};

// Every page as the user and the stored names know it, in tab order.
const struct {
    int index;
    const char *objectName;
    const char *caption;
    std::optional<Buttons> buttons;
} kPages[] = {
    {0, "Page_Calculate", "计算器", kJumpOnly},
    {1, "TabSheet1", "常量设置", kKeep},
    {2, "Page_comunit", "常用单位转换", kEditing},
    {3, "Page_constdensity", "常用材料密度", kEditing},
    {4, "Page_constformula", "常用型材计算公式", kJumpOnly},
    {5, "Page_GGBW_Old", "保温材料(公称直径)", kKeep},
    {6, "Page_GGBW", "保温材料(管外径)", kKeep},
    {7, "page_zyb", "保温自由计算表", kKeep},
    {8, "page_gsztg", "给水铸铁管表面积", kKeep},
    {9, "page_sxb", "排水铸铁管表面积", kKeep},
    {10, "TabSheet2", "水箱绝热、保温层", kKeep},
    {11, "Page_circle", "圆钢", kAddAndJump},
    {12, "Page_sqare", "方钢", kAddAndJump},
    {13, "Page_Rectangle", "矩形钢", kAddAndJump},
    {14, "Page_Hexagon", "六角钢", kAddAndJump},
    {15, "Page_BianG", "扁钢", kAddAndJump},
    {16, "Page_Regular", "等边角钢", kAddAndJump},
    {17, "Page_NORegular", "不等边角钢", kAddAndJump},
    {18, "Page_Ishaped", "工字钢", kAddAndJump},
    {19, "Page_LightIshaped", "轻型工字钢", kAddAndJump},
    {20, "Page_groove", "槽钢", kAddAndJump},
    {21, "Page_Lightgroove", "轻型槽钢", kAddAndJump},
    {22, "Page_steelboard", "钢板", kAddAndJump},
    {23, "TabSheet7", "花纹钢板", kAddAndJump},
    {24, "Page_NoSewType", "热轧无缝钢管", kJumpOnly},
    {25, "Page_ColdSewType", "冷轧无缝钢管", kJumpOnly},
    {26, "Page_NicetyNoSew", "冷轧精密无缝钢管", kJumpOnly},
    {27, "Page_BoilerNoSew", "低中压结构锅炉用无缝钢管", kJumpOnly},
    {28, "Page_SeelTube", "焊接钢管", kAddAndJump},
    {29, "Page_SleeveTube", "电线套管", kAddAndJump},
    {30, "Page_ScrewTube", "螺旋电焊钢管", kAddAndJump},
    {31, "Page_stainlessHot", "不锈钢无缝热轧钢管", kJumpOnly},
    {32, "Page_stainlessCold", "不锈钢无缝冷轧钢管", kJumpOnly},
    {33, "page_snsc1", "速查表1", kKeep},
    {34, "page_snsc2", "速查表2", kKeep},
    {35, "page_snzzfxb1", "工程用料总帐分析表", kKeep},
    {36, "page_snzzfxb3", "铸铁排水管分析表", kKeep},
    {37, "page_csb1", "测算表(铸铁排水管)", kKeep},
    {38, "page_csb2", "测算表(铝塑复合接头)", kKeep},
    {39, "page_csb3", "测算表(塑料排水管)", kKeep},
    {40, "page_csb4", "测算表(焊接钢管接头)", kKeep},
    {41, "page_csb5", "测算表(镀锌钢管接头)", kKeep},
    {42, "page_csb6", "测算表(聚丙烯管接头)", kKeep},
    {43, "TabSheet3", "圆形风管绝热保温层", kKeep},
    {44, "TabSheet4", "矩形风管绝热保温层", kKeep},
    {45, "TabSheet8", "矩形风管板厚、定额选择(中低压)", kKeep},
    {46, "TabSheet9", "矩形风管板厚、定额选择(高压)", kKeep},
    {47, "TabSheet10", "矩形风管板厚、定额选择(除尘风管)", kKeep},
    {48, "TabSheet11", "圆形风管板厚、定额选择", kKeep},
    {49, "TabSheet5", "焊接、镀锌钢管价格换算表", kKeep},
    {50, "TabSheet6", "水表井砖砌体及抹灰等", kKeep},
    {51, "TabSheet12", "直埋热水管道挖管沟土方、回填砂、土速算表", kKeep},
};

// The tree's groups in order, with the pages under each.
const struct {
    const char *caption;
    int firstPage;
    int lastPage;
} kGroups[] = {
    {"计算", 0, 1},
    {"公式", 2, 4},
    {"钢管刷油保温", 5, 7},
    {"给、排水铸铁管表面积", 8, 9},
    {"水箱绝热、保温层", 10, 10},
    {"型钢", 11, 21},
    {"钢板", 22, 23},
    {"钢管", 24, 32},
    {"水卫暖通速查", 33, 34},
    {"水暖总帐分析表", 35, 36},
    {"管件含量测算表", 37, 42},
    {"风管绝热保温层", 43, 48},
    {"焊接、镀锌钢管价格换算表", 49, 49},
    {"水表井砖砌体及抹灰等", 50, 50},
    {"挖管沟土方,回填砂,土速算表", 51, 51},
};

TEST_F(MainWindowTest, StartsOnTheKeypadWithOnlyTheFirstGroupExpanded)
{
    auto w = makeWindow();
    QTreeWidget *t = tree(*w);
    ASSERT_EQ(t->topLevelItemCount(), int(std::size(kGroups)));
    for (int g = 0; g < t->topLevelItemCount(); ++g) {
        const QTreeWidgetItem *group = t->topLevelItem(g);
        EXPECT_EQ(group->text(0), QString::fromUtf8(kGroups[g].caption));
        EXPECT_EQ(group->isExpanded(), g == 0) << g;
        ASSERT_EQ(group->childCount(), kGroups[g].lastPage - kGroups[g].firstPage + 1) << g;
        for (int c = 0; c < group->childCount(); ++c)
            EXPECT_EQ(group->child(c)->text(0), QString::fromUtf8(kPages[kGroups[g].firstPage + c].caption));
    }
    EXPECT_EQ(w->activePage(), 0);
    EXPECT_EQ(t->currentItem()->text(0), QStringLiteral("计算器"));
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Zorvan五金手册"));
    EXPECT_FALSE(pages(*w)->tabBar()->isVisible());
    ASSERT_EQ(pages(*w)->count(), int(std::size(kPages)));
    for (const auto &page : kPages) {
        EXPECT_EQ(w->page(page.index)->objectName(), QString::fromLatin1(page.objectName));
        EXPECT_EQ(pages(*w)->tabText(page.index), QString::fromUtf8(page.caption));
    }
}

TEST_F(MainWindowTest, ButtonStatesFollowEachPageAndRowEditingOnlyOnEditableGrids)
{
    auto w = makeWindow();
    // Visit pages in an order that puts "unchanged" pages after pages of every kind.
    const int visits[] = {2, 1, 11, 5, 24, 33, 0, 10, 3, 45, 4, 51, 28, 7, 3, 6, 2, 49};
    Buttons expected = kJumpOnly; // the keypad's, shown first
    for (int index : visits) {
        w->selectPage(index);
        ASSERT_EQ(w->activePage(), index);
        expected = kPages[index].buttons.value_or(Buttons{false, expected.addToExpression, expected.jumpToCalculator});
        EXPECT_EQ(enabled(*w, "SpeedButton31"), expected.rowEditing) << index;
        EXPECT_EQ(enabled(*w, "SpeedButton32"), expected.rowEditing) << index;
        EXPECT_EQ(enabled(*w, "SpeedButton33"), expected.rowEditing) << index;
        EXPECT_EQ(enabled(*w, "SpeedButton34"), expected.addToExpression) << index;
        EXPECT_EQ(enabled(*w, "SpeedButton35"), expected.jumpToCalculator) << index;
    }
}

// Every record of a table as one text, read over a connection of the test's own.
QString tableText(const QString &path, const QString &table)
{
    QString text;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("tableText"));
        db.setDatabaseName(path);
        EXPECT_TRUE(db.open());
        QSqlQuery query(db);
        EXPECT_TRUE(query.exec(QStringLiteral("SELECT * FROM \"%1\" ORDER BY rowid").arg(table)));
        while (query.next())
            for (int f = 0; f < 4; ++f)
                text += query.value(f).toString() + QLatin1Char('|');
    }
    QSqlDatabase::removeDatabase(QStringLiteral("tableText"));
    return text;
}

TEST_F(MainWindowTest, RowCommandsNeverReachAnEditableGridThatIsNotOnScreen)
{
    auto w = makeWindow();
    w->show();
    const QString units = tableText(db.path(), QStringLiteral("comunit"));
    const QString densities = tableText(db.path(), QStringLiteral("constdensity"));
    ASSERT_FALSE(densities.isEmpty());
    const int densityPage = mhbk::pages::indexOf("Page_constdensity");
    // 常量设置, both sheets, workbook pages with and without a workbook, and a section page.
    for (const char *elsewhere : {"TabSheet1", "Page_GGBW_Old", "Page_GGBW", "page_zyb", "TabSheet5", "TabSheet8",
                                  "Page_circle", "Page_constformula"}) {
        w->selectPage(densityPage);
        EXPECT_TRUE(enabled(*w, "SpeedButton31"));
        w->findChild<mhbk::StringGrid *>(QStringLiteral("StringGrid2"))->setCurrentCell(1, 0);
        w->selectPage(mhbk::pages::indexOf(elsewhere));
        for (const char *name : {"SpeedButton31", "SpeedButton32", "SpeedButton33"}) {
            auto *button = w->findChild<QToolButton *>(QString::fromLatin1(name));
            EXPECT_FALSE(button->isEnabled()) << elsewhere << " " << name;
            button->click();          // ignored by the disabled button
            button->setEnabled(true); // and the command itself finds no grid on this page
            button->click();
        }
    }
    EXPECT_EQ(tableText(db.path(), QStringLiteral("constdensity")), densities);
    EXPECT_EQ(tableText(db.path(), QStringLiteral("comunit")), units);
    EXPECT_TRUE(reporter.empty()) << reporter.last().text.toStdString();
}

TEST_F(MainWindowTest, GroupNodeKeepsThePageAndArrowKeysSwitchLikeClicks)
{
    auto w = makeWindow();
    w->show();
    QTreeWidget *t = tree(*w);
    w->selectPage(12);
    t->setCurrentItem(t->topLevelItem(3)); // a group node
    EXPECT_EQ(w->activePage(), 12);

    t->setFocus();
    w->selectPage(11);
    QTest::keyClick(t, Qt::Key_Down);
    EXPECT_EQ(w->activePage(), 12);
    QTest::keyClick(t, Qt::Key_Down);
    EXPECT_EQ(w->activePage(), 13);
    QTest::keyClick(t, Qt::Key_Up);
    EXPECT_EQ(w->activePage(), 12);
}

TEST_F(MainWindowTest, JumpToCalculatorSelectsTheFirstLeaf)
{
    auto w = makeWindow();
    w->selectPage(30);
    w->onJumpToCalculatorClicked();
    EXPECT_EQ(w->activePage(), 0);
}

TEST_F(MainWindowTest, AddToExpressionTakesTheFocusedGridsCurrentCellAtTheCaret)
{
    auto w = makeWindow();
    w->show();
    QApplication::setActiveWindow(w.get());
    auto *grid = new QTableWidget(2, 2, w->page(11));
    grid->setItem(1, 1, new QTableWidgetItem(QStringLiteral("0.617")));
    grid->setCurrentCell(1, 1);
    auto *calc = w->findChild<QLineEdit *>(QStringLiteral("Calculation"));
    calc->setText(QStringLiteral("2*"));
    calc->setCursorPosition(2);

    grid->setFocus();
    QApplication::processEvents();
    ASSERT_EQ(QApplication::focusWidget(), grid);
    w->onAddToExpressionClicked();
    EXPECT_EQ(calc->text(), QStringLiteral("2*0.617"));
    EXPECT_EQ(QApplication::focusWidget(), grid);

    calc->setFocus();
    w->onAddToExpressionClicked(); // not a grid: nothing happens
    EXPECT_EQ(calc->text(), QStringLiteral("2*0.617"));
}

// 加入表达式 on the pages' own grids: a caption cell is never inserted, a value cell is.
TEST_F(MainWindowTest, AddToExpressionNeverInsertsACaption)
{
    struct Case {
        int page;
        const char *grid;
        int captionColumn;
        int captionRow;
        int valueColumn;
        int valueRow;
    };
    const Case cases[] = {
        {15, "StringGrid22", 5, 0, 5, 5},  // flat bar: a thickness caption
        {15, "StringGrid22", 0, 7, 5, 7},  // flat bar: a width caption
        {11, "StringGrid4", 1, 0, 1, 1},   // round bar: the caption row of a block
        {23, "sgridHWGB", 1, 0, 1, 1},     // checkered plate
    };
    auto w = makeWindow();
    w->show();
    QApplication::setActiveWindow(w.get());
    auto *calc = w->findChild<QLineEdit *>(QStringLiteral("Calculation"));
    for (const Case &c : cases) {
        SCOPED_TRACE(c.grid);
        w->selectPage(c.page);
        auto *grid = w->page(c.page)->findChild<QTableWidget *>(QString::fromLatin1(c.grid));
        ASSERT_NE(grid, nullptr);
        grid->setFocus();
        QApplication::processEvents();
        ASSERT_EQ(QApplication::focusWidget(), grid);

        calc->setText(QStringLiteral("1+"));
        calc->setCursorPosition(2);
        grid->setCurrentCell(c.captionRow, c.captionColumn);
        ASSERT_FALSE(grid->currentItem()->text().isEmpty());
        w->onAddToExpressionClicked();
        EXPECT_EQ(calc->text(), QStringLiteral("1+"));

        grid->setCurrentCell(c.valueRow, c.valueColumn);
        const QString value = grid->currentItem()->text();
        ASSERT_FALSE(value.isEmpty());
        w->onAddToExpressionClicked();
        EXPECT_EQ(calc->text(), QStringLiteral("1+") + value);
    }
}

TEST_F(MainWindowTest, HideParameterIsReadFromTheFirstParameterInAnyCase)
{
    const struct {
        QStringList args;
        bool hidden;
    } cases[] = {
        {{QStringLiteral("-hide")}, true},
        {{QStringLiteral("-HIDE")}, true},
        {{QStringLiteral("-Hide")}, true},
        {{QStringLiteral("x"), QStringLiteral("-hide")}, false},
        {{}, false},
        {{QStringLiteral("-hidden")}, false},
    };
    for (const auto &c : cases) {
        auto w = makeWindow(c.args);
        w->show();
        w->applyHideArgument();
        EXPECT_EQ(w->isHidden(), c.hidden) << c.args.join(QLatin1Char(' ')).toStdString();
    }
}

TEST_F(MainWindowTest, WithoutANotificationAreaHidingMinimisesInstead)
{
    auto w = makeWindow({QStringLiteral("-hide")}, false);
    w->show();
    w->hideWindow();
    EXPECT_TRUE(w->isVisible());
    EXPECT_TRUE(w->isMinimized() || w->windowState().testFlag(Qt::WindowMinimized));
    w->showWindow();
    EXPECT_FALSE(w->isMinimized());
}

TEST_F(MainWindowTest, TrayDoubleClickTogglesTheWindow)
{
    auto w = makeWindow();
    w->show();
    w->trayActivated(QSystemTrayIcon::DoubleClick);
    EXPECT_FALSE(w->isVisible());
    w->trayActivated(QSystemTrayIcon::DoubleClick);
    EXPECT_TRUE(w->isVisible());
    w->trayActivated(QSystemTrayIcon::Trigger);
    EXPECT_TRUE(w->isVisible());
}

TEST_F(MainWindowTest, MenuHasTheItemsInOrderAndHelpReportsAMissingFile)
{
    auto w = makeWindow();
    QStringList names;
    for (QAction *action : w->popupMenu()->actions())
        names << (action->isSeparator() ? QStringLiteral("-") : action->objectName());
    EXPECT_EQ(names.join(QLatin1Char(',')),
              QStringLiteral("miOpen,miSave,miSaveAs,miRecentFiles,-,miShow,miHide,-,miHelpWWW,miHelpEmail,-,miTakeoff,-,miHelp,miHistory,miAbout,-,miExit"));

    reporter.clear();
    w->popupMenu()->findChild<QAction *>(QStringLiteral("miHelp"))->trigger();
    ASSERT_EQ(reporter.size(), 1u);
    EXPECT_EQ(reporter.last().text, QStringLiteral("找不到帮助文件：/nonexistent/folder/mhbk.html"));
    EXPECT_EQ(reporter.last().caption, QStringLiteral("警告"));

    w->popupMenu()->findChild<QAction *>(QStringLiteral("miHelpEmail"))->trigger();
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0].scheme(), QStringLiteral("mailto"));
}

// Tab goes round the visible controls and back to the expression; it used to stop on the hidden
// page tab bar, where typed keys vanished.
TEST_F(MainWindowTest, TabCyclesThroughVisibleControlsOnly)
{
    auto w = makeWindow();
    w->show();
    QApplication::setActiveWindow(w.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    auto *start = w->findChild<QLineEdit *>(QStringLiteral("Calculation"));
    start->setFocus(Qt::OtherFocusReason);
    ASSERT_EQ(QApplication::focusWidget(), start);
    bool back = false;
    for (int step = 0; step < 40 && !back; ++step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget *now = QApplication::focusWidget();
        ASSERT_NE(now, nullptr) << step;
        EXPECT_TRUE(now->isVisible()) << step << " " << now->metaObject()->className() << " "
                                      << now->objectName().toStdString();
        EXPECT_NE(now, pages(*w)->tabBar()) << step;
        back = now == start;
    }
    EXPECT_TRUE(back) << "Tab never came back to the expression";
}

TEST_F(MainWindowTest, MenuKeysOpenTheCommandMenuAndButtonsNameTheirKeys)
{
    auto w = makeWindow();
    w->show();
    QApplication::setActiveWindow(w.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    // F10 opens the command menu from anywhere; Shift+F10 and the menu key open the focused
    // control's own menu when it has one (the expression field's edit menu), else the command menu.
    auto *tree = w->findChild<QTreeWidget *>();
    ASSERT_NE(tree, nullptr);
    auto *expression = qobject_cast<QLineEdit *>(QApplication::focusWidget());
    ASSERT_NE(expression, nullptr) << "the window starts in the expression field";
    const struct {
        QWidget *focus;
        QKeyCombination keys;
        bool commandMenu;
    } cases[] = {{expression, QKeyCombination(Qt::Key_F10), true},
                 {tree, QKeyCombination(Qt::Key_F10), true},
                 {tree, QKeyCombination(Qt::SHIFT, Qt::Key_F10), true},
                 {tree, QKeyCombination(Qt::Key_Menu), true},
                 {expression, QKeyCombination(Qt::SHIFT, Qt::Key_F10), false},
                 {expression, QKeyCombination(Qt::Key_Menu), false}};
    for (const auto &c : cases) {
        c.focus->setFocus(Qt::OtherFocusReason);
        QTest::keyClick(c.focus, c.keys.key(), c.keys.keyboardModifiers());
        const std::string what = QKeySequence(c.keys).toString().toStdString() + " in " + c.focus->metaObject()->className();
        EXPECT_EQ(w->popupMenu()->isVisible(), c.commandMenu) << what;
        auto *shown = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        EXPECT_TRUE(shown != nullptr) << what << ": no menu opened";
        if (shown)
            shown->hide();
    }
    const struct {
        const char *button;
        const char *keys;
    } named[] = {{"SpeedButton31", "Alt+Ins"}, {"SpeedButton32", "Alt+Del"}, {"sbHide", "Ctrl+Shift+H"},
                 {"sbTakeoffList", "Ctrl+L"}, {"SpeedButton36", "F10"}};
    for (const auto &n : named) {
        auto *button = w->findChild<QToolButton *>(QString::fromLatin1(n.button));
        ASSERT_NE(button, nullptr) << n.button;
        EXPECT_TRUE(button->toolTip().contains(QString::fromLatin1(n.keys))) << n.button << ": "
                                                                              << button->toolTip().toStdString();
    }
    // Ctrl+L shows and hides the takeoff list with the menu closed.
    auto *toggle = w->findChild<QAction *>(QStringLiteral("miTakeoff"));
    ASSERT_NE(toggle, nullptr);
    const bool shown = toggle->isChecked();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_L, Qt::ControlModifier);
    EXPECT_NE(toggle->isChecked(), shown);
}

TEST_F(MainWindowTest, SheetWindowsAreEmbeddedOnceOnTheirOwnPages)
{
    auto w = makeWindow();
    w->show();
    w->selectPage(6);
    QWidget *first = w->sheetWindow(6);
    ASSERT_NE(first, nullptr) << "selecting page 6 must embed its sheet window";
    EXPECT_EQ(first->parentWidget(), w->page(6));
    EXPECT_TRUE(first->isVisible());
    EXPECT_EQ(w->sheetWindow(5), nullptr) << "a sheet window is made on its page's first selection only";

    w->selectPage(0);
    w->selectPage(6);
    EXPECT_EQ(w->sheetWindow(6), first);
    w->selectPage(5);
    QWidget *second = w->sheetWindow(5);
    ASSERT_NE(second, nullptr);
    EXPECT_NE(second, first);
    EXPECT_EQ(second->parentWidget(), w->page(5));
    w->selectPage(6);
    w->selectPage(5);
    // Coming back makes no second window: each page holds exactly one, the one first made.
    for (int page : {5, 6})
        EXPECT_EQ(w->page(page)->findChildren<mhbk::sheets::SheetWindow *>().size(), 1) << "page " << page;
}

// The workbook pages talk to the window: a refused cell says why in the status bar, and what
// is being typed when the page is left stays in the sheet.
TEST_F(MainWindowTest, WorkbookPagesReportRefusalsAndKeepTypingAcrossPageSwitches)
{
    auto w = makeWindow();
    w->show();
    w->selectPage(40);
    auto *sheet = mhbk::view::pageSpreadsheet(w->page(40));
    ASSERT_NE(sheet, nullptr);
    QStatusBar *status = w->findChild<QStatusBar *>();
    ASSERT_NE(status, nullptr);

    sheet->setCurrentCell(1, 1); // the title
    QTest::keyClick(sheet, '5');
    EXPECT_FALSE(sheet->isEditing());
    EXPECT_EQ(status->currentMessage(), QStringLiteral("该单元格是公式或固定内容，不能修改"));

    sheet->setCurrentCell(5, 2); // DN15's installed length, a yellow input
    QTest::keyClick(sheet, '7');
    ASSERT_TRUE(sheet->isEditing());
    w->selectPage(41);
    EXPECT_FALSE(sheet->isEditing());
    EXPECT_EQ(sheet->cellText(5, 2), QStringLiteral("7"));
    w->selectPage(40);
    EXPECT_EQ(sheet->cellText(5, 2), QStringLiteral("7"));
    EXPECT_TRUE(reporter.empty());
}

} // namespace
