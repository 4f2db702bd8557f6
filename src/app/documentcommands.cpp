#include "app/documentcommands.h"

#include "app/mainwindow.h"
#include "common/errors.h"
#include "common/filedialog.h"
#include "common/guarded.h"
#include "common/pageregistry.h"
#include "common/reporter.h"
#include "common/startfolder.h"
#include "common/unsavedwork.h"
#include "workbooks/pages/workbookdocuments.h"
#include "workbooks/pages/workbookfile.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QSaveFile>
#include <QUndoStack>
#include <optional>

namespace mhbk {

namespace {

const QString kTitle = QStringLiteral("Zorvan五金手册");

QString chooseWorkbookFile(QWidget *parent, bool saving, const QString &title, const QString &suggested)
{
    return chooseFilePath(parent, {saving, title,
                                   saving ? QStringLiteral("WorkbookSaveDialog") : QStringLiteral("WorkbookOpenDialog"),
                                   workbooks::kWorkbookFileFilter, workbooks::kWorkbookFileSuffix, suggested});
}

} // namespace

RecentFiles::RecentFiles(QString folder)
    : file_(folder.isEmpty() ? QString() : QDir(folder).filePath(QStringLiteral("recent-workbooks.txt")))
{
    QFile file(file_);
    if (file_.isEmpty() || !file.open(QIODevice::ReadOnly | QIODevice::Text))
        return;
    for (const QString &line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        if (paths_.size() < kMax && !paths_.contains(line))
            paths_ << line;
}

void RecentFiles::add(const QString &path)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    paths_.removeAll(absolute);
    paths_.prepend(absolute);
    while (paths_.size() > kMax)
        paths_.removeLast();
    store();
}

void RecentFiles::remove(const QString &path)
{
    if (paths_.removeAll(QFileInfo(path).absoluteFilePath()) > 0)
        store();
}

void RecentFiles::store() const
{
    if (file_.isEmpty())
        return;
    // A list that cannot be kept is no reason to trouble the user: the files themselves are saved.
    QDir().mkpath(QFileInfo(file_).absolutePath());
    QSaveFile file(file_);
    if (file.open(QIODevice::WriteOnly | QIODevice::Text)) {
        file.write((paths_.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8());
        file.commit();
    }
}

DocumentCommands::DocumentCommands(MainWindow &window)
    : QObject(&window), window_(window),
      documents_(new workbooks::WorkbookDocuments(
          window, [this](int pageIndex) -> std::optional<QString> {
              const QString path = askSavePath(pageIndex);
              return path.isEmpty() ? std::nullopt : std::optional<QString>(path);
          },
          this)),
      recent_(window.userDataFolder())
{
    auto *saveAction = new QAction(QStringLiteral("保存工作簿(&B)"), &window);
    saveAction->setObjectName(QStringLiteral("miSave"));
    saveAction->setShortcut(QKeySequence::Save);
    auto *saveAsAction = new QAction(QStringLiteral("工作簿另存为(&T)..."), &window);
    saveAsAction->setObjectName(QStringLiteral("miSaveAs"));
    saveAsAction->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    auto *openAction = new QAction(QStringLiteral("打开工作簿(&O)..."), &window);
    openAction->setObjectName(QStringLiteral("miOpen"));
    openAction->setShortcut(QKeySequence::Open);
    Reporter &reporter = window.reporter();
    connect(saveAction, &QAction::triggered, this, [this, &reporter] { runGuarded(reporter, [this] { save(); }); });
    connect(saveAsAction, &QAction::triggered, this, [this, &reporter] { runGuarded(reporter, [this] { saveAs(); }); });
    connect(openAction, &QAction::triggered, this, [this, &reporter] { runGuarded(reporter, [this] { open(); }); });
    window.addAction(saveAction);
    window.addAction(saveAsAction);
    window.addAction(openAction);

    QMenu *menu = window.popupMenu();
    QAction *first = menu->actions().value(0);
    recentMenu_ = new QMenu(QStringLiteral("最近的工作簿(&R)"), menu);
    recentMenu_->setObjectName(QStringLiteral("miRecent"));
    // Two jobs' files often share a name; the tooltip tells them apart by their folder.
    recentMenu_->setToolTipsVisible(true);
    menu->insertAction(first, openAction);
    menu->insertAction(first, saveAction);
    menu->insertAction(first, saveAsAction);
    menu->insertMenu(first, recentMenu_)->setObjectName(QStringLiteral("miRecentFiles"));
    menu->insertSeparator(first);
    rebuildRecentMenu();

    for (int page = 0; page < kPageCount; ++page)
        window.addShowHandler(page, [this] { updateTitle(); });
    documents_->setFileChangedHandler([this](int) { updateTitle(); });
}

DocumentCommands::~DocumentCommands() = default;

QString DocumentCommands::startFolder() const
{
    // Where the user last kept a workbook.
    return dialogStartFolder(recent_.paths().isEmpty() ? QString()
                                                       : QFileInfo(recent_.paths().constFirst()).absolutePath());
}

QString DocumentCommands::askSavePath(int pageIndex)
{
    const QString current = documents_->filePath(pageIndex);
    const QString suggested = current.isEmpty() ? QDir(startFolder()).filePath(QString::fromUtf8(
                                                      pages::at(pageIndex).caption) + QStringLiteral(".mhbk"))
                                                : current;
    return chooseWorkbookFile(&window_, true, QStringLiteral("保存工作簿"), suggested);
}

QString DocumentCommands::askOpenPath()
{
    return chooseWorkbookFile(&window_, false, QStringLiteral("打开工作簿"), startFolder());
}

void DocumentCommands::save()
{
    const int page = window_.activePage();
    if (documents_->hasSheet(page))
        return afterSave(page, documents_->saveOrAsk(page));
    if (pages::isIndex(page) && pages::at(page).rowEditing()) {
        // The grid's own save, as 保存 on the bottom bar runs it.
        if (RowEditor *editor = window_.pageServices(page).rowEditor)
            editor->save();
        return;
    }
    window_.showStatus(QStringLiteral("本页没有可保存的内容：保存用于工作簿页面和可编辑的表格"));
}

void DocumentCommands::saveAs()
{
    const int page = window_.activePage();
    if (!documents_->hasSheet(page)) {
        window_.showStatus(QStringLiteral("本页没有可另存的工作簿：另存为用于工作簿页面"));
        return;
    }
    const QString path = askSavePath(page);
    afterSave(page, !path.isEmpty() && documents_->save(page, path));
}

void DocumentCommands::afterSave(int page, bool saved)
{
    if (saved)
        recent_.add(documents_->filePath(page));
    rebuildRecentMenu();
    updateTitle();
}

void DocumentCommands::open()
{
    const QString path = askOpenPath();
    if (!path.isEmpty())
        openFile(path);
}

bool DocumentCommands::openFile(const QString &path)
{
    std::optional<workbooks::PageWorkbook> opened;
    try {
        opened.emplace(workbooks::readPageWorkbookFile(path));
    } catch (const AppError &e) {
        if (!QFileInfo::exists(path)) {
            recent_.remove(path);
            rebuildRecentMenu();
        }
        window_.reporter().showMessage(e.message() + QStringLiteral("\n没有打开任何文件，页面保持不变。"),
                                       kApplicationTitle, MessageIcon::Warning);
        return false;
    }
    window_.selectPage(opened->pageIndex);
    // What the page holds now would be replaced: ask first, as closing does.
    if (UnsavedWork *work = documents_->unsavedWork(opened->pageIndex);
        work && !settleUnsavedWork({work}, window_.reporter()))
        return false;
    if (!documents_->place(*opened, path))
        return false;
    recent_.add(path);
    rebuildRecentMenu();
    updateTitle();
    return true;
}

void DocumentCommands::rebuildRecentMenu()
{
    recentMenu_->clear();
    const QStringList &paths = recent_.paths();
    for (int i = 0; i < paths.size(); ++i) {
        const QFileInfo file(paths[i]);
        QAction *action = recentMenu_->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(file.fileName()));
        action->setToolTip(QStringLiteral("位置：%1").arg(QDir::toNativeSeparators(file.absolutePath())));
        action->setStatusTip(QDir::toNativeSeparators(paths[i]));
        const QString path = paths[i];
        Reporter &reporter = window_.reporter();
        connect(action, &QAction::triggered, this, [this, path, &reporter] { runGuarded(reporter, [&] { openFile(path); }); });
    }
    recentMenu_->setEnabled(!paths.isEmpty());
}

void DocumentCommands::updateTitle()
{
    const int page = window_.activePage();
    const QString path = documents_->filePath(page);
    // The sheet is built when its page is first shown: from then on its undo stack's clean
    // state says whether the "*" is due.
    const QUndoStack *changes = documents_->undoStack(page);
    if (changes)
        connect(changes, &QUndoStack::cleanChanged, this, &DocumentCommands::updateTitle, Qt::UniqueConnection);
    const QString mark = changes && !changes->isClean() ? QStringLiteral("*") : QString();
    window_.setWindowTitle(path.isEmpty() ? kTitle
                                          : QStringLiteral("%1%2 - %3").arg(QFileInfo(path).fileName(), mark, kTitle));
}

DocumentCommands *installDocumentCommands(MainWindow &window) { return new DocumentCommands(window); }

} // namespace mhbk
