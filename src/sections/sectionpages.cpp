#include "sections/sectionpages.h"

#include "common/pagehost.h"
#include "sections/checkeredpage.h"
#include "sections/pageparts.h"
#include "sections/rolledpages.h"
#include "sections/weightpage.h"
#include "sections/weightspecs.h"

namespace mhbk {

namespace {

void installWeightPages(PageHost &host, const std::vector<WeightPageSpec> &specs)
{
    for (const WeightPageSpec &spec : specs) {
        installOnFirstShow(host, spec.pageIndex, [&host, spec] {
            auto *page = new WeightPage(host, spec); // owned by its tab sheet
            return std::function<void()>([page] { page->show(); });
        });
    }
}

} // namespace

void installSectionPages(PageHost &host)
{
    installWeightPages(host, barPageSpecs());
    installRolledPages(host);
    installWeightPages(host, pipePageSpecs());
    installOnFirstShow(host, 23, [&host] {
        auto *page = new CheckeredPlatePage(host);
        return std::function<void()>([page] { page->show(); });
    });
}

} // namespace mhbk
