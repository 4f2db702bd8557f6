// Keyboard, mouse, in-place editing and copying of the spreadsheet view.
#include "workbooks/engine/workbook.h"
#include "workbooks/view/sheetgeometry.h"
#include "workbooks/view/spreadsheetview.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QCursor>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScrollBar>
#include <QUndoStack>

namespace mhbk::view {
namespace {

// Ends editing on Enter, Tab and Escape, and on arrows when the edit began by typing.
class EditorKeys : public QObject {
public:
    EditorKeys(QObject *parent, std::function<bool(QKeyEvent *)> handler) : QObject(parent), handler_(std::move(handler)) {}
    bool eventFilter(QObject *, QEvent *event) override
    {
        return event->type() == QEvent::KeyPress && handler_(static_cast<QKeyEvent *>(event));
    }

private:
    std::function<bool(QKeyEvent *)> handler_;
};

} // namespace

wb::CellRange SpreadsheetView::selection() const
{
    const wb::CellAddress a = current_, b = anchor_;
    wb::CellRange r{std::min(a.row, b.row), std::min(a.col, b.col), std::max(a.row, b.row), std::max(a.col, b.col)};
    // A selection touching a merged range takes in all of it.
    for (bool grown = true; grown;) {
        grown = false;
        for (const wb::CellRange &m : book_->sheet(sheetIndex()).merges())
            if (m.intersects(r) && (m.firstRow < r.firstRow || m.firstCol < r.firstCol || m.lastRow > r.lastRow ||
                                    m.lastCol > r.lastCol)) {
                r = {std::min(r.firstRow, m.firstRow), std::min(r.firstCol, m.firstCol), std::max(r.lastRow, m.lastRow),
                     std::max(r.lastCol, m.lastCol)};
                grown = true;
            }
    }
    return r;
}

void SpreadsheetView::setSelection(const wb::CellRange &range)
{
    commitEdit();
    anchor_ = {range.lastRow, range.lastCol};
    current_ = {range.firstRow, range.firstCol};
    ensureVisible(current_);
    viewport()->update();
}

wb::CellAddress SpreadsheetView::cellAt(const QPoint &pos) const
{
    return anchorOf({geometry_->rowAt(pos.y() + verticalScrollBar()->value()),
                     geometry_->columnAt(pos.x() + horizontalScrollBar()->value())});
}

wb::CellAddress SpreadsheetView::anchorOf(wb::CellAddress cell) const
{
    if (const wb::CellRange *m = book_->sheet(sheetIndex()).mergeAt(cell.row, cell.col))
        return {m->firstRow, m->firstCol};
    return cell;
}

void SpreadsheetView::setCurrent(wb::CellAddress cell, bool extend)
{
    current_ = cell;
    if (!extend)
        anchor_ = cell;
    ensureVisible(cell);
    viewport()->update();
}

// One step in a direction, over a merged range as over one cell and past hidden rows and columns.
void SpreadsheetView::moveCurrent(int dRow, int dCol, bool extend)
{
    const wb::Sheet &sheet = book_->sheet(sheetIndex());
    int row = current_.row, col = current_.col;
    if (const wb::CellRange *m = sheet.mergeAt(row, col)) {
        row = dRow > 0 ? m->lastRow : dRow < 0 ? m->firstRow : row;
        col = dCol > 0 ? m->lastCol : dCol < 0 ? m->firstCol : col;
    }
    do {
        row += dRow;
        col += dCol;
    } while (row >= 0 && col >= 0 && row < wb::kMaxRows && col < wb::kMaxColumns &&
             ((dRow && sheet.isRowHidden(row)) || (dCol && sheet.isColumnHidden(col))));
    if (row < 0 || col < 0 || row >= wb::kMaxRows || col >= wb::kMaxColumns)
        return;
    setCurrent(extend ? wb::CellAddress{row, col} : anchorOf({row, col}), extend);
}

void SpreadsheetView::ensureVisible(wb::CellAddress cell)
{
    updateScrollBars();
    const SheetGeometry::Rect r = geometry_->cellRect(cell.row, cell.col);
    QScrollBar *h = horizontalScrollBar(), *v = verticalScrollBar();
    const QSize view = viewport()->size();
    if (r.x < h->value())
        h->setValue(r.x);
    else if (r.x + r.w > h->value() + view.width())
        h->setValue(std::min(r.x, r.x + r.w - view.width()));
    if (r.y < v->value())
        v->setValue(r.y);
    else if (r.y + r.h > v->value() + view.height())
        v->setValue(std::min(r.y, r.y + r.h - view.height()));
}

// The editor counts as open until it is hidden on purpose: while the page itself is being
// hidden the editor is no longer visible, and what it holds must still be committed.
bool SpreadsheetView::isEditing() const { return editor_ && !editor_->isHidden(); }

// Locked cells of a protected sheet are refused, and the status area says why.
bool SpreadsheetView::beginEdit(const QString &initial, bool replace)
{
    if (!book_->isEditable(sheetIndex(), current_.row, current_.col)) {
        refuseLocked();
        return false;
    }
    if (!editor_) {
        editor_ = new QLineEdit(viewport());
        editor_->setObjectName(QStringLiteral("CellEditor"));
        editor_->setFrame(false);
        editor_->installEventFilter(new EditorKeys(editor_, [this](QKeyEvent *e) { return editorKey(e); }));
    }
    editing_ = current_;
    editor_->setFont(font());
    editor_->setText(replace ? initial : book_->sheet(sheetIndex()).input(current_.row, current_.col));
    placeEditor();
    editor_->show();
    editor_->setFocus();
    return true;
}

bool SpreadsheetView::editorKey(QKeyEvent *e)
{
    const bool shift = e->modifiers() & Qt::ShiftModifier;
    if (e->matches(QKeySequence::Paste)) {
        // Inside a cell only text goes in, on one line: a copied block would not fit one cell.
        QString text = QApplication::clipboard()->text();
        while (text.endsWith(QLatin1Char('\n')) || text.endsWith(QLatin1Char('\r')))
            text.chop(1);
        editor_->insert(text.replace(QStringLiteral("\r\n"), QStringLiteral(" ")).replace(QLatin1Char('\n'), QLatin1Char(' ')).replace(QLatin1Char('\t'), QLatin1Char(' ')));
        return true;
    }
    switch (e->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: commitEdit(); moveCurrent(shift ? -1 : 1, 0, false); return true;
    case Qt::Key_Tab: commitEdit(); moveToUnlocked(true); return true;
    case Qt::Key_Backtab: commitEdit(); moveToUnlocked(false); return true;
    case Qt::Key_Escape: cancelEdit(); return true;
    // Up and down have no meaning in a one-line editor: they finish the entry.
    case Qt::Key_Up: commitEdit(); moveCurrent(-1, 0, false); return true;
    case Qt::Key_Down: commitEdit(); moveCurrent(1, 0, false); return true;
    default: return false;
    }
}

void SpreadsheetView::placeEditor()
{
    if (!editor_ || !geometry_)
        return;
    const SheetGeometry::Rect r = geometry_->cellRect(editing_.row, editing_.col);
    editor_->setGeometry(r.x - horizontalScrollBar()->value() + 1, r.y - verticalScrollBar()->value() + 1,
                         std::max(r.w - 2, 20), std::max(r.h - 2, editor_->sizeHint().height()));
}

void SpreadsheetView::commitEdit()
{
    if (!isEditing())
        return;
    const QString text = editor_->text();
    editor_->hide();
    setFocus();
    applyUserEdits({{editing_, text}}, QStringLiteral("输入"));
}

void SpreadsheetView::cancelEdit()
{
    if (!isEditing())
        return;
    editor_->hide();
    setFocus();
}

bool SpreadsheetView::focusNextPrevChild(bool next)
{
    if (isEditing())
        return QAbstractScrollArea::focusNextPrevChild(next);
    return false; // Tab moves between cells
}

void SpreadsheetView::keyPressEvent(QKeyEvent *e)
{
    const bool shift = e->modifiers() & Qt::ShiftModifier;
    const int pageRows = std::max(1, viewport()->height() / std::max(1, geometry_->height(current_.row)));
    if (shortcutKey(e))
        return;
    switch (e->key()) {
    case Qt::Key_Up: return moveCurrent(-1, 0, shift);
    case Qt::Key_Down: return moveCurrent(1, 0, shift);
    case Qt::Key_Left: return moveCurrent(0, -1, shift);
    case Qt::Key_Right: return moveCurrent(0, 1, shift);
    case Qt::Key_Tab: return moveToUnlocked(true);
    case Qt::Key_Backtab: return moveToUnlocked(false);
    case Qt::Key_Return:
    case Qt::Key_Enter: return moveCurrent(shift ? -1 : 1, 0, false);
    case Qt::Key_PageDown: return setCurrent(anchorOf({std::min(current_.row + pageRows, wb::kMaxRows - 1), current_.col}), shift);
    case Qt::Key_PageUp: return setCurrent(anchorOf({std::max(current_.row - pageRows, 0), current_.col}), shift);
    case Qt::Key_Home:
        return setCurrent(anchorOf({(e->modifiers() & Qt::ControlModifier) ? 0 : current_.row, 0}), shift);
    case Qt::Key_F2: beginEdit(QString(), false); return;
    case Qt::Key_Delete:
    case Qt::Key_Backspace: return clearSelection();
    default: break;
    }
    const QString text = e->text();
    if (!text.isEmpty() && text.at(0).isPrint() && !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        beginEdit(text, true);
        return;
    }
    QAbstractScrollArea::keyPressEvent(e);
}

bool SpreadsheetView::event(QEvent *event)
{
    // Shift+F10 and the menu key open the sheet's own context menu, before any window-wide
    // shortcut on them.
    if (event->type() == QEvent::ShortcutOverride) {
        auto *key = static_cast<QKeyEvent *>(event);
        const Qt::KeyboardModifiers mods = key->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier);
        if ((key->key() == Qt::Key_F10 && mods == Qt::ShiftModifier) || (key->key() == Qt::Key_Menu && mods == Qt::NoModifier)) {
            event->accept();
            return true;
        }
    }
    return QAbstractScrollArea::event(event);
}

// The clipboard, undo and the whole-sheet selection; false for any other key.
bool SpreadsheetView::shortcutKey(QKeyEvent *e)
{
    const Qt::KeyboardModifiers mods = e->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier);
    const bool ctrl = mods == Qt::ControlModifier, ctrlShift = mods == (Qt::ControlModifier | Qt::ShiftModifier);
    if (e->matches(QKeySequence::Copy))
        copySelection();
    else if (e->matches(QKeySequence::Paste))
        paste();
    else if (e->matches(QKeySequence::Cut)) {
        copySelection();
        clearSelection();
    } else if (ctrl && e->key() == Qt::Key_Z)
        undo_->undo();
    else if ((ctrl && e->key() == Qt::Key_Y) || (ctrlShift && e->key() == Qt::Key_Z))
        undo_->redo();
    else if (e->matches(QKeySequence::SelectAll))
        setSelection({0, 0, std::max(0, book_->sheet(sheetIndex()).rowCount() - 1),
                      std::max(0, book_->sheet(sheetIndex()).columnCount() - 1)});
    else if ((mods == Qt::ShiftModifier && e->key() == Qt::Key_F10) || (mods == Qt::NoModifier && e->key() == Qt::Key_Menu)) {
        QContextMenuEvent menu(QContextMenuEvent::Keyboard, QPoint(), QCursor::pos());
        contextMenuEvent(&menu);
    } else
        return false;
    return true;
}

void SpreadsheetView::mousePressEvent(QMouseEvent *e)
{
    if (e->button() != Qt::LeftButton)
        return;
    commitEdit();
    setFocus();
    setCurrent(cellAt(e->position().toPoint()), e->modifiers() & Qt::ShiftModifier);
}

void SpreadsheetView::mouseMoveEvent(QMouseEvent *e)
{
    if (!(e->buttons() & Qt::LeftButton))
        return;
    const wb::CellAddress cell = cellAt(e->position().toPoint());
    // Dragging moves the far corner; the cell pressed stays the current one.
    std::swap(current_, anchor_);
    setCurrent(cell, true);
    std::swap(current_, anchor_);
    viewport()->update();
}

void SpreadsheetView::mouseDoubleClickEvent(QMouseEvent *e)
{
    if (e->button() == Qt::LeftButton)
        beginEdit(QString(), false);
}

} // namespace mhbk::view
