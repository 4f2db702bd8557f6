#include "sections/materialoption.h"

#include "common/commandline.h"

namespace mhbk {

std::optional<weights::Material> materialFromOptions(const QString &density, const QString &material,
                                                     const std::function<HandbookDatabase &()> &database)
{
    if (!density.isEmpty() && !material.isEmpty())
        throw CliError{QStringLiteral("--density 与 --material 只能用一个 / use --density or --material, not both")};
    if (!density.isEmpty()) {
        const auto value = weights::parseDensity(density);
        if (!value)
            throw CliError{QStringLiteral("密度不对 / bad density: %1").arg(density), CliError::WithoutUsage};
        return weights::Material{QString(), density, *value};
    }
    if (material.isEmpty())
        return std::nullopt;
    const weights::MaterialLookup lookup = weights::findMaterial(weights::readMaterials(database()), material);
    if (lookup.material)
        return lookup.material;
    if (lookup.candidates.isEmpty())
        throw CliError{QStringLiteral("密度表中没有此材料 / no such material: %1\n"
                                      "可用 mhbk-cli table constdensity 查看全部材料名。")
                           .arg(material),
                       CliError::WithoutUsage};
    throw CliError{QStringLiteral("“%1”对应多种材料，请用 --material 写出其中一个的完整名称 / "
                                  "ambiguous material: %1\n  %2")
                       .arg(material, lookup.candidates.join(QStringLiteral("\n  "))),
                   CliError::WithoutUsage};
}

} // namespace mhbk
