#include "sections/sectionpages.h"

namespace mhbk {

void installSectionPages(PageHost &) {}

} // namespace mhbk
