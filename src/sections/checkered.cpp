#include "sections/checkered.h"

#include "numbers/numtext.h"
#include "data/datasets.h"
#include "sections/weights.h"

namespace mhbk::checkered {

std::optional<Patterns> lookup(QueryDataset &query, const QString &thickness)
{
    // A bound parameter: the key is user-visible text, compared as text and never pasted into SQL.
    query.open(QStringLiteral("SELECT * FROM steelboard_HW WHERE jbhd=?"), {thickness.trimmed()});
    if (query.eof())
        return std::nullopt;
    return Patterns{query.fieldText(QStringLiteral("WG_LX")), query.fieldText(QStringLiteral("LLZL_LX")),
                    query.fieldText(QStringLiteral("WG_BDX")), query.fieldText(QStringLiteral("LLZL_BDX"))};
}

std::optional<Patterns> lookupByValue(QueryDataset &query, const QString &thickness)
{
    if (auto patterns = lookup(query, thickness))
        return patterns;
    const auto wanted = parseReal(thickness.trimmed());
    if (!wanted)
        return std::nullopt;
    query.open(QStringLiteral("SELECT jbhd FROM steelboard_HW"));
    for (query.first(); !query.eof(); query.next()) {
        const QString stored = query.fieldText(QStringLiteral("jbhd"));
        const auto value = parseReal(stored.trimmed());
        if (value && *value == *wanted)
            return lookup(query, stored);
    }
    return std::nullopt;
}

namespace {

std::optional<weights::Real> emptyAsZero(const QString &text)
{
    if (text.isEmpty())
        return weights::Real(0);
    return parseReal(text);
}

} // namespace

std::optional<PlateWeights> plateWeights(const QString &width, const QString &length,
                                         const QString &rhombicPerM2, const QString &lentilPerM2)
{
    const auto w = emptyAsZero(width);
    const auto l = emptyAsZero(length);
    const auto pL = emptyAsZero(rhombicPerM2);
    const auto pB = emptyAsZero(lentilPerM2);
    if (!w || !l || !pL || !pB)
        return std::nullopt;
    const weights::Real area = weights::plateArea(*w, *l);
    return PlateWeights{*pL * area, *pB * area};
}

} // namespace mhbk::checkered
