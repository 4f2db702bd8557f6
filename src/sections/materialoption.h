#pragma once

#include "sections/materials.h"

#include <QString>
#include <functional>
#include <optional>

namespace mhbk {

class HandbookDatabase;

// The material a command of mhbk-cli weighs with, from its --density and --material values
// (empty when not given): nothing when neither is given (steel), the density as typed (a
// range "6.6~7.4" at its middle), or the row of the density table the name finds
// (weights::findMaterial). `database` is asked for only when a name is given. Throws CliError
// saying what is wrong: both given, a density that is none, no such material, or a name that
// fits several rows (listed).
std::optional<weights::Material> materialFromOptions(const QString &density, const QString &material,
                                                     const std::function<HandbookDatabase &()> &database);

} // namespace mhbk
