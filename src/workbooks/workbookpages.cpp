#include "workbooks/workbookpages.h"

#include "common/pagehost.h"
#include "workbooks/pages/pageloader.h"
#include "workbooks/view/spreadsheetcommands.h"

#include <QWidget>
#include <memory>

namespace mhbk {

void installWorkbookPages(PageHost &host)
{
    // The loader lives as long as the host keeps the function that calls it.
    auto loader = std::make_shared<workbooks::WorkbookPageLoader>(host);
    host.setPageLoader([loader](int pageIndex) { loader->load(pageIndex); });
    host.setSpreadsheetCommands(new view::WorkbookCommands(
        std::make_unique<view::SaveDialogPrompt>(host.window()), host.reporter(), host.window()));
}

} // namespace mhbk
