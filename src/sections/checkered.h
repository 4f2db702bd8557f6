#pragma once

#include "numbers/extended.h"

#include <QString>
#include <optional>

namespace mhbk {

class QueryDataset;

namespace checkered {

inline const QString kTable = QStringLiteral("steelboard_HW");
inline const QString kNotNumericMessage = QStringLiteral("“钢板宽度”与“长度”需要输入数值型参数！");

// Rib height and theoretical weight per m² of both patterns, as the table stores them (text).
struct Patterns {
    QString rhombicRib;      // WG_LX
    QString rhombicWeight;   // LLZL_LX
    QString lentilRib;       // WG_BDX
    QString lentilWeight;    // LLZL_BDX
};

// The first record whose basic thickness equals the trimmed key; nothing for no match.
// Throws AppError when the table cannot be read.
std::optional<Patterns> lookup(QueryDataset &query, const QString &thickness);

// The same for a thickness typed as a number: "3" finds the row the table writes as "3.0".
// The table's own text wins where it matches as it stands.
std::optional<Patterns> lookupByValue(QueryDataset &query, const QString &thickness);

struct PlateWeights {
    numbers::Extended rhombic;
    numbers::Extended lentil;
};

// Plate weights of both patterns from the texts of width, length (mm) and the two weights per
// m². An empty text counts as 0; nothing when any other text is not a number.
std::optional<PlateWeights> plateWeights(const QString &width, const QString &length,
                                         const QString &rhombicPerM2, const QString &lentilPerM2);

} // namespace checkered
} // namespace mhbk
