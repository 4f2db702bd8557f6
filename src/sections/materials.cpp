#include "sections/materials.h"

#include "data/datasets.h"
#include "numbers/numtext.h"

#include <QRegularExpression>

namespace mhbk::weights {

namespace {

const QString kRangeMark = QStringLiteral("~");
const QString kDensityTable = QStringLiteral("constdensity");

// The table's fields: number, material, density.
constexpr int kNameField = 1;
constexpr int kDensityField = 2;

// A range typed with a full-width tilde ("6.6～7.4") or a wave dash is the same range.
QString withRangeMark(QString text)
{
    for (const QChar mark : {QChar(u'～'), QChar(u'〜'), QChar(u'∼')})
        text.replace(mark, kRangeMark.front());
    return text;
}

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
    const QStringList ends = withRangeMark(text).split(kRangeMark);
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

QStringList materialAliases(const QString &name)
{
    static const QRegularExpression notes(QStringLiteral("[(（][^)）]*[)）]"));
    static const QRegularExpression listed(QStringLiteral("[、和]"));
    QString base = name;
    base.remove(notes);
    base = base.trimmed().section(QLatin1Char(' '), 0, 0);
    QStringList aliases;
    for (const QString &listedName : base.split(listed, Qt::SkipEmptyParts)) {
        const QString part = listedName.trimmed();
        aliases << part;
        for (const QString &pure : {QStringLiteral("工业纯"), QStringLiteral("纯")}) {
            if (part.startsWith(pure) && part.size() > pure.size()) {
                aliases << part.mid(pure.size());
                break;
            }
        }
    }
    aliases.removeDuplicates();
    aliases.removeAll(name);
    return aliases;
}

std::optional<NameMatch> matchMaterialName(const QString &name, const QString &query)
{
    if (query.isEmpty())
        return std::nullopt;
    if (name == query)
        return NameMatch::Exact;
    if (materialAliases(name).contains(query))
        return NameMatch::Alias;
    if (name.contains(query))
        return NameMatch::Part;
    return std::nullopt;
}

MaterialLookup findMaterial(const std::vector<Material> &materials, const QString &query)
{
    const QString wanted = query.trimmed();
    std::optional<NameMatch> best;
    std::vector<const Material *> found;
    for (const Material &material : materials) {
        const auto match = matchMaterialName(material.name, wanted);
        if (!match || (best && *match > *best))
            continue;
        if (!best || *match < *best)
            found.clear();
        best = match;
        found.push_back(&material);
    }
    MaterialLookup lookup;
    // A name the user edited into the table twice is still that name: the first row wins.
    if (found.size() == 1 || (best == NameMatch::Exact && !found.empty()))
        lookup.material = *found.front();
    else
        for (const Material *material : found)
            lookup.candidates << material->name;
    return lookup;
}

QString densityCaption(const Material &material)
{
    const QString shown = floatToStr(material.density) + QStringLiteral(" g/cm3");
    const QString range = withRangeMark(material.densityText);
    if (!range.contains(kRangeMark))
        return shown;
    return shown + QStringLiteral("（%1 取中值）").arg(range);
}

} // namespace mhbk::weights
