#pragma once

#include "sections/weightpage.h"

#include <vector>

namespace mhbk {

// The six bar and plate pages, and the nine pipe pages.
const std::vector<WeightPageSpec> &barPageSpecs();
const std::vector<WeightPageSpec> &pipePageSpecs();

} // namespace mhbk
