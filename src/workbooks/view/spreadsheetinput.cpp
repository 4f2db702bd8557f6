// Keyboard, mouse, in-place editing and copying of the spreadsheet view.
#include "workbooks/engine/workbook.h"
#include "workbooks/view/sheetgeometry.h"
#include "workbooks/view/spreadsheetview.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScrollBar>

namespace mhbk::view {
namespace {

// Tabs, line breaks and quotes inside a cell would break the tab-separated layout; such a
// cell is quoted the way spreadsheets paste it back.
QString tsvField(const QString &text)
{
    if (!text.contains(QLatin1Char('\t')) && !text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('"')))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

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

QString SpreadsheetView::selectionText() const
{
    const wb::Sheet &sheet = book_->sheet(sheetIndex());
    const wb::CellRange r = selection();
    QString out;
    for (int row = r.firstRow; row <= r.lastRow; ++row) {
        if (sheet.isRowHidden(row))
            continue;
        QStringList fields;
        for (int col = r.firstCol; col <= r.lastCol; ++col)
            if (!sheet.isColumnHidden(col))
                fields << tsvField(book_->displayText(sheetIndex(), row, col));
        out += fields.join(QLatin1Char('\t')) + QLatin1Char('\n');
    }
    return out;
}

void SpreadsheetView::copySelection() const { QApplication::clipboard()->setText(selectionText()); }

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

bool SpreadsheetView::isEditing() const { return editor_ && editor_->isVisible(); }

// Locked cells of a protected sheet are refused without a word, as the pages want it.
bool SpreadsheetView::beginEdit(const QString &initial, bool replace)
{
    if (!book_->isEditable(sheetIndex(), current_.row, current_.col))
        return false;
    if (!editor_) {
        editor_ = new QLineEdit(viewport());
        editor_->setObjectName(QStringLiteral("CellEditor"));
        editor_->setFrame(false);
        editor_->installEventFilter(new EditorKeys(editor_, [this](QKeyEvent *e) {
            const bool shift = e->modifiers() & Qt::ShiftModifier;
            switch (e->key()) {
            case Qt::Key_Return:
            case Qt::Key_Enter: commitEdit(); moveCurrent(shift ? -1 : 1, 0, false); return true;
            case Qt::Key_Tab: commitEdit(); moveCurrent(0, 1, false); return true;
            case Qt::Key_Backtab: commitEdit(); moveCurrent(0, -1, false); return true;
            case Qt::Key_Escape: cancelEdit(); return true;
            // Up and down have no meaning in a one-line editor: they finish the entry.
            case Qt::Key_Up: commitEdit(); moveCurrent(-1, 0, false); return true;
            case Qt::Key_Down: commitEdit(); moveCurrent(1, 0, false); return true;
            default: return false;
            }
        }));
    }
    editing_ = current_;
    editor_->setFont(font());
    editor_->setText(replace ? initial : book_->sheet(sheetIndex()).input(current_.row, current_.col));
    placeEditor();
    editor_->show();
    editor_->setFocus();
    return true;
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
    book_->setInput(sheetIndex(), editing_.row, editing_.col, text);
    setFocus();
    updateScrollBars();
    viewport()->update();
    emit cellChanged(editing_.row + 1, editing_.col + 1);
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
    if (e->matches(QKeySequence::Copy))
        return copySelection();
    if (e->matches(QKeySequence::SelectAll))
        return setSelection({0, 0, std::max(0, book_->sheet(sheetIndex()).rowCount() - 1),
                             std::max(0, book_->sheet(sheetIndex()).columnCount() - 1)});
    switch (e->key()) {
    case Qt::Key_Up: return moveCurrent(-1, 0, shift);
    case Qt::Key_Down: return moveCurrent(1, 0, shift);
    case Qt::Key_Left: return moveCurrent(0, -1, shift);
    case Qt::Key_Right: return moveCurrent(0, 1, shift);
    case Qt::Key_Tab: return moveCurrent(0, 1, false);
    case Qt::Key_Backtab: return moveCurrent(0, -1, false);
    case Qt::Key_Return:
    case Qt::Key_Enter: return moveCurrent(shift ? -1 : 1, 0, false);
    case Qt::Key_PageDown: return setCurrent(anchorOf({std::min(current_.row + pageRows, wb::kMaxRows - 1), current_.col}), shift);
    case Qt::Key_PageUp: return setCurrent(anchorOf({std::max(current_.row - pageRows, 0), current_.col}), shift);
    case Qt::Key_Home:
        return setCurrent(anchorOf({(e->modifiers() & Qt::ControlModifier) ? 0 : current_.row, 0}), shift);
    case Qt::Key_F2: beginEdit(QString(), false); return;
    case Qt::Key_Delete: {
        const wb::CellRange r = selection();
        for (int row = r.firstRow; row <= r.lastRow; ++row)
            for (int col = r.firstCol; col <= r.lastCol; ++col)
                if (book_->isEditable(sheetIndex(), row, col) && !book_->sheet(sheetIndex()).input(row, col).isEmpty())
                    book_->setInput(sheetIndex(), row, col, QString());
        viewport()->update();
        return;
    }
    default: break;
    }
    const QString text = e->text();
    if (!text.isEmpty() && text.at(0).isPrint() && !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        beginEdit(text, true);
        return;
    }
    QAbstractScrollArea::keyPressEvent(e);
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
