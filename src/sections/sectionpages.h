#pragma once

#include "common/pageregistry.h"

#include <QString>
#include <utility>
#include <vector>

namespace mhbk {

class PageHost;

namespace history {
class HistoryStore;
}

// Builds the bar, plate, rolled-section, checkered-plate and pipe pages; with a history, the
// weight calculators keep their results there.
void installSectionPages(PageHost &host, history::HistoryStore *history = nullptr);

// The pages whose grid shows a handbook table: (page, table name).
std::vector<std::pair<PageKey, QString>> sectionPageTables();

} // namespace mhbk
