#pragma once

namespace mhbk {

class PageHost;

// Builds the unit, density and formula pages and registers the row editor behind "插入", "删除" and "保存".
void installReferencePages(PageHost &host);

} // namespace mhbk
