#include "workbooks/workbookpages.h"

namespace mhbk {

void installWorkbookPages(PageHost &) {}

} // namespace mhbk
