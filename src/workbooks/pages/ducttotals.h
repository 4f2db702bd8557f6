#pragma once

#include <QString>
#include <vector>

namespace mhbk::workbooks {

// value / 0.01 rounded to the nearest integer, ties to even, times 0.01.
double roundToHundredths(double value);
// The shortest decimal text of at most 15 significant digits ("3.23", "0.75", "1").
QString generalNumberText(double value);

// One input row as the totals read it: the texts its thickness result, quota number result and
// quantity cells show.
struct DuctRowTexts {
    QString thickness, quota, quantity;
};

// One line of the summary block, as its three cells show it.
struct DuctSummaryLine {
    QString quota, total, thickness;
    bool operator==(const DuctSummaryLine &) const = default;
};

// The totals of the summary block. Rows with an empty quota number stay out; an empty thickness
// or quantity counts as 0. Rows of one thickness and quota number become one line whose total is
// their quantities summed in row order, rounded to hundredths. Lines are ordered by thickness,
// then by quota number compared as UTF-8 bytes: the order the page has always shown.
// A thickness or quantity of a counted row that is no number throws ConversionError, as does a
// total too large for a number.
std::vector<DuctSummaryLine> summarizeDuctRows(const std::vector<DuctRowTexts> &rows);

} // namespace mhbk::workbooks
