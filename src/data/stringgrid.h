#pragma once

#include <QTableWidget>

namespace mhbk {

// A grid of texts addressed as (column, row), with a number of fixed caption rows drawn by
// the cell painter. Headers are hidden: the captions are ordinary cells of the fixed rows.
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
    int defaultColWidth_ = 64;
};

} // namespace mhbk
