#pragma once

#include "sections/weightpage.h"

#include <vector>

namespace mhbk {

// The six bar and plate pages, and the nine pipe pages.
const std::vector<WeightPageDescription> &barPageDescriptions();
const std::vector<WeightPageDescription> &pipePageDescriptions();

} // namespace mhbk
