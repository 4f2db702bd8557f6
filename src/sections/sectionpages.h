#pragma once

#include <QString>
#include <utility>
#include <vector>

namespace mhbk {

class PageHost;

// Builds the bar, plate, rolled-section, checkered-plate and pipe pages.
void installSectionPages(PageHost &host);

// The pages whose grid shows a handbook table: (page object name, table name).
std::vector<std::pair<const char *, QString>> sectionPageTables();

} // namespace mhbk
