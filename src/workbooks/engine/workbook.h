#pragma once

// The workbook model behind the spreadsheet view and the Excel writers: sheets of cells with
// values, formulas and styles, plus the layout a sheet needs to be drawn and printed.
//
// Units (the same as Excel's, so both writers pass them through unchanged):
// - Column widths are in characters: the number of '0' digits of the default font that fit
//   in the cell, as Excel shows it in "Column width" (its default is 8.43). To get pixels
//   use columnWidthPixels() with the default font's digit width (7 px for an 11 pt font at
//   96 dpi): pixels = trunc(width * digit + 5) for width >= 1.
// - Row heights and font sizes are in points (1/72 inch).
// - Page margins are in inches.
// - Rows and columns are counted from 0 (see address.h).
//
// Editing a cell's content goes through Workbook (which keeps the dependency graph); the
// layout and styles can be changed directly on a Sheet since they never affect values.

#include "workbooks/engine/address.h"
#include "workbooks/engine/cellstyle.h"
#include "workbooks/engine/cellvalue.h"

#include <QString>
#include <functional>
#include <memory>
#include <vector>

namespace mhbk::wb {

class Workbook;
struct SheetData;

enum class Paper { A4, A3, Letter };

struct PageSetup
{
    Paper paper = Paper::A4;
    bool landscape = false;
    bool fitToWidth = true;     // scale so that all visible columns fit one page across
    double marginLeft = 0.7, marginRight = 0.7, marginTop = 0.75, marginBottom = 0.75; // inches
    bool centerHorizontally = false;
    bool printGridlines = false;
    // Rows printed again at the top of every page that starts below them (the table's
    // headings); none when titleFirstRow < 0.
    int titleFirstRow = -1, titleLastRow = -1;
    // Centred under every page; "&P" stands for the page number, "&N" for the page count.
    QString footer;
    // Rows never printed last on a page (section headings go with what they head).
    std::vector<int> keepWithNext;
    // Rows of notes: a page never starts with one, so notes stay with the table they explain.
    std::vector<int> noteRows;
    bool hasTitles() const { return titleFirstRow >= 0 && titleLastRow >= titleFirstRow; }
    bool operator==(const PageSetup &) const = default;
};

// Excel's conversion of a width in characters to pixels for a given digit width.
int columnWidthPixels(double widthChars, int digitPixels = 7);

class Sheet
{
public:
    explicit Sheet(QString name);
    ~Sheet();
    Sheet(const Sheet &) = delete;
    Sheet &operator=(const Sheet &) = delete;

    const QString &name() const { return name_; }

    // ---- Cells (read here, edit through Workbook) ----
    // The content as the user typed it: "" for an empty cell, "=SUM(A1:A3)" for a formula,
    // "12.5" for a number, "abc" for text (a text that would read as a number or formula is
    // given with a leading apostrophe, as in Excel: "'007").
    QString input(int row, int col) const;
    bool isFormula(int row, int col) const;
    // The constant, or the formula's last computed result. Empty outside the used range.
    Value value(int row, int col) const;
    // Index into Workbook's style table; 0 (the default style) for cells never styled.
    int styleIndex(int row, int col) const;
    void setStyleIndex(int row, int col, int style);
    void setStyleIndex(const CellRange &range, int style);
    // Gives every cell of the range the style `to(its style now)`, looking each cell up once.
    void restyle(const CellRange &range, const std::function<int(int)> &to);

    // Every cell that has content or a non-default style, row by row, left to right.
    std::vector<CellAddress> cells() const;
    // The same cells with what they hold, in one pass (for writers going through a whole sheet).
    struct CellContent
    {
        int row, col;
        const Value &value;          // the constant, or the formula's last result
        int style;
        bool isFormula;
        const QString &formulaText;  // with the leading "="; empty for a constant
        const struct Node *formula;  // the parse; null for a constant or a formula that does not parse
        int formulaRowOffset;        // where the parse is to be read (rangeAt())
    };
    void forEachCell(const std::function<void(const CellContent &)> &fn) const;
    // At least as many as forEachCell() visits, at once: room to reserve before walking.
    std::size_t cellCountBound() const;
    // One past the last row / column holding content or a style (0 for an empty sheet).
    int rowCount() const;
    int columnCount() const;

    // ---- Layout ----
    double defaultColumnWidth() const { return defaultColumnWidth_; }
    void setDefaultColumnWidth(double chars) { defaultColumnWidth_ = chars; }
    double columnWidth(int col) const;            // characters
    void setColumnWidth(int col, double chars);
    double defaultRowHeight() const { return defaultRowHeight_; }
    void setDefaultRowHeight(double points) { defaultRowHeight_ = points; }
    double rowHeight(int row) const;              // points
    bool hasRowHeight(int row) const;
    void setRowHeight(int row, double points);
    bool isColumnHidden(int col) const;
    void setColumnsHidden(int firstCol, int lastCol, bool hidden);
    bool isRowHidden(int row) const;
    void setRowsHidden(int firstRow, int lastRow, bool hidden);
    // Explicit widths / heights / hidden flags, for the writers (sorted by index).
    std::vector<std::pair<int, double>> columnWidths() const;
    std::vector<std::pair<int, double>> rowHeights() const;
    std::vector<int> hiddenColumns() const;
    std::vector<int> hiddenRows() const;

    const std::vector<CellRange> &merges() const { return merges_; }
    // Adds a merged range; any existing merge it overlaps is removed first. One-cell ranges are ignored.
    void addMerge(const CellRange &range);
    // The merged range covering the cell, or nullptr.
    const CellRange *mergeAt(int row, int col) const;

    bool isProtected() const { return protected_; }
    void setProtected(bool on) { protected_ = on; }
    bool showGridlines() const { return showGridlines_; }
    void setShowGridlines(bool on) { showGridlines_ = on; }
    PageSetup &pageSetup() { return pageSetup_; }
    const PageSetup &pageSetup() const { return pageSetup_; }

private:
    friend class Workbook;
    friend struct WorkbookData;
    SheetData &data() { return *data_; }
    const SheetData &data() const { return *data_; }

    QString name_;
    std::unique_ptr<SheetData> data_;
    double defaultColumnWidth_ = 8.43;
    double defaultRowHeight_ = 14.25;
    std::vector<CellRange> merges_;
    bool protected_ = false;
    bool showGridlines_ = true;
    PageSetup pageSetup_;
};

// The outcome of typing into a cell. A formula with a syntax error is still stored (its
// value is #NAME?), so nothing typed is lost; `ok` is false and `message` says why.
struct InputResult
{
    bool ok = true;
    QString message;
    int position = -1;   // where the error is: 1-based character position in the typed text
};

class Workbook
{
public:
    Workbook();
    ~Workbook();
    Workbook(Workbook &&) noexcept;
    Workbook &operator=(Workbook &&) noexcept;

    // ---- Sheets ----
    int sheetCount() const;
    Sheet &sheet(int index);
    const Sheet &sheet(int index) const;
    int sheetIndex(const QString &name) const;   // case-insensitive; -1 when there is none
    // Appends a sheet. Returns its index, or -1 when the name is empty or already taken.
    int addSheet(const QString &name);
    int activeSheet() const { return activeSheet_; }
    void setActiveSheet(int index);

    // ---- Styles ----
    // Entry 0 is the default style. addStyle() returns the index of an equal entry if one exists.
    int styleCount() const;
    const CellStyle &style(int index) const;   // out-of-range indices give the default style
    int addStyle(const CellStyle &style);
    void setDefaultStyle(const CellStyle &style);
    const CellStyle &cellStyle(int sheet, int row, int col) const;

    // ---- Content and evaluation ----
    // Interprets `text` as a user typing it: "" clears the content (the style stays), "=..."
    // is a formula, "'..." is text as given, "TRUE"/"FALSE" are booleans, "12.5", "-3e2",
    // "1,234.5", "50%" are numbers, "#N/A" etc. are error values, anything else is text.
    // Recalculates exactly the cells depending on this one.
    InputResult setInput(int sheet, int row, int col, const QString &text);
    // Sets a constant without interpreting text (a text value stays text even if it looks like a number).
    void setValue(int sheet, int row, int col, const Value &value);
    Value value(int sheet, int row, int col) const;
    // The value as the cell shows it, with its number format applied; "" for an empty cell.
    QString displayText(int sheet, int row, int col) const;
    // False when the sheet is protected and the cell's style is locked.
    bool isEditable(int sheet, int row, int col) const;
    // Re-evaluates every formula (after loading, or when in doubt).
    void recalculate();
    // Many edits at once (loading, pasting): between beginUpdate() and the matching
    // endUpdate() nothing is recalculated; endUpdate() recalculates every formula.
    void beginUpdate();
    void endUpdate();
    // How many formula cells the last setInput()/setValue()/recalculate() evaluated.
    int lastEvaluationCount() const;

private:
    std::unique_ptr<struct WorkbookData> d_;
    int activeSheet_ = 0;
};

} // namespace mhbk::wb
