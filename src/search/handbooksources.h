#pragma once

#include "common/pageregistry.h"
#include "search/handbookindex.h"

namespace mhbk {
class HandbookDatabase;
}

namespace mhbk::search {

// The index of the whole handbook: every page of the page list, every row of the size tables
// with its designation and weight as the pages show them, the flat-bar grid as its page computes
// it, and the rows of the unit, density and formula tables. Throws AppError when a table cannot
// be read.
HandbookIndex buildHandbookIndex(HandbookDatabase &database);

// The size tables the index reads, as (page, table name), in page order.
std::vector<std::pair<PageKey, const char *>> indexedSizeTables();

} // namespace mhbk::search
