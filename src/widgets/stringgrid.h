#pragma once

#include <QTableWidget>
#include <functional>

namespace mhbk {

// A grid of texts addressed as (column, row), with a number of fixed caption rows (and
// columns) drawn by the cell painter. Headers are hidden: the captions are ordinary cells of
// the fixed rows, unless freezeCaptions() moves them into the headers.
// Every grid has a current cell, framed; a range of cells can be selected and copied with
// Ctrl+C; column edges can be dragged; editable grids take Ctrl+V.
class StringGrid : public QTableWidget {
    Q_OBJECT
public:
    explicit StringGrid(QWidget *parent = nullptr);

    int colCount() const { return columnCount(); }
    void setColCount(int columns);

    int fixedRows() const { return fixedRows_; }
    void setFixedRows(int rows);
    void setFixedColumns(int columns) { fixedColumns_ = columns; }
    bool isCaptionCell(int column, int row) const { return row < fixedRows_ || column < fixedColumns_; }

    // Shows caption row 0 and caption column 0 as the grid's headers, which stay in view while
    // the body scrolls. The caption cells keep their texts but are hidden, so they can no
    // longer become the current cell. Called once the grid has its rows and columns.
    void freezeCaptions();

    QString cell(int column, int row) const;
    void setCell(int column, int row, const QString &text);

    QString currentCellText() const;

    void setDefaultColWidth(int width);
    int defaultColWidth() const { return defaultColWidth_; }
    void setEditable(bool editable);

    // Which cells of an editable grid take typing and pasting, besides the caption rows,
    // which never do (the rule may refuse more, such as spacer columns).
    void setTypingRule(std::function<bool(int column, int row)> rule) { typingRule_ = std::move(rule); }
    bool takesTyping(int column, int row) const;

    // Writes tab-separated text into the cells from the current one on, rightwards and down
    // (Ctrl+V); cells that take no typing and places beyond the grid are passed over. The
    // cells written are selected; returns how many there are.
    int paste(const QString &text);

protected:
    bool edit(const QModelIndex &index, EditTrigger trigger, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    // Without a current cell 插入 and 删除 would have nothing to act on and nothing would be
    // framed: the first cell below the captions is current until the user picks another.
    void ensureCurrentCell();

    bool editable_ = false;
    std::function<bool(int column, int row)> typingRule_;
    int fixedRows_ = 0;
    int fixedColumns_ = 0;
    int defaultColWidth_ = 64;
};

// Whether the grid's current cell is a caption of a StringGrid; 加入表达式 never inserts one.
bool currentCellIsCaption(const QTableWidget &grid);

} // namespace mhbk
