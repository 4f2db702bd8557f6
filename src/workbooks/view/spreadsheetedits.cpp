// What the user changes on the sheet: typed entries, clears and pastes as undoable steps, the
// clipboard in both directions, and the refusals of locked cells.
#include "workbooks/engine/workbook.h"
#include "workbooks/view/cellblock.h"
#include "workbooks/view/sheetgeometry.h"
#include "workbooks/view/spreadsheetview.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMimeData>
#include <QScrollBar>
#include <QUndoCommand>
#include <QUndoStack>
#include <algorithm>
#include <exception>
#include <optional>

namespace mhbk::view {

namespace {

QString lockedCellMessage() { return QStringLiteral("该单元格是公式或固定内容，不能修改"); }

// The shown texts of a range, hidden rows and columns left out: what a copy carries.
CellBlock shownBlock(const wb::Workbook &book, int sheetNo, const wb::CellRange &r)
{
    const wb::Sheet &sheet = book.sheet(sheetNo);
    CellBlock block;
    for (int row = r.firstRow; row <= r.lastRow; ++row) {
        if (sheet.isRowHidden(row))
            continue;
        QStringList fields;
        for (int col = r.firstCol; col <= r.lastCol; ++col)
            if (!sheet.isColumnHidden(col))
                fields << book.displayText(sheetNo, row, col);
        block << fields;
    }
    return block;
}

} // namespace

// One user action: the texts the cells held before and after it.
class CellEditCommand : public QUndoCommand {
public:
    CellEditCommand(SpreadsheetView &view, int sheet, std::vector<SpreadsheetView::CellInput> before,
                    std::vector<SpreadsheetView::CellInput> after, const QString &text)
        : QUndoCommand(text), view_(view), sheet_(sheet), before_(std::move(before)), after_(std::move(after))
    {
    }
    // Undoing and redoing show the cells they change; the first doing happens where the user is.
    void undo() override { view_.writeInputs(sheet_, before_, true); }
    void redo() override
    {
        view_.writeInputs(sheet_, after_, !first_);
        first_ = false;
    }

private:
    bool first_ = true;
    SpreadsheetView &view_;
    int sheet_;
    std::vector<SpreadsheetView::CellInput> before_, after_;
};

void SpreadsheetView::writeInputs(int sheet, const std::vector<CellInput> &inputs, bool reveal)
{
    if (reveal && !inputs.empty()) {
        commitEdit();
        wb::CellRange span{inputs.front().cell.row, inputs.front().cell.col, inputs.front().cell.row, inputs.front().cell.col};
        for (const CellInput &in : inputs)
            span = {std::min(span.firstRow, in.cell.row), std::min(span.firstCol, in.cell.col),
                    std::max(span.lastRow, in.cell.row), std::max(span.lastCol, in.cell.col)};
        current_ = {span.firstRow, span.firstCol};
        anchor_ = {span.lastRow, span.lastCol};
        ensureVisible(current_);
    }
    // Many cells at once are recalculated once, at the end.
    const bool many = inputs.size() > 1;
    if (many)
        book_->beginUpdate();
    for (const CellInput &in : inputs)
        book_->setInput(sheet, in.cell.row, in.cell.col, in.text);
    if (many)
        book_->endUpdate();
    updateScrollBars();
    viewport()->update();
    for (const CellInput &in : inputs)
        emit cellChanged(in.cell.row + 1, in.cell.col + 1);
}

void SpreadsheetView::applyUserEdits(const std::vector<CellInput> &inputs, const QString &description)
{
    const int sheet = sheetIndex();
    std::vector<CellInput> before, after;
    for (const CellInput &in : inputs) {
        const QString old = book_->sheet(sheet).input(in.cell.row, in.cell.col);
        if (old == in.text)
            continue;
        before.push_back({in.cell, old});
        after.push_back(in);
    }
    if (!after.empty())
        undo_->push(new CellEditCommand(*this, sheet, std::move(before), std::move(after), description));
}

void SpreadsheetView::applyModelChange(const std::vector<wb::CellAddress> &cells, const QString &description,
                                       const std::function<void(wb::Workbook &, int)> &change)
{
    commitEdit();
    const int sheet = sheetIndex();
    std::vector<CellInput> before;
    for (const wb::CellAddress &cell : cells)
        before.push_back({cell, book_->sheet(sheet).input(cell.row, cell.col)});
    std::exception_ptr failure;
    try {
        change(*book_, sheet);
    } catch (...) {
        failure = std::current_exception();
    }
    std::vector<CellInput> was, now;
    for (CellInput &old : before) {
        QString text = book_->sheet(sheet).input(old.cell.row, old.cell.col);
        if (text == old.text)
            continue;
        now.push_back({old.cell, std::move(text)});
        was.push_back(std::move(old));
    }
    // The command's first doing writes the same texts again: the model stays as the change
    // left it, and the view shows it and says which cells changed.
    if (!now.empty())
        undo_->push(new CellEditCommand(*this, sheet, std::move(was), std::move(now), description));
    if (failure)
        std::rethrow_exception(failure);
}

void SpreadsheetView::commitPendingEdit() { commitEdit(); }

void SpreadsheetView::refuseLocked() { emit statusMessage(lockedCellMessage()); }

void SpreadsheetView::clearSelection()
{
    commitEdit();
    const wb::CellRange r = selection();
    const wb::Sheet &sheet = book_->sheet(sheetIndex());
    std::vector<CellInput> cleared, references;
    bool lockedContent = false, inputsSelected = false;
    for (int row = r.firstRow; row <= r.lastRow; ++row)
        for (int col = r.firstCol; col <= r.lastCol; ++col) {
            const bool editable = book_->isEditable(sheetIndex(), row, col);
            const bool reference = editable && isReference(row, col);
            inputsSelected = inputsSelected || (editable && !reference);
            if (sheet.input(row, col).isEmpty())
                continue;
            if (!editable)
                lockedContent = true;
            else
                (reference ? references : cleared).push_back({{row, col}, QString()});
        }
    // Clearing a row of inputs must not take its quota or loss rate with it: reference values
    // go only when no cell to fill was selected with them.
    if (!inputsSelected)
        cleared = std::move(references);
    // Formulas and fixed texts in the selection stay; only a clear that finds nothing else to
    // do says why.
    if (cleared.empty() && lockedContent)
        return refuseLocked();
    applyUserEdits(cleared, QStringLiteral("清除"));
}

QString SpreadsheetView::selectionText() const
{
    return blockToTabText(shownBlock(*book_, sheetIndex(), selection()));
}

void SpreadsheetView::copySelection() const
{
    const CellBlock block = shownBlock(*book_, sheetIndex(), selection());
    auto *mime = new QMimeData;
    mime->setText(blockToTabText(block));
    mime->setHtml(blockToHtml(block));
    QApplication::clipboard()->setMimeData(mime);
}

bool SpreadsheetView::paste()
{
    commitEdit();
    const QMimeData *mime = QApplication::clipboard()->mimeData();
    if (!mime)
        return false;
    // A table in HTML says where each cell begins and ends even when a cell holds a tab or a
    // line break; plain text is the fallback every program offers.
    CellBlock block = mime->hasHtml() ? blockFromHtml(mime->html()) : CellBlock();
    if (block.isEmpty() && mime->hasText())
        block = blockFromTabText(mime->text());
    if (block.isEmpty() || blockWidth(block) == 0)
        return false;
    const wb::CellRange sel = selection();
    // One value onto a selected range fills it, as spreadsheets do.
    if (block.size() == 1 && block[0].size() == 1 && (sel.rowCount() > 1 || sel.columnCount() > 1))
        block = CellBlock(sel.rowCount(), QStringList(sel.columnCount(), block[0][0]));
    const int width = blockWidth(block);
    const wb::CellAddress top{sel.firstRow, sel.firstCol};
    if (top.row + block.size() > wb::kMaxRows || top.col + width > wb::kMaxColumns) {
        emit statusMessage(QStringLiteral("粘贴区域超出工作表的范围，未粘贴"));
        return false;
    }
    std::vector<CellInput> inputs;
    for (int r = 0; r < block.size(); ++r)
        for (int c = 0; c < width; ++c) {
            const wb::CellAddress cell{top.row + r, top.col + c};
            const bool covered = anchorOf(cell).row != cell.row || anchorOf(cell).col != cell.col;
            if (covered || !book_->isEditable(sheetIndex(), cell.row, cell.col)) {
                emit statusMessage(QStringLiteral("粘贴区域含有公式或固定内容的单元格，不能粘贴"));
                return false;
            }
            inputs.push_back({cell, c < block[r].size() ? block[r][c] : QString()});
        }
    if (pasteChangesReference(inputs) && !(reference_.confirmPaste && reference_.confirmPaste())) {
        emit statusMessage(QStringLiteral("未粘贴：参考值保持不变"));
        return false;
    }
    applyUserEdits(inputs, QStringLiteral("粘贴"));
    current_ = top;
    anchor_ = {top.row + int(block.size()) - 1, top.col + width - 1};
    ensureVisible(current_);
    viewport()->update();
    return true;
}

bool SpreadsheetView::pasteChangesReference(const std::vector<CellInput> &inputs) const
{
    const wb::Sheet &sheet = book_->sheet(sheetIndex());
    return std::any_of(inputs.begin(), inputs.end(), [&](const CellInput &in) {
        return isReference(in.cell.row, in.cell.col) && sheet.input(in.cell.row, in.cell.col) != in.text;
    });
}

// Tab and Shift+Tab visit the cells the user may fill, row by row, and wrap around, passing
// reference values by (a sheet of nothing but reference values has them visited); on a sheet
// without protection every cell is such a cell and Tab simply moves sideways.
void SpreadsheetView::moveToUnlocked(bool forward)
{
    const wb::Sheet &sheet = book_->sheet(sheetIndex());
    if (!sheet.isProtected())
        return moveCurrent(0, forward ? 1 : -1, false);
    const int rows = std::max(sheet.rowCount(), 1), cols = std::max(sheet.columnCount(), 1);
    const long long total = static_cast<long long>(rows) * cols;
    const long long start = static_cast<long long>(std::min(current_.row, rows - 1)) * cols + std::min(current_.col, cols - 1);
    std::optional<wb::CellAddress> firstReference;
    for (long long step = 1; step <= total; ++step) {
        const long long at = ((start + (forward ? step : -step)) % total + total) % total;
        const int row = int(at / cols), col = int(at % cols);
        if (sheet.isRowHidden(row) || sheet.isColumnHidden(col))
            continue;
        const wb::CellAddress anchor = anchorOf({row, col});
        if (anchor.row != row || anchor.col != col || !book_->isEditable(sheetIndex(), row, col))
            continue;
        if (!isReference(row, col))
            return setCurrent({row, col}, false);
        if (!firstReference)
            firstReference = wb::CellAddress{row, col};
    }
    if (firstReference)
        setCurrent(*firstReference, false);
}

void SpreadsheetView::hideEvent(QHideEvent *event)
{
    // Leaving the page (another page shown) keeps what was typed; a minimised window only waits.
    if (!event->spontaneous())
        commitEdit();
    QAbstractScrollArea::hideEvent(event);
}

void SpreadsheetView::fillContextMenu(QMenu &menu)
{
    menu.setObjectName(QStringLiteral("SheetMenu"));
    QAction *undo = menu.addAction(QStringLiteral("撤销(&U)\tCtrl+Z"), undo_, &QUndoStack::undo);
    undo->setEnabled(undo_->canUndo());
    QAction *redo = menu.addAction(QStringLiteral("重做(&R)\tCtrl+Y"), undo_, &QUndoStack::redo);
    redo->setEnabled(undo_->canRedo());
    menu.addSeparator();
    menu.addAction(QStringLiteral("剪切(&T)\tCtrl+X"), this, [this] { copySelection(); clearSelection(); });
    menu.addAction(QStringLiteral("复制(&C)\tCtrl+C"), this, &SpreadsheetView::copySelection);
    menu.addAction(QStringLiteral("粘贴(&P)\tCtrl+V"), this, &SpreadsheetView::paste);
    menu.addAction(QStringLiteral("清除内容(&D)\tDelete"), this, &SpreadsheetView::clearSelection);
    // Commands the page adds to the sheet (addAction) follow the sheet's own.
    if (!actions().isEmpty()) {
        menu.addSeparator();
        menu.addActions(actions());
    }
}

void SpreadsheetView::contextMenuEvent(QContextMenuEvent *event)
{
    commitEdit();
    QMenu menu(this);
    fillContextMenu(menu);
    QPoint at = event->globalPos();
    if (event->reason() == QContextMenuEvent::Keyboard) {
        const SheetGeometry::Rect c = geometry_->cellRect(current_.row, current_.col);
        at = viewport()->mapToGlobal(QPoint(c.x - horizontalScrollBar()->value() + c.w / 2,
                                            c.y - verticalScrollBar()->value() + c.h));
    }
    menu.exec(at);
}

} // namespace mhbk::view
