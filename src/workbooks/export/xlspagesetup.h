#pragma once

// The print settings of an .xls file: the page setup records of each worksheet and, in the
// workbook globals, the built-in Print_Titles names.

#include "workbooks/export/exportbook.h"

namespace mhbk::xlsout {

class BiffStream;

// Workbook globals, right after the EXTERNSHEET whose entry i is sheet i: a Print_Titles NAME
// for every sheet with title rows.
void writePrintTitleNames(BiffStream &stream, const Book &book);

// Worksheet substream, after DEFAULTROWHEIGHT: gridline printing, fit to page, manual page
// breaks, header and footer, centring, margins and SETUP (paper, orientation, fit to width).
void writePageSetup(BiffStream &stream, const PageSetup &page);

} // namespace mhbk::xlsout
