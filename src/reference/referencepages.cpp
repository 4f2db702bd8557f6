#include "reference/referencepages.h"

#include "common/pagehost.h"
#include "common/pageregistry.h"
#include "data/datasets.h"
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
    return std::make_unique<EditableGridPage>(description, host.page(pages::indexOf(description.pageName)), host.table());
}

// Owns the three pages' state and stands behind "插入", "删除" and "保存": they act on the
// grid whose table the shared dataset has open.
class ReferencePages : public QObject, public RowEditor {
public:
    explicit ReferencePages(PageHost &host)
        : QObject(host.window()), host_(host),
          unit_(makeGridPage(host, reference::unitPageDescription())),
          density_(makeGridPage(host, reference::densityPageDescription())),
          formula_(std::make_unique<reference::FormulaPage>(host.page(pages::indexOf(reference::FormulaPage::kPageName)),
                                                            host.table()))
    {
        for (EditableGridPage *page : {unit_.get(), density_.get()})
            host.addShowHandler(pages::indexOf(page->description().pageName), [page] { page->show(); });
        host.addShowHandler(pages::indexOf(reference::FormulaPage::kPageName), [this] { formula_->show(); });
    }

    void insertItem() override
    {
        if (EditableGridPage *page = target())
            page->insertItem(host_.reporter());
    }
    void deleteItem() override
    {
        if (EditableGridPage *page = target())
            page->deleteItem(host_.reporter());
    }
    void save() override
    {
        if (EditableGridPage *page = target())
            page->save(host_.reporter());
    }

private:
    // Only the two editable tables are ever written: with any other table open the buttons do nothing.
    EditableGridPage *target() const
    {
        for (EditableGridPage *page : {unit_.get(), density_.get()})
            if (page->acts())
                return page;
        return nullptr;
    }

    PageHost &host_;
    std::unique_ptr<EditableGridPage> unit_;
    std::unique_ptr<EditableGridPage> density_;
    std::unique_ptr<reference::FormulaPage> formula_;
};

} // namespace

void installReferencePages(PageHost &host)
{
    host.setRowEditor(new ReferencePages(host));
}

} // namespace mhbk
