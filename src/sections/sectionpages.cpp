#include "sections/sectionpages.h"

#include "common/pagehost.h"
#include "common/pageregistry.h"
#include "sections/checkered.h"
#include "sections/checkeredpage.h"
#include "sections/pageparts.h"
#include "sections/rolledpages.h"
#include "sections/weightpage.h"
#include "sections/weightpagetables.h"

namespace mhbk {

namespace {

void installWeightPages(PageHost &host, const std::vector<WeightPageDescription> &descriptions,
                        history::HistoryStore *history)
{
    for (const WeightPageDescription &description : descriptions) {
        installOnFirstShow(host, pages::indexOf(description.page), [&host, description, history] {
            auto *page = new WeightPage(host, description, history); // owned by its tab sheet
            return std::function<void()>([page] { page->show(); });
        });
    }
}

} // namespace

std::vector<std::pair<PageKey, QString>> sectionPageTables()
{
    std::vector<std::pair<PageKey, QString>> tables;
    for (const auto *descriptions : {&barPageDescriptions(), &pipePageDescriptions()})
        for (const WeightPageDescription &description : *descriptions)
            if (description.tableName)
                tables.emplace_back(description.page, QString::fromLatin1(description.tableName));
    for (const auto &[page, table] : rolledPageTables())
        tables.emplace_back(page, QString::fromLatin1(table));
    tables.emplace_back(CheckeredPlatePage::kPage, checkered::kTable);
    return tables;
}

void installSectionPages(PageHost &host, history::HistoryStore *history)
{
    installWeightPages(host, barPageDescriptions(), history);
    installRolledPages(host, history);
    installWeightPages(host, pipePageDescriptions(), history);
    installOnFirstShow(host, pages::indexOf(CheckeredPlatePage::kPage), [&host] {
        auto *page = new CheckeredPlatePage(host);
        return std::function<void()>([page] { page->show(); });
    });
}

} // namespace mhbk
