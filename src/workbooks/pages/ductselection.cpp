#include "workbooks/pages/ductselection.h"

#include "common/pageregistry.h"
#include "numbers/numtext.h"
#include "workbooks/engine/workbook.h"

#include <algorithm>
#include <iterator>

namespace mhbk::workbooks {

namespace {

// A cell the stored sheets keep empty: reading it gives the empty text a missing lookup needs.
constexpr int kEmptyRow = 100;
constexpr int kEmptyCol = 100;

constexpr DuctPage rectangularPage(PageKey page)
{
    return DuctPage{page, true, 3, 16, 2, 5, 1000.0, 7, 10, 11, 14, 13, 11, 14,
                    {800, 2000, 4000}, 20, 33, 1, 5, 9};
}

// The summary may hold one row per input row; clearing all of them keeps a shorter run from
// leaving rows of an earlier, longer one behind.
constexpr DuctPage kPages[] = {
    rectangularPage(PageKey::DuctPlateThicknessMediumLow),
    rectangularPage(PageKey::DuctPlateThicknessHigh),
    rectangularPage(PageKey::DuctPlateThicknessDustRemoval),
    DuctPage{PageKey::RoundDuctPlateThickness, false, 3, 17, 2, 2, 1.0, 5, 8, 9, 12, 11, 9, 12, {200, 500, 1120}, 21, 35, 1, 4, 7},
};

// One sheet of a workbook, read as it shows and written as typed, with the 1-based rows and
// columns the page descriptions use.
class DuctSheet {
public:
    DuctSheet(wb::Workbook &book, int sheet) : book_(book), sheet_(sheet) {}
    QString text(int row, int col) const { return book_.displayText(sheet_, row - 1, col - 1); }
    void write(int row, int col, const QString &text) { book_.setInput(sheet_, row - 1, col - 1, text); }

private:
    wb::Workbook &book_;
    int sheet_;
};

// A trimmed key or result text; empty counts as 0.
double numberOrZero(const QString &text)
{
    const QString trimmed = text.trimmed();
    return trimmed.isEmpty() ? 0.0 : strToFloat(trimmed);
}

void selectThicknesses(DuctSheet &cells, const DuctPage &page)
{
    for (int r = page.firstInputRow; r <= page.lastInputRow; ++r) {
        const double key = numberOrZero(cells.text(r, page.thicknessKeyCol));
        const int tableRow = thicknessTableRow(key);
        QString value;
        if (tableRow < 0)
            value = kOutOfRange;
        else if (tableRow == 0)
            value = cells.text(kEmptyRow, kEmptyCol);
        else
            value = cells.text(tableRow, page.thicknessTableCol);
        if (value == kByDesign)
            value = QStringLiteral("0");
        cells.write(r, page.thicknessResultCol, value);
    }
}

void selectQuotaNumbers(DuctSheet &cells, const DuctPage &page)
{
    for (int r = page.firstInputRow; r <= page.lastInputRow; ++r) {
        const double key = numberOrZero(cells.text(r, page.quotaKeyCol)) * page.quotaKeyFactor;
        const QString thicknessText = cells.text(r, page.thicknessResultCol).trimmed();
        const double thickness = thicknessText == kOutOfRange ? 0.0 : numberOrZero(thicknessText);
        const int tableRow = quotaTableRow(thickness, key, page.quotaLimits);
        const QString number = tableRow == 0 ? cells.text(kEmptyRow, kEmptyCol)
                                             : cells.text(tableRow, page.quotaTableCol);
        cells.write(r, page.quotaResultCol, number.trimmed());
    }
}

void clearSummary(DuctSheet &cells, const DuctPage &page)
{
    for (int r = page.summaryFirstRow; r <= page.summaryLastClearedRow; ++r) {
        cells.write(r, page.summaryQuotaCol, QString());
        cells.write(r, page.summaryTotalCol, QString());
        cells.write(r, page.summaryThicknessCol, QString());
    }
}

void writeTotals(DuctSheet &cells, const DuctPage &page)
{
    std::vector<DuctRowTexts> rows;
    for (int r = page.firstInputRow; r <= page.lastInputRow; ++r)
        rows.push_back({cells.text(r, page.thicknessResultCol), cells.text(r, page.quotaResultCol),
                        cells.text(r, page.quantityCol)});
    int row = page.summaryFirstRow;
    for (const DuctSummaryLine &line : summarizeDuctRows(rows)) {
        cells.write(row, page.summaryQuotaCol, line.quota);
        cells.write(row, page.summaryTotalCol, line.total);
        cells.write(row, page.summaryThicknessCol, line.thickness);
        ++row;
    }
}

} // namespace

const DuctPage *ductPage(int pageIndex)
{
    const auto it = std::find_if(std::begin(kPages), std::end(kPages),
                                 [pageIndex](const DuctPage &p) { return pages::isIndex(pageIndex) && pages::at(pageIndex).key == p.page; });
    return it == std::end(kPages) ? nullptr : it;
}

std::vector<int> ductPageIndexes()
{
    std::vector<int> indexes;
    for (const DuctPage &page : kPages)
        indexes.push_back(pages::indexOf(page.page));
    return indexes;
}

int thicknessTableRow(double key)
{
    static constexpr double kUpperBounds[] = {320, 450, 630, 1000, 1250, 2000, 4000};
    if (key == 0)
        return 0;
    for (int i = 0; i < 7; ++i) {
        if (key <= kUpperBounds[i])
            return 3 + i;
    }
    return -1;
}

int quotaTableRow(double thickness, double quotaKey, const double (&limits)[3])
{
    thickness = std::min(thickness, 3.0);
    if (thickness == 0)
        return 0;
    const int bandBase = thickness <= 1.2 ? 11 : (thickness <= 2 ? 15 : 19);
    int sizeClass = 3;
    for (int i = 0; i < 3; ++i) {
        if (quotaKey <= limits[i]) {
            sizeClass = i;
            break;
        }
    }
    return bandBase + sizeClass;
}

std::vector<wb::CellAddress> ductRunCells(const DuctPage &page)
{
    std::vector<wb::CellAddress> cells;
    for (int r = page.firstInputRow; r <= page.lastInputRow; ++r) {
        cells.push_back({r - 1, page.thicknessResultCol - 1});
        cells.push_back({r - 1, page.quotaResultCol - 1});
    }
    // There is at most one summary line per input row.
    const int lastSummaryRow =
        std::max(page.summaryLastClearedRow, page.summaryFirstRow + page.lastInputRow - page.firstInputRow);
    for (int r = page.summaryFirstRow; r <= lastSummaryRow; ++r) {
        for (int col : {page.summaryQuotaCol, page.summaryTotalCol, page.summaryThicknessCol})
            cells.push_back({r - 1, col - 1});
    }
    return cells;
}

void runDuctSelection(wb::Workbook &book, int sheet, const DuctPage &page)
{
    DuctSheet cells(book, sheet);
    selectThicknesses(cells, page);
    selectQuotaNumbers(cells, page);
    clearSummary(cells, page);
    writeTotals(cells, page);
}

} // namespace mhbk::workbooks
