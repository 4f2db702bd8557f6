#pragma once

#include "common/pageregistry.h"

#include <utility>
#include <vector>

namespace mhbk {

class PageHost;

namespace history {
class HistoryStore;
}

// The six rolled-section tables (angles, I-beams, channels): a grid, a drawing, a legend and
// the length from a total weight for the chosen row each.
void installRolledPages(PageHost &host, history::HistoryStore *history = nullptr);

// (page, table name) of each of the six.
std::vector<std::pair<PageKey, const char *>> rolledPageTables();

} // namespace mhbk
