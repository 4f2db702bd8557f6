#include "app/mainwindow.h"

#include "app/autostart.h"
#include "app/documentcommands.h"
#include "common/guarded.h"
#include "common/pageregistry.h"
#include "app/icons.h"
#include "app/navigationtree.h"
#include "app/pagescroll.h"
#include "app/windowstate.h"
#include "data/database.h"
#include "data/datasets.h"
#include "expr/calculatorpages.h"
#include "expr/scriptservice.h"
#include "history/historystore.h"
#include "reference/referencepages.h"
#include "search/searchpanel.h"
#include "sections/sectionpages.h"
#include "sheets/sheetwindows.h"
#include "takeoff/ui/takeoffinstall.h"
#include "workbooks/workbookpages.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QSplitter>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace mhbk {

namespace {

QToolButton *barButton(const QString &name, QWidget *parent)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(name);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus); // the focus must stay on the grid for 加入表达式
    button->setMinimumHeight(22);
    return button;
}

QToolButton *textButton(const QString &name, const QString &caption, QWidget *parent)
{
    QToolButton *button = barButton(name, parent);
    button->setText(caption);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    button->setMinimumWidth(75);
    return button;
}

QToolButton *glyphButton(const QString &name, const QString &glyphName, const QString &hint, QWidget *parent)
{
    QToolButton *button = barButton(name, parent);
    button->setIcon(glyph(glyphName));
    button->setToolTip(hint);
    button->setFixedSize(23, 22);
    return button;
}

// A key for a bottom-bar button, named in its tooltip so that it can be learnt.
void giveShortcut(QToolButton *button, const QKeySequence &keys, const QString &hint)
{
    button->setShortcut(keys);
    button->setToolTip(QStringLiteral("%1 (%2)").arg(hint, keys.toString(QKeySequence::NativeText)));
}

} // namespace

MainWindow::MainWindow(Reporter &reporter, MainWindowSettings settings, QWidget *parent)
    : QMainWindow(parent), reporter_(reporter), settings_(std::move(settings))
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowIcon(applicationIcon());
    database_ = std::make_unique<HandbookDatabase>(settings_.databasePath);
    query_ = std::make_unique<QueryDataset>(*database_);
    script_ = std::make_unique<ScriptEvaluator>(reporter_);
    // A damaged history file is set aside by the store and the history starts empty.
    history_ = std::make_unique<history::HistoryStore>(settings_.userDataFolder);
    history_->load();
    autostart_ = std::make_unique<Autostart>(settings_.autostartFolder, settings_.executablePath);

    auto *central = new QWidget(this);
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    setCentralWidget(central);
    buildTopBar();
    buildCentre();
    buildBottomBar();
    buildPopupMenu();
    installPages();
    finishSetUp();
    // At least 820 × 600, or what the bars need with this desktop's fonts; each page asks for
    // more room when it is first shown (fitActivePage), as far as the screen allows.
    resize(minimumSizeHint().expandedTo(QSize(820, 600)));
    restoreWindowState();
}

void MainWindow::restoreWindowState()
{
    const int page = WindowStateFile(settings_.stateFile).restore(*this, *splitter_);
    if (pages::isIndex(page))
        selectPage(page);
}

MainWindow::~MainWindow()
{
    // Pages hold pointers to the datasets and the script service: let them go first.
    delete centralWidget();
}

void MainWindow::buildTopBar()
{
    auto *panel4 = new QFrame(centralWidget());
    panel4->setObjectName(QStringLiteral("Panel4"));
    panel4->setFrameShape(QFrame::StyledPanel);
    panel4->setMinimumHeight(33);
    auto *row = new QHBoxLayout(panel4);
    row->setContentsMargins(8, 4, 8, 4);
    row->addStretch(1);
    row->addWidget(new QLabel(QStringLiteral("计算式："), panel4));
    calculation_ = new QLineEdit(panel4);
    calculation_->setObjectName(QStringLiteral("Calculation"));
    calculation_->setMinimumWidth(297);
    row->addWidget(calculation_, 6);
    row->addWidget(new QLabel(QStringLiteral(" =  "), panel4));
    calResult_ = new QLineEdit(panel4);
    calResult_->setObjectName(QStringLiteral("CalResult"));
    calResult_->setMinimumWidth(105);
    row->addWidget(calResult_, 2);
    static_cast<QVBoxLayout *>(centralWidget()->layout())->addWidget(panel4);
}

void MainWindow::buildCentre()
{
    auto *splitter = new QSplitter(Qt::Horizontal, centralWidget());
    splitter_ = splitter;
    splitter->setObjectName(QStringLiteral("Splitter1"));
    splitter->setHandleWidth(5);
    splitter->setChildrenCollapsible(false);

    auto *panel3 = new QFrame(splitter);
    panel3->setObjectName(QStringLiteral("Panel3"));
    // The tree keeps its width when a wide page asks for room; the window grows instead.
    panel3->setMinimumWidth(130);
    auto *treeLayout = new QVBoxLayout(panel3);
    treeLayout->setContentsMargins(0, 0, 0, 0);
    tree_ = new QTreeWidget(panel3);
    tree_->setObjectName(QStringLiteral("TreeView1"));
    tree_->setHeaderHidden(true);
    tree_->setIndentation(19);
    tree_->setIconSize(QSize(16, 16));
    tree_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    QPalette treePalette = tree_->palette();
    treePalette.setColor(QPalette::Base, treePalette.color(QPalette::ToolTipBase));
    // The selection stays highlighted when the tree loses the focus.
    treePalette.setColor(QPalette::Inactive, QPalette::Highlight, treePalette.color(QPalette::Active, QPalette::Highlight));
    treePalette.setColor(QPalette::Inactive, QPalette::HighlightedText,
                         treePalette.color(QPalette::Active, QPalette::HighlightedText));
    tree_->setPalette(treePalette);
    auto *search = new SearchPanel(*this, [this](int page) { selectPage(page); }, panel3);
    connect(search, &SearchPanel::leaveRequested, tree_, [this] { tree_->setFocus(Qt::ShortcutFocusReason); });
    treeLayout->addWidget(search);
    treeLayout->addWidget(tree_, 1);

    pages_ = new QTabWidget(splitter);
    pages_->setObjectName(QStringLiteral("PageControl1"));
    pages_->setDocumentMode(true);
    for (const PageEntry &entry : pages::all()) {
        auto *sheet = new QWidget;
        sheet->setObjectName(QString::fromLatin1(entry.objectName));
        pages_->addTab(new PageScrollArea(sheet), QString::fromUtf8(entry.caption));
    }
    // Moving the focus by any means (Tab, Enter in a field, a message pointing at a field)
    // brings the field into view on a page that scrolls.
    connectGuarded(qApp, &QApplication::focusChanged, this, reporter_, [](QWidget *, QWidget *now) {
        if (PageScrollArea *area = pageScrollAreaOf(now))
            area->reveal(now);
    });
    splitter->addWidget(panel3);
    splitter->addWidget(pages_);
    splitter->setStretchFactor(0, 0);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({170, 650}); // wide enough for the longest page names at this font
    static_cast<QVBoxLayout *>(centralWidget()->layout())->addWidget(splitter, 1);
}

void MainWindow::buildBottomBar()
{
    auto *bevel = new QFrame(centralWidget());
    bevel->setObjectName(QStringLiteral("Bevel1"));
    bevel->setFrameShape(QFrame::HLine);
    bevel->setFrameShadow(QFrame::Sunken);
    auto *panel1 = new QFrame(centralWidget());
    panel1->setObjectName(QStringLiteral("Panel1"));
    panel1->setMinimumHeight(41);
    auto *row = new QHBoxLayout(panel1);
    row->setContentsMargins(16, 6, 0, 6);
    row->setSpacing(2);

    QToolButton *exit = textButton(QStringLiteral("sbExit"), QStringLiteral("退出"), panel1);
    connect(exit, &QToolButton::clicked, this, [this] { guarded([this] { exitProgram(); }); });
    row->addWidget(exit);
    row->addSpacing(12);

    QToolButton *menuButton = glyphButton(QStringLiteral("SpeedButton36"), QStringLiteral("menu"), QString(), panel1);
    // The menu opens where the mouse button was released, as a release always lands on the button.
    connect(menuButton, &QToolButton::clicked, this, [this, menuButton] {
        popupMenu_->popup(menuButton->mapToGlobal(menuButton->mapFromGlobal(QCursor::pos())));
    });
    row->addWidget(menuButton);
    // The keys desktop programs open their menu with: F10, and Shift+F10 or the menu key. The
    // last two go first to the focused control as a keyboard context menu (a result field's
    // 复制（带单位）, a line edit's own menu); a control without a menu leaves them to the
    // command menu. A spreadsheet takes both keys before they get here.
    const auto openCommandMenu = [this, menuButton] {
        popupMenu_->popup(menuButton->mapToGlobal(QPoint(0, -popupMenu_->sizeHint().height())));
    };
    auto *menuKeys = new QAction(QStringLiteral("命令菜单"), this);
    menuKeys->setObjectName(QStringLiteral("actCommandMenu"));
    menuKeys->setShortcut(QKeySequence(Qt::Key_F10));
    connect(menuKeys, &QAction::triggered, this, openCommandMenu);
    addAction(menuKeys);
    auto *contextKeys = new QAction(QStringLiteral("上下文菜单"), this);
    contextKeys->setObjectName(QStringLiteral("actContextMenu"));
    contextKeys->setShortcuts({QKeySequence(Qt::SHIFT | Qt::Key_F10), QKeySequence(Qt::Key_Menu)});
    connect(contextKeys, &QAction::triggered, this, [this, openCommandMenu] {
        if (!openFocusedContextMenu())
            openCommandMenu();
    });
    addAction(contextKeys);
    menuButton->setToolTip(QStringLiteral("命令菜单 (F10)"));

    QToolButton *jump = glyphButton(QStringLiteral("SpeedButton35"), QStringLiteral("calculator"),
                                    QStringLiteral("跳转至计算器"), panel1);
    connect(jump, &QToolButton::clicked, this, [this] { guarded([this] { onJumpToCalculatorClicked(); }); });
    QToolButton *addExpression = glyphButton(QStringLiteral("SpeedButton34"), QStringLiteral("addexpr"),
                                             QStringLiteral("加入表达式"), panel1);
    connect(addExpression, &QToolButton::clicked, this, [this] { guarded([this] { onAddToExpressionClicked(); }); });
    row->addWidget(jump);
    row->addWidget(addExpression);

    actExportExcel_ = new QAction(glyph(QStringLiteral("excel")), QStringLiteral("输出到Excel"), this);
    actExportExcel_->setObjectName(QStringLiteral("actExportExcel"));
    actPrintPreview_ = new QAction(glyph(QStringLiteral("preview")), QStringLiteral("打印预览"), this);
    actPrintPreview_->setObjectName(QStringLiteral("actPrintPreview"));
    connect(actExportExcel_, &QAction::triggered, this, [this] {
        guarded([this] {
            if (spreadsheet_ && spreadsheet_->hasSpreadsheet(page(activePage())))
                spreadsheet_->exportExcel(page(activePage()));
        });
    });
    connect(actPrintPreview_, &QAction::triggered, this, [this] {
        guarded([this] {
            if (spreadsheet_ && spreadsheet_->hasSpreadsheet(page(activePage())))
                spreadsheet_->printPreview(page(activePage()));
        });
    });
    QToolButton *exportButton = barButton(QStringLiteral("SpeedButton37"), panel1);
    exportButton->setDefaultAction(actExportExcel_);
    exportButton->setFixedSize(23, 22);
    QToolButton *previewButton = barButton(QStringLiteral("SpeedButton38"), panel1);
    previewButton->setDefaultAction(actPrintPreview_);
    previewButton->setFixedSize(23, 22);
    row->addWidget(exportButton);
    row->addWidget(previewButton);
    row->addSpacing(12);

    const char *rowCaptions[] = {"插入", "删除", "保存"};
    for (int i = 0; i < 3; ++i) {
        QToolButton *button = textButton(QStringLiteral("SpeedButton%1").arg(31 + i), QString::fromUtf8(rowCaptions[i]),
                                         panel1);
        constexpr void (RowEditor::*commands[])() = {&RowEditor::insertItem, &RowEditor::deleteItem, &RowEditor::save};
        connect(button, &QToolButton::clicked, this, [this, command = commands[i]] { onRowCommand(command); });
        if (i == 0)
            giveShortcut(button, QKeySequence(Qt::ALT | Qt::Key_Insert), QStringLiteral("插入一行"));
        else if (i == 1)
            giveShortcut(button, QKeySequence(Qt::ALT | Qt::Key_Delete), QStringLiteral("删除所在行"));
        row->addWidget(button);
        rowAndExpressionButtons_[i] = button;
    }
    rowAndExpressionButtons_[3] = addExpression;
    rowAndExpressionButtons_[4] = jump;
    barPlace_ = new QHBoxLayout;
    barPlace_->setSpacing(row->spacing());
    row->addLayout(barPlace_);
    row->addStretch(1);

    auto *panel2 = new QFrame(panel1);
    panel2->setObjectName(QStringLiteral("Panel2"));
    panel2->setFixedWidth(94);
    auto *hideRow = new QHBoxLayout(panel2);
    hideRow->setContentsMargins(11, 0, 8, 0);
    QToolButton *hideButton = textButton(QStringLiteral("sbHide"), QStringLiteral("隐藏"), panel2);
    connect(hideButton, &QToolButton::clicked, this, [this] { guarded([this] { hideWindow(); }); });
    giveShortcut(hideButton, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_H), QStringLiteral("隐藏窗口"));
    hideRow->addWidget(hideButton);
    row->addWidget(panel2);

    auto *centre = static_cast<QVBoxLayout *>(centralWidget()->layout());
    centre->addWidget(bevel);
    centre->addWidget(panel1);
}

void MainWindow::buildPopupMenu()
{
    popupMenu_ = new QMenu(this);
    popupMenu_->setObjectName(QStringLiteral("PopupMenu1"));
    const struct {
        const char *name;
        const char *caption;
        void (MainWindow::*handler)();
    } items[] = {
        {"miShow", "显示窗口(&S)", &MainWindow::showWindow},
        {"miHide", "隐藏窗口(&I)", &MainWindow::hideWindow},
        {nullptr, nullptr, nullptr},
        {"miHelpWWW", "", &MainWindow::openWebsite},
        {"miHelpEmail", "", &MainWindow::openEmail},
        {nullptr, nullptr, nullptr},
        {"miHelp", "帮助(&H)", &MainWindow::openHelp},
        {"miHistory", "软件更新记录(&N)...", &MainWindow::openHistory},
        {"miAbout", "关于(&A)...", &MainWindow::showAbout},
        {nullptr, nullptr, nullptr},
        {"miExit", "退出(&X)", &MainWindow::exitProgram},
    };
    for (const auto &item : items) {
        if (!item.name) {
            popupMenu_->addSeparator();
            continue;
        }
        QAction *action = popupMenu_->addAction(QString::fromUtf8(item.caption));
        action->setObjectName(QString::fromLatin1(item.name));
        const auto handler = item.handler;
        connect(action, &QAction::triggered, this, [this, handler] { guarded([this, handler] { (this->*handler)(); }); });
    }
}

void MainWindow::installPages()
{
    installCalculatorPages(*this, ExpressionBar{calculation_, calResult_}, *script_, history_.get());
    installReferencePages(*this);
    installSectionPages(*this, history_.get());
    installWorkbookPages(*this);
    takeoff::installTakeoff(*this, *this, *popupMenu_, *barPlace_);
    installDocumentCommands(*this);
    connectGuarded(pages_, &QTabWidget::currentChanged, this, reporter_, [this](int index) { onPageShown(index); });
}

void MainWindow::finishSetUp()
{
    // The tree chooses the page; the tab bar is hidden, and neither it nor the tab widget (which
    // hands its focus on to the tab bar) may take the focus: Tab would stop on nothing visible.
    pages_->tabBar()->hide();
    pages_->tabBar()->setFocusPolicy(Qt::NoFocus);
    pages_->setFocusPolicy(Qt::NoFocus);
    statusBar()->setObjectName(QStringLiteral("StatusBar"));
    setWindowTitle(QStringLiteral("Zorvan五金手册"));
    // findChild: the window's own menu, built in buildPopupMenu; its maker entries get their words here.
    QAction *www = popupMenu_->findChild<QAction *>(QStringLiteral("miHelpWWW"));
    www->setText(QStringLiteral("访问Zorvan公司网站(&W)"));
    www->setStatusTip(QStringLiteral("访问Zorvan公司网站"));
    www->setToolTip(QStringLiteral("访问Zorvan公司网站"));
    QAction *email = popupMenu_->findChild<QAction *>(QStringLiteral("miHelpEmail")); // the window's own menu, as above
    email->setText(QStringLiteral("给Zorvan公司发电子邮件(&E)"));
    email->setStatusTip(QStringLiteral("给Zorvan公司发电子邮件"));
    email->setToolTip(QStringLiteral("给Zorvan公司发电子邮件"));
    buildTray();

    buildNavigationNodes(*tree_, *pages_);
    connect(tree_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem *current) {
        guarded([this, current] { onPageChanging(current); });
        guarded([this, current] { onPageChanged(current); });
    });
    onJumpToCalculatorClicked();
    onPageShown(activePage()); // page 0 was active before the tree existed: its handler runs now

    hideArgumentTimer_ = new QTimer(this);
    hideArgumentTimer_->setObjectName(QStringLiteral("Timer1"));
    hideArgumentTimer_->setSingleShot(true);
    hideArgumentTimer_->setInterval(100);
    connect(hideArgumentTimer_, &QTimer::timeout, this, [this] { guarded([this] { applyHideArgument(); }); });
    hideArgumentTimer_->start();
}

void MainWindow::watchForTray()
{
    if (settings_.trayAvailable || !settings_.trayProbe)
        return;
    // Asking costs one look at the X selection owner: every few seconds is cheap enough.
    trayWatch_ = new QTimer(this);
    trayWatch_->setObjectName(QStringLiteral("TrayWatch"));
    trayWatch_->setInterval(3000);
    connect(trayWatch_, &QTimer::timeout, this, [this] {
        guarded([this] {
            if (!settings_.trayProbe())
                return;
            trayWatch_->stop();
            settings_.trayAvailable = true;
            buildTray();
        });
    });
    trayWatch_->start();
}

void MainWindow::buildTray()
{
    if (!settings_.trayAvailable) {
        watchForTray();
        return;
    }
    tray_ = new QSystemTrayIcon(windowIcon(), this);
    tray_->setObjectName(QStringLiteral("TrayIcon"));
    tray_->setToolTip(QStringLiteral("Zorvan五金手册"));
    tray_->setContextMenu(popupMenu_);
    connect(tray_, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        guarded([this, reason] { trayActivated(reason); });
    });
    tray_->show();
}

QueryDataset &MainWindow::query() { return *query_; }

void MainWindow::registerPageServices(int pageIndex, const PageServices &services)
{
    const bool known = std::any_of(unsavedWork_.begin(), unsavedWork_.end(),
                                   [&](const auto &entry) { return entry.first == services.unsavedWork; });
    if (services.unsavedWork && !known)
        addUnsavedWork(services.unsavedWork, pageIndex);
    pageServices_.add(pageIndex, services);
}

QWidget *MainWindow::page(int index) const
{
    const auto *area = index >= 0 && index < pages_->count() ? qobject_cast<PageScrollArea *>(pages_->widget(index))
                                                             : nullptr;
    return area ? area->page() : nullptr;
}

int MainWindow::activePage() const { return pages_->currentIndex(); }

void MainWindow::fitActivePageSoon(int pass)
{
    // A page that has just been built shows its fields only once the events of that have been
    // handled: its size is known after them.
    QMetaObject::invokeMethod(this, [this, pass, index = activePage()] {
        guarded([this, pass, index] { fitActivePage(index, pass); });
    }, Qt::QueuedConnection);
}

void MainWindow::fitActivePage(int index, int pass)
{
    // Only while on screen: before that the pages have not been laid out yet.
    const auto *area = qobject_cast<const PageScrollArea *>(pages_->currentWidget());
    if (!area || index != activePage() || !isVisible() || isMaximized() || isFullScreen())
        return;
    // Once per page and run: a window the user has since made smaller stays so, and the page scrolls.
    if (pass == 0 && !fittedPages_.insert(index).second)
        return;
    const QSize lacking = (area->pageMinimumSize() - area->maximumViewportSize()).expandedTo(QSize(0, 0));
    if (lacking.isNull())
        return;
    resize(size() + lacking);
    fitOnScreen(*this);
    // Wrapped text may need a line more or less at the new size: a second look once it is laid out.
    constexpr int kPasses = 3;
    if (pass + 1 < kPasses)
        fitActivePageSoon(pass + 1);
}

void MainWindow::addShowHandler(int pageIndex, std::function<void()> handler)
{
    showHandlers_[pageIndex].push_back(std::move(handler));
}

QWidget *MainWindow::sheetWindow(int pageIndex) const
{
    const auto it = sheetWindows_.find(pageIndex);
    return it == sheetWindows_.end() ? nullptr : it->second;
}

void MainWindow::guarded(const std::function<void()> &handler) { runGuarded(reporter_, handler); }

// A keyboard context-menu event for the focused control, which Qt passes up to its parents as
// it does a right click; true when a control took it (showed its menu).
bool MainWindow::openFocusedContextMenu()
{
    QWidget *focused = QApplication::focusWidget();
    if (!focused || focused == this || focused->window() != this)
        return false;
    const QPoint inside = focused->rect().center();
    QContextMenuEvent event(QContextMenuEvent::Keyboard, inside, focused->mapToGlobal(inside));
    return QCoreApplication::sendEvent(focused, &event) && event.isAccepted();
}

} // namespace mhbk
