#include "widgets/gridselection.h"

#include "widgets/tabtext.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QItemSelectionModel>
#include <QPainter>
#include <QScrollArea>
#include <QTableView>
#include <QTableWidget>
#include <algorithm>
#include <climits>

namespace mhbk {

QString selectedCellsText(const QTableView &view)
{
    const QAbstractItemModel *model = view.model();
    if (!model)
        return {};
    QModelIndexList cells = view.selectionModel() ? view.selectionModel()->selectedIndexes() : QModelIndexList{};
    // Hidden caption rows and columns are copied with the cells only where they are visible.
    cells.removeIf([&view](const QModelIndex &i) { return view.isRowHidden(i.row()) || view.isColumnHidden(i.column()); });
    if (cells.isEmpty() && view.currentIndex().isValid())
        cells << view.currentIndex();
    if (cells.isEmpty())
        return {};
    int top = INT_MAX, left = INT_MAX, bottom = -1, right = -1;
    for (const QModelIndex &i : cells) {
        top = std::min(top, i.row());
        bottom = std::max(bottom, i.row());
        left = std::min(left, i.column());
        right = std::max(right, i.column());
    }
    std::vector<QStringList> rows(static_cast<std::size_t>(bottom - top + 1));
    for (QStringList &row : rows)
        for (int c = left; c <= right; ++c)
            row << QString();
    for (const QModelIndex &i : cells)
        rows[static_cast<std::size_t>(i.row() - top)][i.column() - left] = model->data(i, Qt::DisplayRole).toString();
    return toTabText(rows);
}

void copySelectedCells(const QTableView &view)
{
    QGuiApplication::clipboard()->setText(selectedCellsText(view));
}

void paintCurrentCellFrame(QTableView &view)
{
    const QModelIndex current = view.currentIndex();
    if (!current.isValid() || view.isRowHidden(current.row()) || view.isColumnHidden(current.column()))
        return;
    const QRect cell = view.visualRect(current);
    if (cell.width() < 4 || cell.height() < 4)
        return;
    QPainter painter(view.viewport());
    QPen pen(view.palette().color(QPalette::Active, QPalette::Highlight), 2);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(cell).adjusted(1, 1, -1, -1));
}

void selectRowCells(QTableWidget &grid, int row, int column, int span)
{
    if (row < 0 || column < 0 || row >= grid.rowCount() || column >= grid.columnCount())
        return;
    grid.clearSelection();
    grid.setCurrentCell(row, column);
    const int last = std::min(column + std::max(span, 1), grid.columnCount()) - 1;
    grid.setRangeSelected(QTableWidgetSelectionRange(row, column, row, last), true);
    grid.scrollToItem(grid.item(row, column));
    // A page shows its grid whole inside a scrolled page: that page scrolls to the cell too.
    for (QWidget *w = grid.parentWidget(); w; w = w->parentWidget()) {
        if (auto *area = qobject_cast<QScrollArea *>(w); area && area->widget()) {
            const QRect cell = grid.visualRect(grid.model()->index(row, column));
            const QPoint centre = grid.viewport()->mapTo(area->widget(), cell.center());
            area->ensureVisible(centre.x(), centre.y(), cell.width() / 2 + 8, cell.height() / 2 + 8);
            break;
        }
    }
    grid.setFocus();
}

} // namespace mhbk
