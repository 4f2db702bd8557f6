#pragma once

#include "app/helpfiles.h"
#include "common/pagehost.h"

#include <QMainWindow>
#include <QStringList>
#include <QSystemTrayIcon>
#include <array>
#include <map>
#include <memory>
#include <set>
#include <utility>
#include <vector>

class QAction;
class QBoxLayout;
class QLineEdit;
class QMenu;
class QSplitter;
class QTabWidget;
class QTimer;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace mhbk {

class QueryDataset;
class Autostart;
class HandbookDatabase;
class ScriptEvaluator;
namespace history {
class HistoryStore;
}

struct MainWindowSettings {
    QString executablePath;   // help, history and the autostart entry refer to it
    QString databasePath;     // System.dat, already located
    QString autostartFolder;  // normally ~/.config/autostart
    bool trayAvailable = true;
    QStringList arguments;    // the command-line parameters, without the program name
    UrlOpener openUrl;        // the desktop's "open this"; tests record instead
    // Ends the program once the window has closed. Qt alone does not end it when the window
    // was hidden to the tray, which left an invisible process holding the single-instance lock.
    std::function<void()> quitApplication;
    // Whether a notification area exists now. While there is none it is asked again now and
    // then, so that a panel that starts after the program (autostart at log-on) gets the icon.
    std::function<bool()> trayProbe;
    // The settings file that keeps the window's placement and last page; empty: nothing kept.
    QString stateFile;
    // Where this user's history, lists and corrections are kept; empty: nothing is kept.
    QString userDataFolder;
};

// The one main window: expression bar, navigation tree, the 52 pages, the bottom bar, the
// tray icon and its menu. It owns the datasets and the script service and offers them to the
// pages through PageHost.
class MainWindow : public QMainWindow, public PageHost {
    Q_OBJECT
public:
    MainWindow(Reporter &reporter, MainWindowSettings settings, QWidget *parent = nullptr);
    ~MainWindow() override;

    // PageHost
    Reporter &reporter() override { return reporter_; }
    HandbookDatabase &database() override { return *database_; }
    QueryDataset &query() override;
    QWidget *page(int index) const override;
    QWidget *window() const override { return const_cast<MainWindow *>(this); }
    void addShowHandler(int pageIndex, std::function<void()> handler) override;
    void registerPageServices(int pageIndex, const PageServices &services) override;
    PageServices pageServices(int pageIndex) override { return pageServices_.lookup(pageIndex); }
    void setPageBuilder(int pageIndex, std::function<void()> build) override
    {
        pageServices_.setBuilder(pageIndex, std::move(build));
    }
    void setPageLoader(std::function<void(int)> loader) override { pageLoader_ = std::move(loader); }
    void setSpreadsheetCommands(SpreadsheetCommands *commands) override { spreadsheet_ = commands; }
    QString userDataFolder() const override { return settings_.userDataFolder; }
    void addUnsavedWork(UnsavedWork *work, int pageIndex) override { unsavedWork_.push_back({work, pageIndex}); }
    void showStatus(const QString &text) override;

    // Whether any page holds changes not yet saved (typing still open in a cell counts).
    bool hasUnsavedWork();

    // Handlers, public so that tests can drive them as the user would.
    void showWindow();
    void hideWindow();
    void exitProgram();
    void openHelp();
    void openHistory();
    void showAbout();
    void openWebsite();
    void openEmail();
    void applyHideArgument();
    void onAddToExpressionClicked();
    void onJumpToCalculatorClicked();
    void trayActivated(QSystemTrayIcon::ActivationReason reason);

    // Selects the page's node in the tree, which switches pages as a click would.
    void selectPage(int index);
    int activePage() const;
    bool hidesToTray() const { return settings_.trayAvailable; }
    QWidget *sheetWindow(int pageIndex) const;
    QMenu *popupMenu() const { return popupMenu_; }
    const Autostart &autostart() const { return *autostart_; }

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void fitActivePageSoon(int pass = 0);
    void fitActivePage(int index, int pass);
    void buildTopBar();
    void buildCentre();
    void buildBottomBar();
    void buildPopupMenu();
    void buildTray();
    void watchForTray();
    void restoreWindowState();
    void installPages();
    void finishSetUp();
    void onPageChanging(QTreeWidgetItem *node);
    void onPageChanged(QTreeWidgetItem *node);
    void onPageShown(int index);
    void updateSpreadsheetActions();
    void onRowCommand(void (RowEditor::*command)());
    bool openFocusedContextMenu();
    void guarded(const std::function<void()> &handler);
    bool settleUnsavedWork();

    Reporter &reporter_;
    MainWindowSettings settings_;
    std::unique_ptr<HandbookDatabase> database_;
    std::unique_ptr<QueryDataset> query_;
    std::unique_ptr<ScriptEvaluator> script_;
    std::unique_ptr<history::HistoryStore> history_;
    std::unique_ptr<Autostart> autostart_;

    QLineEdit *calculation_ = nullptr;
    QLineEdit *calResult_ = nullptr;
    QTreeWidget *tree_ = nullptr;
    QTabWidget *pages_ = nullptr;
    std::array<QToolButton *, 5> rowAndExpressionButtons_{}; // SpeedButton31 to SpeedButton35
    QAction *actExportExcel_ = nullptr;
    QAction *actPrintPreview_ = nullptr;
    QMenu *popupMenu_ = nullptr;
    QBoxLayout *barPlace_ = nullptr; // room on the bottom bar for the buttons of other subsystems
    QSystemTrayIcon *tray_ = nullptr;
    QTimer *hideArgumentTimer_ = nullptr;
    QTimer *trayWatch_ = nullptr;
    QSplitter *splitter_ = nullptr;
    std::map<int, QWidget *> sheetWindows_;
    std::map<int, std::vector<std::function<void()>>> showHandlers_;
    PageServiceTable pageServices_;
    SpreadsheetCommands *spreadsheet_ = nullptr;
    std::function<void(int)> pageLoader_;
    std::vector<std::pair<UnsavedWork *, int>> unsavedWork_;
    std::set<int> fittedPages_;
};

} // namespace mhbk
