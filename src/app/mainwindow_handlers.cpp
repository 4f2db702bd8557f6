// The main window's event handlers: page switching, hiding and showing, the menu commands.
#include "app/aboutdialog.h"
#include "app/autostart.h"
#include "app/maker.h"
#include "app/mainwindow.h"
#include "app/navigationtree.h"
#include "app/windowstate.h"
#include "common/pageregistry.h"
#include "common/unsavedwork.h"
#include "widgets/stringgrid.h"
#include "sheets/sheetwindows.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QLineEdit>
#include <QMenu>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QUrl>
#include <algorithm>

namespace mhbk {

void MainWindow::onPageShown(int index)
{
    if (!pages::isIndex(index))
        return;
    const PageEntry &entry = pages::at(index);
    for (int i = 0; i < 3; ++i)
        rowAndExpressionButtons_[i]->setEnabled(entry.rowEditing());
    if (const auto &buttons = entry.expressionButtons) {
        rowAndExpressionButtons_[3]->setEnabled(buttons->addToExpression);
        rowAndExpressionButtons_[4]->setEnabled(buttons->jumpToCalculator);
    }
    for (auto &handler : showHandlers_[index])
        guarded(handler);
    updateSpreadsheetActions();
}

void MainWindow::onPageChanging(QTreeWidgetItem *node)
{
    const int index = pageIndexOf(node);
    if (!pages::isIndex(index) || pages::at(index).kind != PageKind::Sheet || sheetWindow(index))
        return;
    // The sheet windows are made once, on their page's first selection, and kept for the run.
    if (QWidget *sheet = createSheetWindow(index, page(index), reporter_))
        sheetWindows_[index] = sheet;
}

void MainWindow::onPageChanged(QTreeWidgetItem *node)
{
    const int index = pageIndexOf(node);
    if (index >= 0)
        pages_->setCurrentIndex(index);
    if (pageLoader_)
        guarded([this] { pageLoader_(activePage()); });
    updateSpreadsheetActions();
    fitActivePageSoon();
}

void MainWindow::onRowCommand(void (RowEditor::*command)())
{
    // Only the grid on screen is ever changed, and only on a page that offers row editing.
    const int index = activePage();
    if (!pages::isIndex(index) || !pages::at(index).rowEditing())
        return;
    guarded([&] {
        if (RowEditor *editor = pageServices(index).rowEditor)
            (editor->*command)();
    });
}

void MainWindow::updateSpreadsheetActions()
{
    const bool enabled = spreadsheet_ && spreadsheet_->hasSpreadsheet(page(activePage()));
    actExportExcel_->setEnabled(enabled);
    actPrintPreview_->setEnabled(enabled);
}

void MainWindow::selectPage(int index)
{
    if (QTreeWidgetItem *node = nodeForPage(*tree_, index)) {
        tree_->scrollToItem(node);
        tree_->setCurrentItem(node);
    }
}

void MainWindow::onJumpToCalculatorClicked()
{
    QTreeWidgetItem *leaf = firstLeaf(*tree_);
    if (!leaf)
        return;
    if (leaf->parent())
        leaf->parent()->setExpanded(true);
    tree_->setCurrentItem(leaf);
}

void MainWindow::onAddToExpressionClicked()
{
    // A cell being edited has its own editor focused, not the grid: then nothing is inserted;
    // nor is a caption, which names a value but is none.
    auto *grid = qobject_cast<QTableWidget *>(QApplication::focusWidget());
    if (!grid || grid->window() != this || currentCellIsCaption(*grid))
        return;
    const QTableWidgetItem *item = grid->currentItem();
    calculation_->insert(item ? item->text() : QString());
}

void MainWindow::showWindow()
{
    if (isVisible() && !isMinimized())
        return;
    showNormal();
    raise();
    activateWindow();
}

void MainWindow::hideWindow()
{
    // Without a notification area a hidden window could never be brought back: minimise then.
    if (!hidesToTray()) {
        showMinimized();
        return;
    }
    if (QWidget *sheet = sheetWindow(pages::indexOf(PageKey::InsulationByOuterDiameter)); sheet && sheet->isVisible())
        sheet->hide();
    hide();
}

void MainWindow::exitProgram() { close(); }

void MainWindow::applyHideArgument()
{
    hideArgumentTimer_->stop();
    if (!settings_.arguments.isEmpty() && settings_.arguments.first().toUpper() == QLatin1String("-HIDE"))
        hideWindow();
}

void MainWindow::trayActivated(QSystemTrayIcon::ActivationReason reason)
{
    if (reason != QSystemTrayIcon::DoubleClick)
        return;
    if (isVisible() && !isMinimized()) {
        hideWindow();
    } else {
        showWindow();
    }
}

void MainWindow::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    fitActivePageSoon();
    const int index = activePage();
    if (QWidget *sheet = sheetWindow(index); sheet && !sheet->isVisible())
        sheet->show();
}

bool MainWindow::hasUnsavedWork()
{
    return std::any_of(unsavedWork_.begin(), unsavedWork_.end(),
                       [](const auto &entry) { return entry.first->hasUnsavedChanges(); });
}

bool MainWindow::settleUnsavedWork()
{
    std::vector<UnsavedWork *> work;
    for (const auto &entry : unsavedWork_)
        work.push_back(entry.first);
    // The question is about what the user sees: a window hidden to the tray comes back first,
    // with the page concerned on screen.
    return mhbk::settleUnsavedWork(work, reporter_, [this](UnsavedWork &piece) {
        showWindow();
        for (const auto &entry : unsavedWork_)
            if (entry.first == &piece && pages::isIndex(entry.second))
                selectPage(entry.second);
    });
}

void MainWindow::showStatus(const QString &text)
{
    constexpr int kShownMilliseconds = 5000;
    statusBar()->showMessage(text, kShownMilliseconds);
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    // An error while asking or saving keeps the window open: nothing is dropped unasked.
    bool mayClose = false;
    guarded([&] { mayClose = settleUnsavedWork(); });
    if (!mayClose) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
    if (!event->isAccepted())
        return;
    WindowStateFile(settings_.stateFile).save(*this, *splitter_, activePage());
    if (tray_)
        tray_->hide();
    // Every way out ends here, the tray's 退出 with the window hidden included.
    if (settings_.quitApplication)
        settings_.quitApplication();
}

void MainWindow::openHelp()
{
    openShippedFile(helpFilePath(settings_.executablePath), QStringLiteral("找不到帮助文件："), reporter_,
                         settings_.openUrl);
}

void MainWindow::openHistory()
{
    openShippedFile(historyFilePath(settings_.executablePath), QStringLiteral("找不到软件更新记录文件："),
                         reporter_, settings_.openUrl);
}

void MainWindow::openWebsite() { settings_.openUrl(QUrl(makerDetails().webAddress)); }

void MainWindow::openEmail()
{
    settings_.openUrl(QUrl(QStringLiteral("mailto:") + makerDetails().emailAddress));
}

void MainWindow::showAbout()
{
    AboutDialog about(*autostart_, reporter_, settings_.openUrl, this);
    about.exec();
}

} // namespace mhbk
