#pragma once

#include <QString>

class QTableView;
class QTableWidget;

namespace mhbk {

// The selected cells of a grid as tab-separated text: the rectangle around the selection,
// cells inside it that are not selected left empty; the current cell when nothing is selected.
QString selectedCellsText(const QTableView &view);

// Selects `span` cells of a row from `column` on (cut at the grid's edge), makes the first
// current, brings it into view and gives the grid the focus. A cell outside the grid changes
// nothing.
void selectRowCells(QTableWidget &grid, int row, int column, int span);

// Ctrl+C of every grid: the selected cells to the clipboard.
void copySelectedCells(const QTableView &view);

// A frame around the current cell, drawn over the body after the cells, so that it shows
// which cell 删除 or 加入表达式 will take even where a painter draws no selection.
// Called from the view's paintEvent.
void paintCurrentCellFrame(QTableView &view);

} // namespace mhbk
