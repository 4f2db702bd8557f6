#pragma once

#include "sheets/sheetlayout.h"

#include <QStyledItemDelegate>
#include <QTableWidget>
#include <functional>

namespace mhbk::sheets {

// The sheet's grid. Grid row 0 and column 0 are the fixed captions and stay in view while
// the data scrolls: they live in the table's headers and corner, while cell(column, row)
// addresses every cell with the sheet's own row and column numbers.
class SheetGrid : public QTableWidget {
    Q_OBJECT
public:
    SheetGrid(const SheetDescription &sheet, QWidget *parent = nullptr);

    QString cell(int column, int row) const;
    void setCell(int column, int row, const QString &text);

    int gridColumn() const { return currentColumn() + 1; }
    int gridRow() const { return currentRow() + 1; }
    void setGridCell(int column, int row);
    QString currentCellText() const { return cell(gridColumn(), gridRow()); }

    // Called for Enter, whether or not a length is being edited (the form's key-down handler).
    void setEnterHandler(std::function<void()> handler) { enterHandler_ = std::move(handler); }
    void pressEnter();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void keyboardSearch(const QString &) override {}

private:
    void applyPaint();
    void paintCorner(QWidget *corner);
    bool eventFilter(QObject *watched, QEvent *event) override;

    const SheetDescription &sheet_;
    QWidget *corner_ = nullptr;
    std::function<void()> enterHandler_;
};

// The editor of a length cell: writes through to the cell as the user types (so the copy
// button and a thickness change see the typed text), filters keys, and hands Enter to the grid.
class LengthDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    LengthDelegate(const SheetDescription &sheet, SheetGrid *grid);

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    const SheetDescription &sheet_;
    SheetGrid *grid_;
};

} // namespace mhbk::sheets
