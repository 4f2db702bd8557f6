#include "workbooks/pages/ductselection.h"

#include "common/pageregistry.h"
#include "numbers/format.h"
#include "numbers/numtext.h"
#include "data/datasets.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace mhbk::workbooks {

namespace {

// A cell the stored sheets keep empty: reading it gives the empty text a missing lookup needs.
constexpr int kEmptyRow = 100;
constexpr int kEmptyCol = 100;

constexpr DuctPage rectangularPage(const char *pageName)
{
    return DuctPage{pageName, true, 3, 16, 2, 5, 1000.0, 7, 10, 11, 14, 13, 11, 14,
                    {800, 2000, 4000}, 20, 33, 1, 5, 9};
}

// The summary may hold one row per input row; clearing all of them keeps a shorter run from
// leaving rows of an earlier, longer one behind.
constexpr DuctPage kPages[] = {
    rectangularPage("TabSheet8"),
    rectangularPage("TabSheet9"),
    rectangularPage("TabSheet10"),
    DuctPage{"TabSheet11", false, 3, 17, 2, 2, 1.0, 5, 8, 9, 12, 11, 9, 12, {200, 500, 1120}, 21, 35, 1, 4, 7},
};

QString readCell(CellCursor &cells, int row, int col)
{
    cells.setCurrentCell(row, col);
    return cells.text();
}

void writeCell(CellCursor &cells, int row, int col, const QString &text)
{
    cells.setCurrentCell(row, col);
    cells.setText(text);
}

// A trimmed key or result text; empty counts as 0.
double numberOrZero(const QString &text)
{
    const QString trimmed = text.trimmed();
    return trimmed.isEmpty() ? 0.0 : strToFloat(trimmed);
}

void selectThicknesses(CellCursor &cells, const DuctPage &page)
{
    for (int r = page.firstInputRow; r <= page.lastInputRow; ++r) {
        const double key = numberOrZero(readCell(cells, r, page.thicknessKeyCol));
        const int tableRow = thicknessTableRow(key);
        QString value;
        if (tableRow < 0)
            value = kOutOfRange;
        else if (tableRow == 0)
            value = readCell(cells, kEmptyRow, kEmptyCol);
        else
            value = readCell(cells, tableRow, page.thicknessTableCol);
        if (value == kByDesign)
            value = QStringLiteral("0");
        writeCell(cells, r, page.thicknessResultCol, value);
    }
}

void selectQuotaNumbers(CellCursor &cells, const DuctPage &page)
{
    for (int r = page.firstInputRow; r <= page.lastInputRow; ++r) {
        const double key = numberOrZero(readCell(cells, r, page.quotaKeyCol)) * page.quotaKeyFactor;
        const QString thicknessText = readCell(cells, r, page.thicknessResultCol).trimmed();
        const double thickness = thicknessText == kOutOfRange ? 0.0 : numberOrZero(thicknessText);
        const int tableRow = quotaTableRow(thickness, key, page.quotaLimits);
        const QString number = tableRow == 0 ? readCell(cells, kEmptyRow, kEmptyCol)
                                             : readCell(cells, tableRow, page.quotaTableCol);
        writeCell(cells, r, page.quotaResultCol, number.trimmed());
    }
}

void clearSummary(CellCursor &cells, const DuctPage &page)
{
    for (int r = page.summaryFirstRow; r <= page.summaryLastClearedRow; ++r) {
        writeCell(cells, r, page.summaryQuotaCol, QString());
        writeCell(cells, r, page.summaryTotalCol, QString());
        writeCell(cells, r, page.summaryThicknessCol, QString());
    }
}

void fillScratchTable(CellCursor &cells, QueryDataset &query, const DuctPage &page)
{
    query.execute(QStringLiteral("DELETE FROM tmp"));
    for (int r = page.firstInputRow; r <= page.lastInputRow; ++r) {
        QString thickness = readCell(cells, r, page.thicknessResultCol);
        const QString number = readCell(cells, r, page.quotaResultCol);
        QString quantity = readCell(cells, r, page.quantityCol);
        if (thickness.isEmpty())
            thickness = QStringLiteral("0");
        if (quantity.isEmpty())
            quantity = QStringLiteral("0");
        if (number.isEmpty())
            continue;
        query.execute(QStringLiteral("INSERT INTO tmp (bchd, deh, gwb) VALUES (?, ?, ?)"),
                      {strToFloat(thickness), number, strToFloat(quantity)});
    }
}

void writeTotals(CellCursor &cells, QueryDataset &query, const DuctPage &page)
{
    query.open(QStringLiteral("SELECT bchd, deh, sum(gwb) FROM tmp GROUP BY bchd, deh"));
    int row = page.summaryFirstRow;
    for (query.first(); !query.eof(); query.next(), ++row) {
        const double total = roundToHundredths(strToFloat(query.field(2).toString()));
        writeCell(cells, row, page.summaryQuotaCol, query.field(1).toString());
        writeCell(cells, row, page.summaryTotalCol, generalNumberText(total));
        writeCell(cells, row, page.summaryThicknessCol, generalNumberText(query.field(0).toDouble()));
    }
}

} // namespace

const DuctPage *ductPage(int pageIndex)
{
    const auto it = std::find_if(std::begin(kPages), std::end(kPages),
                                 [pageIndex](const DuctPage &p) { return pages::find(p.pageName) == pageIndex; });
    return it == std::end(kPages) ? nullptr : it;
}

std::vector<int> ductPageIndexes()
{
    std::vector<int> indexes;
    for (const DuctPage &page : kPages)
        indexes.push_back(pages::indexOf(page.pageName));
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

double roundToHundredths(double value)
{
    // nearbyint follows the default rounding mode: to nearest, ties to even.
    return std::nearbyint(value / 0.01) * 0.01;
}

QString generalNumberText(double value)
{
    return QString::fromStdString(numbers::compactText(value, 15));
}

void runDuctSelection(CellCursor &cells, QueryDataset &query, const DuctPage &page)
{
    cells.setCurrentCell(1, 1);
    selectThicknesses(cells, page);
    selectQuotaNumbers(cells, page);
    clearSummary(cells, page);
    fillScratchTable(cells, query, page);
    writeTotals(cells, query, page);
}

} // namespace mhbk::workbooks
