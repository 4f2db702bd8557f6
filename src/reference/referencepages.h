#pragma once

namespace mhbk {

class PageHost;

// Builds pages 2 to 4 and registers the row editor behind "插入", "删除" and "保存".
void installReferencePages(PageHost &host);

} // namespace mhbk
