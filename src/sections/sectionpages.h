#pragma once

namespace mhbk {

class PageHost;

// Builds pages 11 to 32 (bars, plates, rolled sections, checkered plate, pipes).
void installSectionPages(PageHost &host);

} // namespace mhbk
