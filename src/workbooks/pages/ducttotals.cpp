#include "workbooks/pages/ducttotals.h"

#include "common/errors.h"
#include "numbers/format.h"
#include "numbers/numtext.h"

#include <QByteArray>
#include <algorithm>
#include <cmath>
#include <tuple>

namespace mhbk::workbooks {

namespace {

struct Group {
    double thickness;
    QByteArray quotaBytes; // compared as bytes, as the summary has always been ordered
    QString quota;
    double sum;
};

// Untrimmed, as the totals have always read these cells; empty counts as 0.
double numberOrZero(const QString &text) { return text.isEmpty() ? 0.0 : strToFloat(text); }

// A sum beyond the largest number is refused with the text it would show.
void requireFinite(double sum)
{
    if (std::isfinite(sum))
        return;
    const QString text = std::isnan(sum) ? QStringLiteral("nan") : (sum < 0 ? QStringLiteral("-inf") : QStringLiteral("inf"));
    throw ConversionError(conversionErrorText(text));
}

} // namespace

double roundToHundredths(double value)
{
    // nearbyint follows the default rounding mode: to nearest, ties to even.
    return std::nearbyint(value / 0.01) * 0.01;
}

QString generalNumberText(double value)
{
    return QString::fromStdString(numbers::compactText(value, 15));
}

std::vector<DuctSummaryLine> summarizeDuctRows(const std::vector<DuctRowTexts> &rows)
{
    std::vector<Group> groups;
    for (const DuctRowTexts &row : rows) {
        if (row.quota.isEmpty())
            continue;
        // Adding 0 makes -0 the same thickness as 0, shown as "0".
        const double thickness = numberOrZero(row.thickness) + 0.0;
        const double quantity = numberOrZero(row.quantity);
        const QByteArray bytes = row.quota.toUtf8();
        const auto same = std::find_if(groups.begin(), groups.end(), [&](const Group &g) {
            return g.thickness == thickness && g.quotaBytes == bytes;
        });
        if (same == groups.end())
            groups.push_back({thickness, bytes, row.quota, 0.0 + quantity});
        else
            same->sum += quantity;
    }
    std::stable_sort(groups.begin(), groups.end(), [](const Group &a, const Group &b) {
        return std::tie(a.thickness, a.quotaBytes) < std::tie(b.thickness, b.quotaBytes);
    });
    std::vector<DuctSummaryLine> lines;
    lines.reserve(groups.size());
    for (const Group &g : groups) {
        requireFinite(g.sum);
        lines.push_back({g.quota, generalNumberText(roundToHundredths(g.sum)), generalNumberText(g.thickness)});
    }
    return lines;
}

} // namespace mhbk::workbooks
