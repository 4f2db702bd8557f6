#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace mhbk {

// Cells as the clipboard carries them between grids and spreadsheets: one line a row, a tab
// between the cells of a row.

// A tab or line break inside a cell would start a new cell or row; it becomes a blank.
QString toTabText(const std::vector<QStringList> &rows);

// Lines may end in CR LF; the line break after the last row (spreadsheets add one) starts no
// row of its own. Empty text gives no rows.
std::vector<QStringList> fromTabText(const QString &text);

} // namespace mhbk
