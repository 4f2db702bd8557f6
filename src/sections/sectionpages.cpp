#include "sections/sectionpages.h"

#include "common/pagehost.h"
#include "sections/checkeredpage.h"
#include "sections/rolledpages.h"
#include "sections/weightpage.h"
#include "sections/weightspecs.h"

namespace mhbk {

namespace {

void installWeightPages(PageHost &host, const std::vector<WeightPageSpec> &specs)
{
    for (const WeightPageSpec &spec : specs) {
        // Owned by its tab sheet.
        auto *page = new WeightPage(host, spec);
        host.addShowHandler(spec.pageIndex, [page] { page->show(); });
    }
}

} // namespace

void installSectionPages(PageHost &host)
{
    installWeightPages(host, barPageSpecs());
    installRolledPages(host);
    installWeightPages(host, pipePageSpecs());
    auto *checkeredPage = new CheckeredPlatePage(host);
    host.addShowHandler(23, [checkeredPage] { checkeredPage->show(); });
}

} // namespace mhbk
