#include "takeoff/takeofflist.h"

#include "numbers/numtext.h"

#include <QHash>
#include <algorithm>
#include <cmath>

namespace mhbk::takeoff {

namespace {

// Totals in first-appearance order, found by key in constant time: a pasted material list of
// 100,000 lines has thousands of designations.
class TotalIndex {
public:
    explicit TotalIndex(std::vector<Total> &totals) : totals_(totals) {}
    Total &entry(const QString &item, const QString &designation)
    {
        const QString key = item + QChar(0x1F) + designation;
        const auto found = index_.constFind(key);
        if (found != index_.constEnd())
            return totals_[*found];
        index_.insert(key, totals_.size());
        totals_.push_back(Total{item, designation, 0, 0, 0});
        return totals_.back();
    }

private:
    std::vector<Total> &totals_;
    QHash<QString, std::size_t> index_;
};

} // namespace

Totals totalsOf(const List &list)
{
    Totals totals;
    TotalIndex items(totals.byItem);
    TotalIndex designations(totals.byDesignation);
    for (const Line &line : list) {
        if (!line.counted()) {
            ++totals.uncounted;
            continue;
        }
        const double weight = line.totalWeight();
        const double surface = line.totalSurface();
        for (Total *total : {&items.entry(line.item, QString()), &designations.entry(line.item, line.designation)}) {
            total->weight += weight;
            total->surface += surface;
            ++total->lines;
        }
        totals.grandTotal += weight;
        totals.grandSurface += surface;
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

QString surfaceText(double value)
{
    return weightText(value);
}

} // namespace mhbk::takeoff
