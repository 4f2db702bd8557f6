#include "reference/referencepages.h"

#include "common/pagehost.h"
#include "common/pageregistry.h"
#include "reference/editablegrid.h"
#include "reference/formulapage.h"

#include <QObject>
#include <QWidget>
#include <memory>

namespace mhbk {

namespace {

using reference::EditableGridPage;

std::unique_ptr<EditableGridPage> makeGridPage(PageHost &host, const reference::EditablePageDescription &description)
{
    return std::make_unique<EditableGridPage>(description, host.page(pages::indexOf(description.page)),
                                              host.database(), host.reporter(),
                                              [&host](const QString &text) { host.showStatus(text); });
}

// Owns the three pages' state for the life of the window. Each editable grid stands behind
// "插入", "删除" and "保存" while its own page is on screen.
class ReferencePages : public QObject {
public:
    explicit ReferencePages(PageHost &host)
        : QObject(host.window()),
          unit_(makeGridPage(host, reference::unitPageDescription())),
          density_(makeGridPage(host, reference::densityPageDescription())),
          formula_(std::make_unique<reference::FormulaPage>(host.page(pages::indexOf(reference::FormulaPage::kPage)),
                                                            host.database()))
    {
        for (EditableGridPage *page : {unit_.get(), density_.get()}) {
            const int index = pages::indexOf(page->description().page);
            host.addShowHandler(index, [page] { page->show(); });
            host.registerPageServices(index, {.search = page, .rowEditor = page, .unsavedWork = page});
        }
        const int formulaIndex = pages::indexOf(reference::FormulaPage::kPage);
        host.addShowHandler(formulaIndex, [this] { formula_->show(); });
        host.registerPageServices(formulaIndex, {.search = formula_.get()});
    }

private:
    std::unique_ptr<EditableGridPage> unit_;
    std::unique_ptr<EditableGridPage> density_;
    std::unique_ptr<reference::FormulaPage> formula_;
};

} // namespace

void installReferencePages(PageHost &host)
{
    new ReferencePages(host); // owned by the window
}

} // namespace mhbk
