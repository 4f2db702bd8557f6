#pragma once

class QWidget;

namespace mhbk {

class Reporter;

// Creates the borderless sheet window of the page `Page_GGBW_Old` (by nominal size,
// `NominalSizeSheet`) or `Page_GGBW` (by outer diameter, `OuterDiameterSheet`), parented to the page and filling it.
// Returns nullptr for any other page. A page keeps its one sheet: asking again for a page that
// already holds its sheet returns that sheet, with what the user typed in it.
QWidget *createSheetWindow(int pageIndex, QWidget *page, Reporter &reporter);

} // namespace mhbk
