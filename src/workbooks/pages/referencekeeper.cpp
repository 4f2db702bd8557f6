#include "workbooks/pages/referencekeeper.h"

#include "common/errors.h"
#include "common/guarded.h"
#include "common/pagehost.h"
#include "common/reporter.h"
#include "workbooks/engine/workbookjson.h"
#include "workbooks/view/spreadsheetview.h"

#include <QAction>
#include <QUndoStack>

namespace mhbk::workbooks {

ReferenceKeeper::ReferenceKeeper(PageHost &host, view::SpreadsheetView &book, int pageIndex, wb::Workbook shipped)
    : QObject(&book), host_(host), book_(book), pageIndex_(pageIndex), shipped_(std::move(shipped)),
      store_(host.userDataFolder())
{
    const int sheet = book_.workbook().activeSheet();
    try {
        kept_ = store_.load(pageIndex_);
        if (applyCorrections(book_.workbook(), sheet, kept_) > 0)
            book_.refresh();
    } catch (const AppError &e) {
        kept_.clear();
        host_.reporter().reportError(e.message());
    }
    restore_ = new QAction(QStringLiteral("恢复默认值(&M)"), &book_);
    restore_->setObjectName(QStringLiteral("actRestoreDefaults%1").arg(pageIndex_));
    restore_->setToolTip(QStringLiteral("将本页绿色参考值单元格恢复为软件自带的数值"));
    book_.addAction(restore_);
    connectGuarded(restore_, &QAction::triggered, this, host_.reporter(), [this] { restoreDefaults(); });
    // Reference values are corrected on purpose, one by one: Tab, block clears and pastes
    // must not change them in passing.
    book_.setReferenceCells({[this](int row, int col) {
                                 return isReferenceCell(shipped_, book_.workbook().activeSheet(), row, col);
                             },
                             [this] {
                                 return host_.reporter().ask(
                                            QStringLiteral("粘贴的内容将改变绿色单元格中的参考值。是否仍然粘贴？"),
                                            QStringLiteral("粘贴"), QuestionKind::YesNo) == Answer::Yes;
                             }});
    connectGuarded(&book_, &view::SpreadsheetView::cellChanged, this, host_.reporter(),
                   [this](int row, int col) { cellChanged(row, col); });
}

void ReferenceKeeper::cellChanged(int row, int col)
{
    const int sheet = book_.workbook().activeSheet();
    if (!isReferenceCell(shipped_, sheet, row - 1, col - 1))
        return;
    store_.save(pageIndex_, correctionsOf(shipped_, book_.workbook(), sheet));
}

void ReferenceKeeper::restoreDefaults()
{
    book_.commitPendingEdit();
    const int sheet = book_.workbook().activeSheet();
    if (correctionsOf(shipped_, book_.workbook(), sheet).empty()) {
        emit book_.statusMessage(QStringLiteral("本页的参考值已是默认值"));
        return;
    }
    if (host_.reporter().ask(QStringLiteral("将本页绿色单元格中的参考值恢复为默认值吗？您所做的修改将被丢弃。"),
                             QStringLiteral("恢复默认值"), QuestionKind::YesNo) != Answer::Yes)
        return;
    std::vector<view::SpreadsheetView::CellInput> inputs;
    for (const wb::CellAddress &cell : referenceCells(shipped_, sheet))
        inputs.push_back({cell, shipped_.sheet(sheet).input(cell.row, cell.col)});
    const bool wasClean = book_.undoStack()->isClean();
    book_.applyUserEdits(inputs, QStringLiteral("恢复默认值"));
    // The user has just confirmed this: closing must not ask about it a second time.
    kept_.clear();
    store_.save(pageIndex_, kept_);
    if (wasClean)
        book_.undoStack()->setClean();
    emit book_.statusMessage(QStringLiteral("本页的参考值已恢复为默认值"));
}

void ReferenceKeeper::keepAsSaved()
{
    kept_ = correctionsOf(shipped_, book_.workbook(), book_.workbook().activeSheet());
}

void ReferenceKeeper::discardUnsaved() { store_.save(pageIndex_, kept_); }

ReferenceKeeper *keepReferenceValues(PageHost &host, view::SpreadsheetView &book, int pageIndex,
                                     const QByteArray &shippedBytes)
{
    std::optional<wb::Workbook> shipped = wb::loadWorkbook(shippedBytes, nullptr);
    if (!shipped || shipped->sheetCount() == 0 || referenceCells(*shipped, shipped->activeSheet()).empty())
        return nullptr;
    return new ReferenceKeeper(host, book, pageIndex, std::move(*shipped));
}

} // namespace mhbk::workbooks
