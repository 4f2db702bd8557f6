#pragma once

namespace mhbk {

class PageHost;

// The six rolled-section tables (angles, I-beams, channels): a grid, a drawing and a legend each.
void installRolledPages(PageHost &host);

} // namespace mhbk
