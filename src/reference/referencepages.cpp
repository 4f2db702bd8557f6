#include "reference/referencepages.h"

namespace mhbk {

void installReferencePages(PageHost &) {}

} // namespace mhbk
