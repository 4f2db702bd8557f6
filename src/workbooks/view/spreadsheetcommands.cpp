#include "workbooks/view/spreadsheetcommands.h"

#include "workbooks/view/spreadsheetview.h"
#include "common/filedialog.h"

#include <QFileDialog>

namespace mhbk::view {

QString SaveDialogPrompt::xlsFilter() { return QStringLiteral("Excel文件(*.xls)"); }
QString SaveDialogPrompt::xlsxFilter() { return QStringLiteral("Excel 2007文件(*.xlsx)"); }

SaveDialogPrompt::SaveDialogPrompt(QWidget *parent) : parent_(parent) {}

QFileDialog *SaveDialogPrompt::dialog() const
{
    // Made on first use: a file dialog is costly to build and most runs never export.
    if (!dialog_)
        dialog_ = makeDialog(parent_);
    return dialog_;
}

QFileDialog *SaveDialogPrompt::makeDialog(QWidget *parent)
{
    auto *dialog_ = new QFileDialog(parent);
    dialog_->setObjectName(QStringLiteral("SaveDialog"));
    dialog_->setWindowTitle(QStringLiteral("另存为Excel文件"));
    dialog_->setAcceptMode(QFileDialog::AcceptSave);
    dialog_->setFileMode(QFileDialog::AnyFile);
    dialog_->setNameFilters({xlsFilter(), xlsxFilter()});
    dialog_->setDefaultSuffix(QStringLiteral("xls"));
    dialog_->setSizeGripEnabled(true);
    showFileDetailsInChinese(*dialog_);
    // A name typed without an extension gets the one of the filter shown.
    QObject::connect(dialog_, &QFileDialog::filterSelected, dialog_, [d = dialog_](const QString &filter) {
        d->setDefaultSuffix(filter == xlsxFilter() ? QStringLiteral("xlsx") : QStringLiteral("xls"));
    });
    return dialog_;
}

std::optional<QString> SaveDialogPrompt::askSavePath()
{
    QFileDialog *saveDialog = dialog();
    if (!lastPath_.isEmpty())
        saveDialog->selectFile(lastPath_);
    if (saveDialog->exec() != QDialog::Accepted || saveDialog->selectedFiles().isEmpty())
        return std::nullopt;
    lastPath_ = saveDialog->selectedFiles().constFirst();
    return lastPath_;
}

SpreadsheetView *pageSpreadsheet(QWidget *page)
{
    if (!page)
        return nullptr;
    // findChildren: the workbook pages put their spreadsheet onto the tab sheet as its one
    // direct child; no other subsystem's widget is looked at.
    const auto children = page->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly);
    return children.isEmpty() ? nullptr : qobject_cast<SpreadsheetView *>(children.constFirst());
}

WorkbookCommands::WorkbookCommands(std::unique_ptr<SavePathPrompt> prompt, Reporter &reporter, QObject *parent)
    : QObject(parent), prompt_(std::move(prompt)), reporter_(reporter)
{
}

bool WorkbookCommands::hasSpreadsheet(QWidget *page) const { return pageSpreadsheet(page) != nullptr; }

void WorkbookCommands::exportExcel(QWidget *page)
{
    SpreadsheetView *book = pageSpreadsheet(page);
    if (!book)
        return;
    book->commitPendingEdit();
    const std::optional<QString> path = prompt_->askSavePath();
    if (!path)
        return;
    const bool xlsx = path->endsWith(QStringLiteral(".xlsx"), Qt::CaseInsensitive);
    book->saveToFile(*path, xlsx ? SpreadsheetView::FileType::Excel2007 : SpreadsheetView::FileType::Excel97);
}

void WorkbookCommands::printPreview(QWidget *page)
{
    if (SpreadsheetView *book = pageSpreadsheet(page)) {
        book->commitPendingEdit();
        book->openPrintPreview(reporter_);
    }
}

} // namespace mhbk::view
