// What the user does in a string grid besides clicking a cell: typing, copying, pasting, and
// the current-cell frame that shows where that happens.
#include "widgets/gridselection.h"
#include "widgets/stringgrid.h"
#include "widgets/tabtext.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <algorithm>

namespace mhbk {

bool StringGrid::takesTyping(int column, int row) const
{
    if (!editable_ || column < 0 || row < 0 || isCaptionCell(column, row) || column >= columnCount()
        || row >= rowCount())
        return false;
    return !typingRule_ || typingRule_(column, row);
}

bool StringGrid::edit(const QModelIndex &index, EditTrigger trigger, QEvent *event)
{
    // Captions are not stored and a spacer belongs to no item: typing there would be lost.
    if (index.isValid() && !takesTyping(index.column(), index.row()))
        return false;
    return QTableWidget::edit(index, trigger, event);
}

int StringGrid::paste(const QString &text)
{
    const QModelIndex start = currentIndex();
    if (!start.isValid())
        return 0;
    const std::vector<QStringList> rows = fromTabText(text);
    QItemSelection written;
    int count = 0;
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        const QStringList &cells = rows[static_cast<std::size_t>(r)];
        for (int c = 0; c < cells.size(); ++c) {
            const int column = start.column() + c;
            const int row = start.row() + r;
            if (!takesTyping(column, row))
                continue;
            setCell(column, row, cells[c]);
            written.select(model()->index(row, column), model()->index(row, column));
            ++count;
        }
    }
    if (count > 0)
        selectionModel()->select(written, QItemSelectionModel::ClearAndSelect);
    return count;
}

void StringGrid::keyPressEvent(QKeyEvent *event)
{
    if (event->matches(QKeySequence::Copy)) {
        copySelectedCells(*this);
        event->accept();
        return;
    }
    if (event->matches(QKeySequence::Paste) && editable_) {
        paste(QGuiApplication::clipboard()->text());
        event->accept();
        return;
    }
    QTableWidget::keyPressEvent(event);
}

void StringGrid::paintEvent(QPaintEvent *event)
{
    QTableWidget::paintEvent(event);
    paintCurrentCellFrame(*this);
}

void StringGrid::showEvent(QShowEvent *event)
{
    QTableWidget::showEvent(event);
    ensureCurrentCell();
}

void StringGrid::ensureCurrentCell()
{
    const QModelIndex current = currentIndex();
    if (current.isValid() && !isCaptionCell(current.column(), current.row()))
        return;
    int row = fixedRows_;
    while (row < rowCount() && isRowHidden(row))
        ++row;
    int column = std::max(current.isValid() ? current.column() : 0, fixedColumns_);
    while (column < columnCount() && isColumnHidden(column))
        ++column;
    if (row >= rowCount() || column >= columnCount())
        return;
    // Made current without selecting it: a selection is what the user picks.
    selectionModel()->setCurrentIndex(model()->index(row, column), QItemSelectionModel::NoUpdate);
}

} // namespace mhbk
