#pragma once

#include "takeoff/ui/takeoffsource.h"

#include <map>
#include <memory>

namespace mhbk {
class PageHost;
}

namespace mhbk::takeoff {

// The sources of the bar, plate and pipe calculators and of the section tables, by page
// index. They read the pages' widgets when asked, so the pages may be built later.
std::map<int, std::unique_ptr<TakeoffSource>> makePageSources(PageHost &host);

} // namespace mhbk::takeoff
