#pragma once

#include "common/pageregistry.h"
#include "workbooks/engine/address.h"
#include "workbooks/pages/ducttotals.h"

#include <QString>
#include <vector>

namespace mhbk {

namespace wb {
class Workbook;
}

namespace workbooks {

// Where a duct page keeps its inputs, results, lookup tables and summary block.
struct DuctPage {
    PageKey page;
    bool rectangular;
    int firstInputRow, lastInputRow;
    int thicknessKeyCol;      // long side or diameter (mm)
    int quotaKeyCol;          // perimeter (m) on the rectangular pages, diameter (mm) on the round one
    double quotaKeyFactor;    // 1000 on the rectangular pages
    int quantityCol;
    int thicknessResultCol, quotaResultCol;
    int thicknessTableCol;    // rows 3 to 9
    int quotaTableCol;        // rows 11 to 22
    int lastShownCol, lastTableCol;
    double quotaLimits[3];
    int summaryFirstRow, summaryLastClearedRow;
    int summaryQuotaCol, summaryTotalCol, summaryThicknessCol;
};

// The description of a duct selection page by its index; nullptr for every other page.
const DuctPage *ductPage(int pageIndex);
// The indexes of the duct selection pages.
std::vector<int> ductPageIndexes();

// What the thickness result shows for a size above the largest class of the table (4000 mm):
// the row then gets no quota number and stays out of the totals.
inline const QString kOutOfRange = QStringLiteral("超出范围");
inline const QString kByDesign = QStringLiteral("按设计");

// Row of the plate thickness table for a size key: 0 for a key of 0 (nothing to look up),
// -1 above 4000 mm, otherwise 3 to 9.
int thicknessTableRow(double key);
// Row of the quota number table for a plate thickness (clamped at 3) and a quota key:
// 0 for a thickness of 0, otherwise 11 to 22.
int quotaTableRow(double thickness, double quotaKey, const double (&limits)[3]);

// The cells (zero-based) a run may write: both result columns of every input row and the
// summary block.
std::vector<wb::CellAddress> ductRunCells(const DuctPage &page);

// The run button on `sheet` of `book`: plate thickness per row, quota number per row, then the
// summary block. Each pass reads what the previous one wrote as the sheet shows it. A key,
// thickness or quantity that is no number throws ConversionError; what was written before stays.
void runDuctSelection(wb::Workbook &book, int sheet, const DuctPage &page);

} // namespace workbooks
} // namespace mhbk
