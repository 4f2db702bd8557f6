#include "support/fakehost.h"

#include "common/guarded.h"
#include "common/pageregistry.h"

#include <QWidget>
#include <algorithm>

namespace mhbk::test {

FakePageHost::FakePageHost(const QString &databasePath)
    : db_(databasePath), query_(db_), tabs_(std::make_unique<QTabWidget>())
{
    tabs_->resize(800, 600);
    for (const PageEntry &entry : pages::all()) {
        auto *sheet = new QWidget;
        sheet->setObjectName(QString::fromLatin1(entry.objectName));
        tabs_->addTab(sheet, QString::fromUtf8(entry.caption));
        pages_.push_back(sheet);
    }
}

FakePageHost::~FakePageHost() = default;

QWidget *FakePageHost::page(int index) const
{
    return index >= 0 && index < static_cast<int>(pages_.size()) ? pages_[index] : nullptr;
}

void FakePageHost::registerPageServices(int pageIndex, const PageServices &services)
{
    // As the window does: a page's unsaved work is asked about before closing.
    const bool known = std::any_of(unsavedWork_.begin(), unsavedWork_.end(),
                                   [&](const UnsavedEntry &entry) { return entry.work == services.unsavedWork; });
    if (services.unsavedWork && !known)
        addUnsavedWork(services.unsavedWork, pageIndex);
    services_.add(pageIndex, services);
}

void FakePageHost::addShowHandler(int pageIndex, std::function<void()> handler)
{
    showHandlers_[pageIndex].push_back(std::move(handler));
}

void FakePageHost::showPage(int index)
{
    tabs_->setCurrentIndex(index);
    for (auto &handler : showHandlers_[index])
        runHandler(reporter_, handler);
    if (loader_)
        runHandler(reporter_, [&] { loader_(index); });
}

void runHandler(Reporter &reporter, const std::function<void()> &handler)
{
    runGuarded(reporter, handler);
}

} // namespace mhbk::test
