#pragma once

// The takeoff list as a workbook: the lines with live formulas for each line's total weight,
// the totals by item and by designation, and the grand total, so that a quantity changed in
// the spreadsheet program carries through to every total.

#include "takeoff/takeofflist.h"
#include "workbooks/engine/workbook.h"
#include "workbooks/export/workbookexport.h"

namespace mhbk::takeoff {

// Where the parts of the sheet are (rows counted from 0), for the export and its tests.
struct BookLayout {
    int firstLineRow = 2;      // below the title and the captions
    int lineCount = 0;
    int itemTotalsRow = 0;     // first row of the totals by item (below its caption)
    int designationTotalsRow = 0;
    int grandTotalRow = 0;
};

BookLayout bookLayout(const List &list);

// Columns of the sheet; the two key columns are hidden.
enum Column {
    ItemCol, DesignationCol, MaterialCol, QuantityCol, UnitCol, UnitWeightCol, TotalCol, RemarkCol,
    ItemKeyCol, DesignationKeyCol
};

wb::Workbook buildWorkbook(const List &list);

// Writes the list as an Excel file. Throws mhbk::AppError naming the path.
void exportList(const List &list, const QString &path, xlsout::ExcelFormat format);

} // namespace mhbk::takeoff
