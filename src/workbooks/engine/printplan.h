#pragma once

// How a sheet falls onto printed pages. The preview, the printer and both Excel writers use
// this one plan, so the pages the user sees are the pages other programs print: the writers
// put a manual break wherever the plan starts a page.

#include "workbooks/engine/address.h"

#include <QSizeF>
#include <QString>
#include <vector>

namespace mhbk::wb {

class Sheet;
struct PageSetup;

// Room kept under the cells of every page for the footer, in inches.
inline constexpr double kFooterBandInches = 0.3;

struct PrintPlan {
    double scale = 1.0;           // fits the columns to the page width when the sheet asks for it
    std::vector<CellRange> pages; // cell ranges in print order: down, then across
    // Per page: whether the title rows are printed above its cells (on every page that starts
    // below them).
    std::vector<bool> withTitles;
    double titleHeight = 0; // 96-dpi pixels before scaling
    // The rows where the plan starts a new page, blank pages included (see pageBreakRows).
    std::vector<int> breakRows;
};

// The paper minus the margins in 96-dpi pixels, as the page setup asks.
QSizeF printableArea(const PageSetup &setup);

// `printable` is the printable area in 96-dpi pixels; a sheet with a footer keeps the footer
// band of it free. A page whose cells are all empty is left out, even where the repeated title
// rows would be printed on it: a sheet with text far below its table prints no blank pages
// between. An empty sheet still has its one page.
PrintPlan planPrint(const Sheet &sheet, QSizeF printable);

// The rows where the plan starts a new page (not counting the first), for manual page breaks:
// also those of the blank pages left out, so that other programs divide the rows alike.
std::vector<int> pageBreakRows(const PrintPlan &plan);

// The footer text of one page: "&P" becomes the page number (from 1), "&N" the page count,
// "&&" an ampersand.
QString footerText(const QString &pattern, int page, int pageCount);

// Height of a row in 96-dpi pixels as the view and the printout draw it.
int rowHeightPixels(double points);

} // namespace mhbk::wb
