#pragma once

#include "common/loadonce.h"

#include <map>

class QWidget;

namespace mhbk {
class PageHost;

namespace workbooks {

// Builds a workbook page on its first showing from the Report row with the page's index:
// the spreadsheet control filling the page, loaded from the stored bytes in memory, and on
// the duct pages the bottom panel. Each page is looked up at most once per run.
class WorkbookPageLoader {
public:
    explicit WorkbookPageLoader(PageHost &host) : host_(host) {}

    void load(int pageIndex);

private:
    void build(QWidget *page, int pageIndex);

    PageHost &host_;
    std::map<int, LoadOnce> lookedUp_;
};

} // namespace workbooks
} // namespace mhbk
