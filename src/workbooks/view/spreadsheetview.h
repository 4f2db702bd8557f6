#pragma once

#include "workbooks/engine/address.h"

#include <QAbstractScrollArea>
#include <QByteArray>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

class QMenu;
class QLineEdit;
class QPrinter;
class QUndoStack;

namespace mhbk {
class Reporter;
}

namespace mhbk::wb {
class Workbook;
}

namespace mhbk::view {

class SheetGeometry;

// The spreadsheet control of the workbook pages: shows the active sheet of a workbook with its
// styles, merges, widths, heights and hidden columns, edits unlocked cells in place and
// recalculates, navigates with the keyboard, copies and pastes blocks of cells and undoes
// what the user changed. It has no edit bar, no row or column headings and no sheet tabs.
//
// Row and column numbers in its interface count from 1.
class SpreadsheetView : public QAbstractScrollArea {
    Q_OBJECT

public:
    // What saveToFile writes.
    enum class FileType {
        Excel97,   // .xls
        Workbook,  // the stored workbook format
        Excel2007, // .xlsx
    };

    explicit SpreadsheetView(QWidget *parent = nullptr);
    ~SpreadsheetView() override;

    // Replaces the shown workbook by one in the stored format. Throws mhbk::AppError when the
    // data is malformed (the message says where).
    void loadFromData(const QByteArray &data);
    // Writes the workbook as shown, the user's edits included. Throws mhbk::AppError.
    void saveToFile(const QString &path, FileType fileType) const;

    void setCurrentCell(int row, int col);
    int currentRow() const { return current_.row + 1; }
    int currentColumn() const { return current_.col + 1; }
    // The current cell's text as shown; writing interprets the text as typed (an empty text
    // clears the cell). Programmatic writes are not subject to cell protection.
    QString cellText() const;
    void setCellText(const QString &text);
    QString cellText(int row, int col) const;
    void setCellText(int row, int col, const QString &text);
    void setColumnRangeHidden(int firstCol, int lastCol, bool hidden);
    // The modal print preview; an error while it paints goes to `reporter`.
    void openPrintPreview(Reporter &reporter);


    // The selection (zero-based, inclusive) and its tab-separated text, as Ctrl+C copies it.
    wb::CellRange selection() const;
    void setSelection(const wb::CellRange &range);
    QString selectionText() const;
    void copySelection() const;

    // What the user changes (typing, clearing, pasting, restoring) goes through the undo stack,
    // one step per action; its clean state tells whether the sheet changed since it was saved.
    // Loading a workbook empties it. Programmatic writes (setCellText) are not undoable.
    QUndoStack *undoStack() const { return undo_; }
    // Writes the texts as one undoable step named `description`, without asking about
    // protection; nothing is pushed when no cell changes.
    struct CellInput {
        wb::CellAddress cell;
        QString text;
    };
    void applyUserEdits(const std::vector<CellInput> &inputs, const QString &description);
    // Lets `change` write the shown sheet of the model directly, then makes what it changed
    // among `cells` (zero-based) one undoable step named `description`. The current cell stays
    // where it is. When `change` throws, what it wrote before is that step and the exception
    // goes on.
    void applyModelChange(const std::vector<wb::CellAddress> &cells, const QString &description,
                          const std::function<void(wb::Workbook &, int sheet)> &change);
    // Pastes the clipboard's block at the current cell; refuses (with statusMessage) a block
    // that would reach a locked cell. Returns whether anything was pasted.
    bool paste();
    // Clears the unlocked cells of the selection as one step; reference cells only when the
    // selection holds nothing else to clear.
    void clearSelection();

    // Cells the user may correct but does not fill in: the green reference values of the
    // estimating sheets (rows and columns zero-based, on the active sheet). Tab and Shift+Tab
    // pass them by, clearing or cutting a block leaves them alone unless they alone are
    // selected, and a paste that would change one goes ahead only when `confirmPaste` agrees.
    struct ReferenceCells {
        std::function<bool(int row, int col)> contains;
        std::function<bool()> confirmPaste;
    };
    void setReferenceCells(ReferenceCells cells) { reference_ = std::move(cells); }
    // Commands that read the sheet (export, preview, save, leaving the page) call this first,
    // so that what is typed in an open editor is part of the sheet.
    void commitPendingEdit();

    const wb::Workbook &workbook() const { return *book_; }
    // Changing layout or styles directly on the model needs a refresh() afterwards.
    wb::Workbook &workbook() { return *book_; }
    void refresh() { layoutChanged(); }
    bool isEditing() const;
    // Renders the print preview's pages on any printer (public for the preview's tests).
    void renderForPrint(QPrinter *printer) const;
    // The sheet's context menu: its own editing commands, then those the page added.
    void fillContextMenu(QMenu &menu);

signals:
    void cellChanged(int row, int col);
    // A short explanation for the window's status area (e.g. why a cell cannot be typed into).
    void statusMessage(const QString &text);

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    bool focusNextPrevChild(bool next) override;
    void hideEvent(QHideEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    void setWorkbook(std::unique_ptr<wb::Workbook> book);
    int sheetIndex() const;
    void layoutChanged();
    void updateScrollBars();
    wb::CellAddress cellAt(const QPoint &viewportPos) const;
    wb::CellAddress anchorOf(wb::CellAddress cell) const;
    void moveCurrent(int dRow, int dCol, bool extend);
    void setCurrent(wb::CellAddress cell, bool extend);
    void ensureVisible(wb::CellAddress cell);
    bool beginEdit(const QString &initial, bool replace);
    void commitEdit();
    void cancelEdit();
    void placeEditor();
    bool editorKey(QKeyEvent *event);
    bool shortcutKey(QKeyEvent *event);
    void moveToUnlocked(bool forward);
    bool isReference(int row, int col) const { return reference_.contains && reference_.contains(row, col); }
    bool pasteChangesReference(const std::vector<CellInput> &inputs) const;
    void refuseLocked();
    void writeInputs(int sheet, const std::vector<CellInput> &inputs, bool reveal);
    friend class CellEditCommand;

    std::unique_ptr<wb::Workbook> book_;
    std::unique_ptr<SheetGeometry> geometry_;
    wb::CellAddress current_;
    wb::CellAddress anchor_; // the other corner of the selection
    QLineEdit *editor_ = nullptr;
    wb::CellAddress editing_;
    QUndoStack *undo_;
    ReferenceCells reference_;
};

} // namespace mhbk::view
