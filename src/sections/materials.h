#pragma once

#include "sections/weightformulas.h"

#include <QString>
#include <QStringList>
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

// How well a material's name answers a name the user typed; lower is better.
enum class NameMatch {
    Exact, // the whole name as the table writes it
    Alias, // a name the row stands for: "纯铝" for "铝", "金(参考值)" for "金", "铅和铅锑合金" for "铅"
    Part,  // the name contains the text
};

// The names a density-table row answers to besides its own: without the notes in brackets and
// the grades after a blank, each name it lists ("、", "和"), and each of those without a leading
// "纯" or "工业纯". ("纯镍、阳极镍、电真空镍" → 纯镍, 镍, 阳极镍, 电真空镍.)
QStringList materialAliases(const QString &name);

// How `name` answers `query`, or nothing. The one rule the command line's --material and the
// handbook search follow.
std::optional<NameMatch> matchMaterialName(const QString &name, const QString &query);

// The material a user names: the first of exactly that name, else the only one answering it best.
// When several answer equally well, `candidates` lists them and `material` is empty.
struct MaterialLookup {
    std::optional<Material> material;
    QStringList candidates;
};
MaterialLookup findMaterial(const std::vector<Material> &materials, const QString &query);

// The density as the pages and the command line show it beside the material: "8.9 g/cm3", and
// for a range the middle used with the range: "7 g/cm3（6.6~7.4 取中值）".
QString densityCaption(const Material &material);

} // namespace mhbk::weights
