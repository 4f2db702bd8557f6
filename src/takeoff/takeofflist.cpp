#include "takeoff/takeofflist.h"

#include "numbers/numtext.h"

#include <algorithm>
#include <cmath>

namespace mhbk::takeoff {

namespace {

Total &entry(std::vector<Total> &totals, const QString &item, const QString &designation)
{
    const auto found = std::find_if(totals.begin(), totals.end(), [&](const Total &t) {
        return t.item == item && t.designation == designation;
    });
    if (found != totals.end())
        return *found;
    totals.push_back(Total{item, designation, 0, 0});
    return totals.back();
}

} // namespace

Totals totalsOf(const List &list)
{
    Totals totals;
    for (const Line &line : list) {
        const double weight = line.totalWeight();
        Total &item = entry(totals.byItem, line.item, QString());
        item.weight += weight;
        ++item.lines;
        Total &designation = entry(totals.byDesignation, line.item, line.designation);
        designation.weight += weight;
        ++designation.lines;
        totals.grandTotal += weight;
    }
    return totals;
}

bool moveLine(List &list, int from, int to)
{
    const int size = static_cast<int>(list.size());
    if (from < 0 || to < 0 || from >= size || to >= size)
        return false;
    if (from == to)
        return true;
    Line moved = std::move(list[from]);
    list.erase(list.begin() + from);
    list.insert(list.begin() + to, std::move(moved));
    return true;
}

QString numberText(double value)
{
    QString text = weightText(value);
    if (!text.contains(QLatin1Char('.')))
        return text;
    while (text.endsWith(QLatin1Char('0')))
        text.chop(1);
    if (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    return text;
}

QString weightText(double value)
{
    // The program's fixed-decimals formatter: no minus sign on a figure that rounds to zero.
    return std::isfinite(value) ? formatFixed(value, 3) : QString();
}

} // namespace mhbk::takeoff
