#pragma once

#include "sections/weightformulas.h"

#include <QString>
#include <optional>
#include <vector>

namespace mhbk {
class HandbookDatabase;
}

namespace mhbk::weights {

// A material the weight calculators can weigh: its name and density (g/cm3) as the density
// table writes them, and the density the formulas use.
struct Material {
    QString name;
    QString densityText;
    Real density;
};

// Steel at the density every table and calculator of the handbook uses; the default choice.
Material steel();

// A density as the density table writes it: "8.9", or a range "6.6~7.4", which is weighed at
// its middle. Nothing for a text that is neither, or a density not above zero.
std::optional<Real> parseDensity(const QString &text);

// The materials of name and density rows, steel first; rows whose density cannot be read are
// left out (the table is the user's to edit).
std::vector<Material> materialsFrom(const std::vector<std::pair<QString, QString>> &rows);

// The materials of the handbook's density table (`constdensity`), steel first. Throws AppError
// when the table cannot be read.
std::vector<Material> readMaterials(HandbookDatabase &database);

// The material a user names: the one of exactly that name, else the first whose name contains
// the text ("黄铜" finds the first brass).
std::optional<Material> findMaterial(const std::vector<Material> &materials, const QString &query);

// The density as the pages and the command line show it beside the material: "8.9 g/cm3", and
// for a range the middle used with the range: "7 g/cm3（6.6~7.4 取中值）".
QString densityCaption(const Material &material);

} // namespace mhbk::weights
