#pragma once

// The takeoff list (工程量清单): the lines an estimator collects from the calculators and the
// section tables, and their totals. Plain data; the file format, the workbook export and the
// list window all work on this.

#include <QString>
#include <vector>

namespace mhbk::takeoff {

struct Line {
    QString item;        // 项目: what kind of section, "圆钢", "工字钢"
    QString designation; // 规格: "d=10", "20a"
    QString material;    // 材质
    double quantity = 0; // in `unit`
    QString unit;        // "m", "m2", "根" ...
    double unitWeight = 0; // kg per unit
    QString remark;      // 备注
    double unitSurface = 0; // m² of outer surface per unit (to coat); 0 where unknown
    // Why the line could not be weighed (a material-list line whose designation did not read);
    // such a line stays in the list to be mended but counts in no total. Empty for a sound line.
    QString problem = QString();

    bool counted() const { return problem.isEmpty(); }
    double totalWeight() const { return quantity * unitWeight; } // kg
    double totalSurface() const { return quantity * unitSurface; } // m²
    bool operator==(const Line &) const = default;
};

using List = std::vector<Line>;

struct Total {
    QString item;
    QString designation; // empty for an item's total
    double weight = 0;   // kg
    int lines = 0;
    double surface = 0;  // m²
    bool operator==(const Total &) const = default;
};

struct Totals {
    std::vector<Total> byItem;            // in the order the items first appear
    std::vector<Total> byDesignation;     // (item, designation) pairs, in first-appearance order
    double grandTotal = 0;                // kg
    double grandSurface = 0;              // m²
    int uncounted = 0;                    // lines left out for a problem
};

// Lines with a problem are left out (and counted in `uncounted`).
Totals totalsOf(const List &list);

// Moves the line at `from` so that it ends up at `to`; false when either is out of range.
bool moveLine(List &list, int from, int to);

// Quantities as the list shows them: up to three decimals, no trailing zeros ("2.5").
QString numberText(double value);

// Weights wherever the list shows or prints them (columns, totals, printout, command line):
// exactly three decimals, as the section tables write weights ("33.070"); the file and the
// export keep the full figure.
QString weightText(double value);

// Surface areas (m², m² per metre) wherever the list shows them: three decimals like weights.
QString surfaceText(double value);

} // namespace mhbk::takeoff
