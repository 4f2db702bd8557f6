#pragma once

namespace mhbk {

class PageHost;

// Builds the unit, density and formula pages and registers each editable grid as the row editor of its page.
void installReferencePages(PageHost &host);

} // namespace mhbk
