#pragma once

#include "workbooks/engine/workbook.h"
#include "workbooks/view/spreadsheetview.h"

#include <QString>
#include <memory>

namespace mhbk::test {

// A priced material list on a protected sheet: a merged bold title, unit prices and
// quantities the user may change (unlocked), and locked totals computed by formulas.
//
//      A            B        C       D
//  1   材料价格表 (merged A1:D1)
//  2   名称         单价     数量    金额
//  3   焊接钢管     12.5     4       =B3*C3
//  4   镀锌钢管     20       2       =B4*C4
//  5   合计                          =SUM(D3:D4)
wb::Workbook priceList();

// The workbook saved in the stored format and loaded into a fresh view of the given size.
std::unique_ptr<view::SpreadsheetView> viewOf(const wb::Workbook &book, int width = 640, int height = 400);

// Sends a key press to whatever has focus in the view.
void press(view::SpreadsheetView &view, int key, Qt::KeyboardModifiers mods = Qt::NoModifier);
void typeText(view::SpreadsheetView &view, const QString &text);

} // namespace mhbk::test
