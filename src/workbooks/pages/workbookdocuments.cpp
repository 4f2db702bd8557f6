#include "workbooks/pages/workbookdocuments.h"

#include "common/errors.h"
#include "common/pagehost.h"
#include "common/pageregistry.h"
#include "common/reporter.h"
#include "common/unsavedwork.h"
#include "workbooks/engine/workbookjson.h"
#include "workbooks/pages/referencekeeper.h"
#include "workbooks/view/spreadsheetcommands.h"
#include "workbooks/view/spreadsheetview.h"

#include <QFileInfo>
#include <QUndoStack>

namespace mhbk::workbooks {

namespace {

view::SpreadsheetView *sheetOf(PageHost &host, int pageIndex)
{
    QWidget *page = host.page(pageIndex);
    return page ? view::pageSpreadsheet(page) : nullptr;
}

// The keeper of the page's corrected reference values; nullptr on a page without green cells.
// findChild: a keeper is made a child of the sheet it keeps (keepReferenceValues), and a
// sheet holds no other.
ReferenceKeeper *keeperOf(view::SpreadsheetView &sheet)
{
    return sheet.findChild<ReferenceKeeper *>(QString(), Qt::FindDirectChildrenOnly);
}

} // namespace

// One workbook page's changes since it was filled, saved or opened.
class WorkbookDocuments::PageWork : public UnsavedWork {
public:
    PageWork(WorkbookDocuments &documents, int pageIndex) : documents_(documents), pageIndex_(pageIndex) {}
    int pageIndex() const { return pageIndex_; }

    bool hasUnsavedChanges() override
    {
        view::SpreadsheetView *sheet = sheetOf(documents_.host_, pageIndex_);
        if (!sheet)
            return false;
        sheet->commitPendingEdit();
        return !sheet->undoStack()->isClean();
    }
    QString unsavedDescription() const override { return QString::fromUtf8(pages::at(pageIndex_).caption); }
    bool saveChanges() override { return documents_.saveOrAsk(pageIndex_); }
    void discardChanges() override
    {
        view::SpreadsheetView *sheet = sheetOf(documents_.host_, pageIndex_);
        if (ReferenceKeeper *keeper = sheet ? keeperOf(*sheet) : nullptr)
            keeper->discardUnsaved();
    }

private:
    WorkbookDocuments &documents_;
    int pageIndex_;
};

WorkbookDocuments::WorkbookDocuments(PageHost &host, SavePathAsker askSavePath, QObject *parent)
    : QObject(parent), host_(host), askSavePath_(std::move(askSavePath))
{
    for (int pageIndex : pages::ofKind(PageKind::Workbook)) {
        work_.push_back(std::make_unique<PageWork>(*this, pageIndex));
        host_.addUnsavedWork(work_.back().get(), pageIndex);
    }
}

WorkbookDocuments::~WorkbookDocuments() = default;

bool WorkbookDocuments::hasSheet(int pageIndex) const { return sheetOf(host_, pageIndex) != nullptr; }

QString WorkbookDocuments::filePath(int pageIndex) const
{
    const auto it = files_.find(pageIndex);
    return it == files_.end() ? QString() : it->second;
}

bool WorkbookDocuments::save(int pageIndex, const QString &path)
{
    view::SpreadsheetView *sheet = sheetOf(host_, pageIndex);
    if (!sheet)
        return false;
    sheet->commitPendingEdit();
    try {
        writePageWorkbookFile(path, pageIndex, sheet->workbook());
    } catch (const AppError &e) {
        host_.reporter().showMessage(e.message() + QStringLiteral("\n工作簿没有保存，页面上的内容保持不变。请换一个位置或文件名再保存。"),
                                     kApplicationTitle, MessageIcon::Warning);
        return false;
    }
    sheet->undoStack()->setClean();
    if (ReferenceKeeper *keeper = keeperOf(*sheet))
        keeper->keepAsSaved();
    files_[pageIndex] = path;
    host_.showStatus(QStringLiteral("已保存%1").arg(QFileInfo(path).fileName()));
    if (fileChanged_)
        fileChanged_(pageIndex);
    return true;
}

bool WorkbookDocuments::saveOrAsk(int pageIndex)
{
    QString path = filePath(pageIndex);
    if (path.isEmpty()) {
        const auto chosen = askSavePath_ ? askSavePath_(pageIndex) : std::nullopt;
        if (!chosen)
            return false;
        path = *chosen;
    }
    return save(pageIndex, path);
}

bool WorkbookDocuments::place(const PageWorkbook &opened, const QString &path)
{
    view::SpreadsheetView *sheet = sheetOf(host_, opened.pageIndex);
    if (!sheet)
        return false;
    sheet->loadFromData(wb::saveWorkbook(opened.book));
    sheet->undoStack()->setClean();
    files_[opened.pageIndex] = path;
    host_.showStatus(QStringLiteral("已打开%1").arg(QFileInfo(path).fileName()));
    if (fileChanged_)
        fileChanged_(opened.pageIndex);
    return true;
}

QUndoStack *WorkbookDocuments::undoStack(int pageIndex) const
{
    view::SpreadsheetView *sheet = sheetOf(host_, pageIndex);
    return sheet ? sheet->undoStack() : nullptr;
}

UnsavedWork *WorkbookDocuments::unsavedWork(int pageIndex) const
{
    for (const auto &work : work_)
        if (work->pageIndex() == pageIndex)
            return work.get();
    return nullptr;
}

} // namespace mhbk::workbooks
