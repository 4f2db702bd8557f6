#include "common/pageservices.h"

#include <QScopeGuard>

namespace mhbk {

void PageServiceTable::add(int pageIndex, const PageServices &services)
{
    PageServices &kept = services_[pageIndex];
    if (services.takeoff)
        kept.takeoff = services.takeoff;
    if (services.search)
        kept.search = services.search;
    if (services.rowEditor)
        kept.rowEditor = services.rowEditor;
    if (services.unsavedWork)
        kept.unsavedWork = services.unsavedWork;
}

void PageServiceTable::setBuilder(int pageIndex, std::function<void()> build)
{
    builders_[pageIndex] = std::move(build);
}

PageServices PageServiceTable::lookup(int pageIndex)
{
    const auto builder = builders_.find(pageIndex);
    if (builder != builders_.end() && building_.insert(pageIndex).second) {
        const auto done = qScopeGuard([&] { building_.erase(pageIndex); });
        builder->second();
    }
    const auto found = services_.find(pageIndex);
    return found == services_.end() ? PageServices{} : found->second;
}

} // namespace mhbk
