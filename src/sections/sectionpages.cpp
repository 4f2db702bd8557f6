#include "sections/sectionpages.h"

#include "common/pagehost.h"
#include "sections/checkeredpage.h"
#include "sections/pageparts.h"
#include "sections/rolledpages.h"
#include "sections/weightpage.h"
#include "sections/weightpagetables.h"

namespace mhbk {

namespace {

void installWeightPages(PageHost &host, const std::vector<WeightPageDescription> &descriptions)
{
    for (const WeightPageDescription &description : descriptions) {
        installOnFirstShow(host, description.pageIndex, [&host, description] {
            auto *page = new WeightPage(host, description); // owned by its tab sheet
            return std::function<void()>([page] { page->show(); });
        });
    }
}

} // namespace

void installSectionPages(PageHost &host)
{
    installWeightPages(host, barPageDescriptions());
    installRolledPages(host);
    installWeightPages(host, pipePageDescriptions());
    installOnFirstShow(host, 23, [&host] {
        auto *page = new CheckeredPlatePage(host);
        return std::function<void()>([page] { page->show(); });
    });
}

} // namespace mhbk
