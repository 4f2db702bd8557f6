#include "takeoff/ui/takeoffdock.h"

#include "common/errors.h"
#include "common/filedialog.h"
#include "common/guarded.h"
#include "common/reporter.h"
#include "common/startfolder.h"
#include "takeoff/takeoffbook.h"
#include "takeoff/takeofffile.h"
#include "takeoff/ui/quantitydialog.h"
#include "takeoff/ui/takeoffmodel.h"
#include "takeoff/ui/takeoffprint.h"

#include <QAction>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QGuiApplication>
#include <QLabel>
#include <QMainWindow>
#include <QResizeEvent>
#include <QSettings>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QSplitter>
#include <QTableView>
#include <QToolButton>
#include <QTreeWidget>
#include <QUndoStack>
#include <QVBoxLayout>
#include <algorithm>

namespace mhbk::takeoff {

namespace {

const QString kTitle = QStringLiteral("工程量清单");
const QString kXlsxFilter = QStringLiteral("Excel 工作簿 (*.xlsx)");
const QString kXlsFilter = QStringLiteral("Excel 97-2003 工作簿 (*.xls)");

QString withSuffix(QString path, const QString &suffix)
{
    if (!path.isEmpty() && QFileInfo(path).suffix().compare(suffix, Qt::CaseInsensitive) != 0)
        path += QLatin1Char('.') + suffix;
    return path;
}

} // namespace

TakeoffDock::TakeoffDock(Reporter &reporter, QString autosavePath, QWidget *parent)
    : QDockWidget(kTitle, parent), reporter_(reporter), autosavePath_(std::move(autosavePath)),
      undo_(std::make_unique<QUndoStack>())
{
    setObjectName(QStringLiteral("dockTakeoff"));
    undo_->setUndoLimit(1000);
    model_ = new TakeoffModel(*undo_, this);
    askQuantity_ = [this](const Line &line) { return QuantityDialog::ask(line, window()); };
    setFeatures(DockWidgetClosable | DockWidgetMovable | DockWidgetFloatable);
    buildBody();
    if (const QString file = stateFile(); !file.isEmpty())
        keptHeight_ = std::max(0, QSettings(file, QSettings::IniFormat).value(QStringLiteral("dock/height")).toInt());
    loadAutosave();
    connect(model_, &TakeoffModel::listChanged, this, [this] { guarded([this] { onListChanged(); }); });
    connect(model_, &TakeoffModel::refused, this, [this](const QString &message) {
        guarded([this, &message] { reporter_.showMessage(message, kTitle, MessageIcon::Warning); });
    });
    connect(undo_.get(), &QUndoStack::cleanChanged, this, [this] { updateTitle(); });
    showTotals();
}

TakeoffDock::~TakeoffDock()
{
    if (const QString file = stateFile(); !file.isEmpty() && keptHeight_ > 0) {
        QSettings kept(file, QSettings::IniFormat);
        kept.setValue(QStringLiteral("dock/height"), keptHeight_);
    }
    // The steps refer to the model: they go first, without telling the title about it.
    disconnect(undo_.get(), nullptr, this, nullptr);
    undo_.reset();
}

const List &TakeoffDock::list() const { return model_->list(); }


void TakeoffDock::guarded(const std::function<void()> &handler) { runGuarded(reporter_, handler); }

QString TakeoffDock::stateFile() const
{
    return autosavePath_.isEmpty() ? QString()
                                   : QFileInfo(autosavePath_).dir().filePath(QStringLiteral("takeoff-dock.ini"));
}

QSize TakeoffDock::sizeHint() const
{
    const QSize hint = QDockWidget::sizeHint();
    if (keptHeight_ > 0)
        return {hint.width(), keptHeight_};
    // The commands, the heading and a few lines: an empty list must not take the calculator's room.
    const int rows = list().empty() ? 2 : 6;
    const int title = fontMetrics().height() + 8;
    const int height = title + bar_->sizeHint().height() + table_->horizontalHeader()->sizeHint().height() +
                       rows * table_->verticalHeader()->defaultSectionSize() + 2 * table_->frameWidth() +
                       grandTotal_->sizeHint().height() + 12;
    return {hint.width(), std::min(hint.height(), height)};
}

void TakeoffDock::resizeEvent(QResizeEvent *event)
{
    QDockWidget::resizeEvent(event);
    // Only a height the user gave the docked list by dragging its edge is kept: not the one
    // this window sets on showing it, nor a floating window's.
    if (isVisible() && !isFloating() && QGuiApplication::mouseButtons() != Qt::NoButton &&
        event->size().height() != event->oldSize().height())
        keptHeight_ = height();
}

void TakeoffDock::showEvent(QShowEvent *event)
{
    QDockWidget::showEvent(event);
    if (auto *main = qobject_cast<QMainWindow *>(parentWidget()); main && !isFloating())
        main->resizeDocks({this}, {sizeHint().height()}, Qt::Vertical);
}

QWidget *TakeoffDock::buildToolBar()
{
    auto *bar = new QWidget(this);
    bar_ = bar;
    auto *row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);
    const auto add = [&](const char *name, const QString &caption, const QKeySequence &keys, std::function<void()> run) {
        auto *action = new QAction(caption, this);
        action->setObjectName(QString::fromLatin1(name));
        if (!keys.isEmpty()) {
            action->setShortcut(keys);
            action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
            action->setToolTip(caption + QStringLiteral(" (") + keys.toString(QKeySequence::NativeText) + QLatin1Char(')'));
        }
        connect(action, &QAction::triggered, this, [this, run = std::move(run)] { guarded(run); });
        addAction(action);
        auto *button = new QToolButton(bar);
        button->setDefaultAction(action);
        button->setAutoRaise(true);
        row->addWidget(button);
        return action;
    };
    add("actTakeoffUp", QStringLiteral("上移"), QKeySequence(Qt::CTRL | Qt::Key_Up), [this] { moveCurrent(-1); });
    add("actTakeoffDown", QStringLiteral("下移"), QKeySequence(Qt::CTRL | Qt::Key_Down), [this] { moveCurrent(1); });
    // The list's own commands are named for the list, apart from the main bar's 删除 and 保存.
    add("actTakeoffDelete", QStringLiteral("删除所选行"), QKeySequence(Qt::Key_Delete), [this] { deleteSelected(); });
    QAction *undo = add("actTakeoffUndo", QStringLiteral("撤销"), QKeySequence::Undo, [this] { undo_->undo(); });
    QAction *redo = add("actTakeoffRedo", QStringLiteral("重做"), QKeySequence(Qt::CTRL | Qt::Key_Y), [this] { undo_->redo(); });
    connect(undo_.get(), &QUndoStack::canUndoChanged, undo, &QAction::setEnabled);
    connect(undo_.get(), &QUndoStack::canRedoChanged, redo, &QAction::setEnabled);
    undo->setEnabled(false);
    redo->setEnabled(false);
    row->addSpacing(8);
    add("actTakeoffOpen", QStringLiteral("打开清单..."), QKeySequence(), [this] { openFile(); });
    add("actTakeoffSave", QStringLiteral("保存清单"), QKeySequence(), [this] { save(); });
    add("actTakeoffSaveAs", QStringLiteral("清单另存为..."), QKeySequence(), [this] { saveAs(); });
    row->addSpacing(8);
    add("actTakeoffXlsx", QStringLiteral("导出.xlsx"), QKeySequence(), [this] { exportExcel(xlsout::ExcelFormat::Xlsx); });
    add("actTakeoffXls", QStringLiteral("导出.xls"), QKeySequence(), [this] { exportExcel(xlsout::ExcelFormat::Xls); });
    add("actTakeoffPrint", QStringLiteral("打印预览"), QKeySequence(), [this] { printPreview(); });
    row->addSpacing(8);
    add("actTakeoffClear", QStringLiteral("清空"), QKeySequence(), [this] { clearList(); });
    row->addStretch(1);
    return bar;
}

void TakeoffDock::buildBody()
{
    auto *body = new QWidget(this);
    auto *layout = new QVBoxLayout(body);
    layout->setContentsMargins(4, 2, 4, 4);
    layout->addWidget(buildToolBar());
    auto *splitter = new QSplitter(Qt::Horizontal, body);
    table_ = new QTableView(splitter);
    table_->setObjectName(QStringLiteral("tvTakeoff"));
    table_->setModel(model_);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                            | QAbstractItemView::AnyKeyPressed);
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 8);
    auto *side = new QWidget(splitter);
    auto *sideLayout = new QVBoxLayout(side);
    sideLayout->setContentsMargins(0, 0, 0, 0);
    totals_ = new QTreeWidget(side);
    totals_->setObjectName(QStringLiteral("tvTakeoffTotals"));
    totals_->setHeaderLabels({QStringLiteral("合计"), QStringLiteral("重量(kg)")});
    totals_->setRootIsDecorated(true);
    grandTotal_ = new QLabel(side);
    grandTotal_->setObjectName(QStringLiteral("lblTakeoffTotal"));
    sideLayout->addWidget(totals_, 1);
    sideLayout->addWidget(grandTotal_);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 1);
    layout->addWidget(splitter, 1);
    setWidget(body);
}

void TakeoffDock::loadAutosave()
{
    if (autosavePath_.isEmpty() || !QFileInfo::exists(autosavePath_))
        return;
    try {
        model_->setList(loadList(autosavePath_));
        restoreFileName();
    } catch (const AppError &e) {
        // Kept aside rather than overwritten by the next change, so nothing of it is lost.
        const QString aside = autosavePath_ + QStringLiteral(".damaged");
        QFile::remove(aside);
        QFile::rename(autosavePath_, aside);
        reporter_.showMessage(e.message() + QStringLiteral("\n原文件已改名为“%1”，清单从空白开始。").arg(aside), kTitle,
                              MessageIcon::Warning);
    }
}

// The file the kept list was last opened from or saved to is named beside it: after a crash
// (or any restart) the list is that file's again, and unsaved when the two differ.
void TakeoffDock::restoreFileName()
{
    const QString file = stateFile().isEmpty() ? QString()
                                              : QSettings(stateFile(), QSettings::IniFormat).value(QStringLiteral("list/file")).toString();
    if (file.isEmpty() || !QFileInfo::exists(file))
        return;
    filePath_ = file;
    try {
        restoredChanges_ = loadList(file) != list();
    } catch (const AppError &) {
        restoredChanges_ = true; // the file is no longer readable: the list is what counts
    }
}

void TakeoffDock::rememberFileName()
{
    if (const QString file = stateFile(); !file.isEmpty()) {
        QDir().mkpath(QFileInfo(file).absolutePath());
        QSettings(file, QSettings::IniFormat).setValue(QStringLiteral("list/file"), filePath_);
    }
}

void TakeoffDock::onListChanged()
{
    showTotals();
    autosave();
}

void TakeoffDock::showTotals()
{
    const Totals totals = totalsOf(list());
    totals_->clear();
    for (const Total &item : totals.byItem) {
        auto *node = new QTreeWidgetItem(totals_, {item.item, weightText(item.weight)});
        node->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
        for (const Total &d : totals.byDesignation) {
            if (d.item != item.item)
                continue;
            auto *child = new QTreeWidgetItem(node, {d.designation.isEmpty() ? QStringLiteral("（无规格）") : d.designation,
                                                     weightText(d.weight)});
            child->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
        }
    }
    totals_->expandAll();
    totals_->resizeColumnToContents(0);
    grandTotal_->setText(QStringLiteral("总计：%1 kg（%2 行）").arg(weightText(totals.grandTotal)).arg(list().size()));
    // The remark column keeps stretching to the edge.
    for (int col = 0; col + 1 < TakeoffModel::ColumnCount; ++col)
        table_->resizeColumnToContents(col);
    updateTitle();
}

void TakeoffDock::autosave()
{
    if (autosavePath_.isEmpty())
        return;
    try {
        // The user's data folder is made on the first save that needs it.
        QDir().mkpath(QFileInfo(autosavePath_).absolutePath());
        saveList(list(), autosavePath_);
        autosaveFailed_ = false;
    } catch (const AppError &e) {
        // Said once, not after every change while the folder stays unwritable.
        if (!autosaveFailed_)
            reporter_.showMessage(e.message(), kTitle, MessageIcon::Warning);
        autosaveFailed_ = true;
    }
}

void TakeoffDock::updateTitle()
{
    QString title = kTitle;
    if (!filePath_.isEmpty())
        title += QStringLiteral(" — ") + QFileInfo(filePath_).fileName() + (hasUnsavedFile() ? QStringLiteral("*") : QString());
    setWindowTitle(title);
}

bool TakeoffDock::hasUnsavedFile() const { return !filePath_.isEmpty() && (!undo_->isClean() || restoredChanges_); }

QString TakeoffDock::unsavedDescription() const
{
    return QStringLiteral("清单“%1”").arg(QFileInfo(filePath_).fileName());
}

bool TakeoffDock::saveChanges()
{
    try {
        saveToPath(filePath_);
        return true;
    } catch (const AppError &e) {
        reporter_.showMessage(e.message(), kTitle, MessageIcon::Warning);
        return false;
    }
}

void TakeoffDock::addFromActivePage()
{
    const TakeoffOffering *offering = activeOffering();
    if (!offering) {
        reporter_.showMessage(QStringLiteral("本页没有可加入清单的内容"), kTitle, MessageIcon::Information);
        return;
    }
    const TakeoffOffer offer = offering->takeoffOffer();
    if (!offer.refusal.isEmpty()) {
        reporter_.showMessage(offer.refusal, kTitle, MessageIcon::Information);
        return;
    }
    Line line{offer.item, offer.designation, offer.material, offer.quantity, offer.unit, offer.unitWeight, offer.remark};
    if (offer.askQuantity) {
        const auto quantity = askQuantity_(line);
        if (!quantity)
            return;
        line.quantity = *quantity;
    }
    model_->addLine(line);
    show();
    raise();
    table_->selectRow(model_->rowCount() - 1);
}

void TakeoffDock::moveCurrent(int step)
{
    const int row = table_->currentIndex().row();
    const int column = std::max(0, table_->currentIndex().column());
    if (row < 0 || !model_->moveRow(row, row + step))
        return;
    // Explicitly: with Ctrl held (Ctrl+Up) the view would add to the selection instead.
    table_->selectionModel()->setCurrentIndex(model_->index(row + step, column),
                                              QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void TakeoffDock::deleteSelected()
{
    std::vector<int> rows;
    for (const QModelIndex &index : table_->selectionModel()->selectedIndexes())
        rows.push_back(index.row());
    if (rows.empty() && table_->currentIndex().isValid())
        rows.push_back(table_->currentIndex().row());
    const int first = rows.empty() ? -1 : *std::min_element(rows.begin(), rows.end());
    model_->removeLines(rows);
    if (first >= 0 && model_->rowCount() > 0)
        table_->selectRow(std::min(first, model_->rowCount() - 1));
}

void TakeoffDock::clearList()
{
    if (!list().empty())
        model_->replaceList({}, QStringLiteral("清空"));
}

QString TakeoffDock::suggestedPath(FileRequest request) const
{
    // The list's own file is offered again; otherwise the list's name in the folder last used.
    const QDir folder(dialogStartFolder(lastFolder_));
    switch (request) {
    case FileRequest::Open:
        return folder.absolutePath();
    case FileRequest::SaveAs:
        return filePath_.isEmpty() ? folder.filePath(kTitle + QLatin1Char('.') + kFileSuffix) : filePath_;
    case FileRequest::ExportXlsx:
        return folder.filePath(kTitle + QStringLiteral(".xlsx"));
    case FileRequest::ExportXls:
        return folder.filePath(kTitle + QStringLiteral(".xls"));
    }
    return folder.absolutePath();
}

QString TakeoffDock::chooseFile(FileRequest request)
{
    QString path;
    if (chooseFile_) {
        path = chooseFile_(request);
    } else {
        const QString suggested = suggestedPath(request);
        switch (request) {
        case FileRequest::Open:
            path = askPath(false, QStringLiteral("打开清单"), suggested, kFileFilter);
            break;
        case FileRequest::SaveAs:
            path = withSuffix(askPath(true, QStringLiteral("清单另存为"), suggested, kFileFilter), kFileSuffix);
            break;
        case FileRequest::ExportXlsx:
            path = withSuffix(askPath(true, QStringLiteral("导出清单"), suggested, kXlsxFilter),
                              QStringLiteral("xlsx"));
            break;
        case FileRequest::ExportXls:
            path = withSuffix(askPath(true, QStringLiteral("导出清单"), suggested, kXlsFilter),
                              QStringLiteral("xls"));
            break;
        }
    }
    if (!path.isEmpty())
        lastFolder_ = QFileInfo(path).absolutePath();
    return path;
}

QString TakeoffDock::askPath(bool saving, const QString &title, const QString &suggested, const QString &filter)
{
    return chooseFilePath(window(), {saving, title,
                                     saving ? QStringLiteral("TakeoffSaveDialog") : QStringLiteral("TakeoffOpenDialog"),
                                     filter, QString(), suggested});
}

void TakeoffDock::openPath(const QString &path)
{
    const List opened = loadList(path); // throws before anything changes
    model_->replaceList(opened, QStringLiteral("打开清单"));
    filePath_ = path;
    restoredChanges_ = false;
    undo_->setClean();
    rememberFileName();
    updateTitle();
}

void TakeoffDock::saveToPath(const QString &path)
{
    saveList(list(), path);
    filePath_ = path;
    restoredChanges_ = false;
    undo_->setClean();
    rememberFileName();
    updateTitle();
}

void TakeoffDock::openFile()
{
    if (!settleUnsavedWork({this}, reporter_))
        return;
    const QString path = chooseFile(FileRequest::Open);
    if (!path.isEmpty())
        openPath(path);
}

void TakeoffDock::save()
{
    if (filePath_.isEmpty())
        saveAs();
    else
        saveToPath(filePath_);
}

void TakeoffDock::saveAs()
{
    const QString path = chooseFile(FileRequest::SaveAs);
    if (!path.isEmpty())
        saveToPath(path);
}

void TakeoffDock::exportExcel(xlsout::ExcelFormat format)
{
    const QString path = chooseFile(format == xlsout::ExcelFormat::Xlsx ? FileRequest::ExportXlsx : FileRequest::ExportXls);
    if (path.isEmpty())
        return;
    exportList(list(), path, format);
    reporter_.showMessage(QStringLiteral("清单已导出到“%1”。").arg(path), kTitle, MessageIcon::Information);
}

int TakeoffDock::print(QPagedPaintDevice &device) const { return printList(list(), kTitle, device); }

void TakeoffDock::printPreview()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(kTitle);
    QPrintPreviewDialog preview(&printer, window());
    preview.setWindowTitle(QStringLiteral("打印预览 — ") + kTitle);
    connect(&preview, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter *p) { guarded([this, p] { print(*p); }); });
    preview.exec();
}

} // namespace mhbk::takeoff
