#include "sections/materials.h"

#include "data/datasets.h"
#include "numbers/numtext.h"

namespace mhbk::weights {

namespace {

const QString kRangeMark = QStringLiteral("~");
const QString kDensityTable = QStringLiteral("constdensity");

// The table's fields: number, material, density.
constexpr int kNameField = 1;
constexpr int kDensityField = 2;

std::optional<Real> positive(const std::optional<Real> &value)
{
    if (value && *value > Real(0))
        return value;
    return std::nullopt;
}

} // namespace

Material steel() { return {QStringLiteral("钢"), QStringLiteral("7.85"), kSteelDensity}; }

std::optional<Real> parseDensity(const QString &text)
{
    const QStringList ends = text.split(kRangeMark);
    if (ends.size() == 1)
        return positive(parseReal(text));
    if (ends.size() != 2)
        return std::nullopt;
    const auto low = positive(parseReal(ends.at(0)));
    const auto high = positive(parseReal(ends.at(1)));
    if (!low || !high)
        return std::nullopt;
    return (*low + *high) / Real(2);
}

std::vector<Material> materialsFrom(const std::vector<std::pair<QString, QString>> &rows)
{
    std::vector<Material> materials{steel()};
    for (const auto &[name, densityText] : rows) {
        const QString trimmedName = name.trimmed();
        const QString trimmedDensity = densityText.trimmed();
        if (trimmedName.isEmpty())
            continue;
        if (const auto density = parseDensity(trimmedDensity))
            materials.push_back({trimmedName, trimmedDensity, *density});
    }
    return materials;
}

std::vector<Material> readMaterials(HandbookDatabase &database)
{
    TableDataset table(database);
    table.open(kDensityTable);
    std::vector<std::pair<QString, QString>> rows;
    for (table.first(); !table.eof(); table.next())
        rows.emplace_back(table.fieldText(kNameField), table.fieldText(kDensityField));
    return materialsFrom(rows);
}

std::optional<Material> findMaterial(const std::vector<Material> &materials, const QString &query)
{
    const QString wanted = query.trimmed();
    if (wanted.isEmpty())
        return std::nullopt;
    for (const Material &material : materials) {
        if (material.name == wanted)
            return material;
    }
    for (const Material &material : materials) {
        if (material.name.contains(wanted))
            return material;
    }
    return std::nullopt;
}

QString densityCaption(const Material &material)
{
    const QString shown = floatToStr(material.density) + QStringLiteral(" g/cm3");
    if (!material.densityText.contains(kRangeMark))
        return shown;
    return shown + QStringLiteral("（%1 取中值）").arg(material.densityText);
}

} // namespace mhbk::weights
