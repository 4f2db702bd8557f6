#pragma once

#include <utility>
#include <vector>

namespace mhbk {

class PageHost;

// The six rolled-section tables (angles, I-beams, channels): a grid, a drawing and a legend each.
void installRolledPages(PageHost &host);

// (page object name, table name) of each of the six.
std::vector<std::pair<const char *, const char *>> rolledPageTables();

} // namespace mhbk
