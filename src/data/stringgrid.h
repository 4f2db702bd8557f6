#pragma once

#include <QTableWidget>

namespace mhbk {

// A grid of texts addressed as (column, row), with a number of fixed caption rows (and
// columns) drawn by the cell painter. Headers are hidden: the captions are ordinary cells of
// the fixed rows, unless freezeCaptions() moves them into the headers.
class StringGrid : public QTableWidget {
    Q_OBJECT
public:
    explicit StringGrid(QWidget *parent = nullptr);

    int colCount() const { return columnCount(); }
    int rowCountOf() const { return rowCount(); }
    void setColCount(int columns);
    void setRowCountTo(int rows) { setRowCount(rows); }

    int fixedRows() const { return fixedRows_; }
    void setFixedRows(int rows) { fixedRows_ = rows; }
    int fixedColumns() const { return fixedColumns_; }
    void setFixedColumns(int columns) { fixedColumns_ = columns; }
    bool isCaptionCell(int column, int row) const { return row < fixedRows_ || column < fixedColumns_; }

    // Shows caption row 0 and caption column 0 as the grid's headers, which stay in view while
    // the body scrolls. The caption cells keep their texts but are hidden, so they can no
    // longer become the current cell. Called once the grid has its rows and columns.
    void freezeCaptions();

    QString cell(int column, int row) const;
    void setCell(int column, int row, const QString &text);

    int currentCol() const { return currentColumn(); }
    int currentRowIndex() const { return currentRow(); }
    QString currentCellText() const;

    void setDefaultColWidth(int width);
    int defaultColWidth() const { return defaultColWidth_; }
    void setEditable(bool editable);

private:
    int fixedRows_ = 0;
    int fixedColumns_ = 0;
    int defaultColWidth_ = 64;
};

// Whether the grid's current cell is a caption of a StringGrid; 加入表达式 never inserts one.
bool currentCellIsCaption(const QTableWidget &grid);

} // namespace mhbk
