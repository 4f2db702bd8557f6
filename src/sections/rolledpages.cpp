#include "sections/rolledpages.h"

#include "common/pagehost.h"
#include "common/pageregistry.h"
#include "widgets/gridpaint.h"
#include "widgets/gridselection.h"
#include "widgets/stringgrid.h"
#include "sections/pageparts.h"
#include "sections/rolledreverse.h"
#include "sections/sectiondrawing.h"
#include "sections/sectiontables.h"
#include "sections/tableoffers.h"
#include "numbers/numtext.h"

#include <QHBoxLayout>
#include <QVBoxLayout>
#include <memory>

namespace mhbk {

namespace {

constexpr int kColumnWidth = 42;

struct RolledPage {
    PageKey page;
    const char *gridName;
    const char *tableName;
    Profile picture;
    QStringList legend;
};

const std::vector<RolledPage> &rolledPages()
{
    const QString beamLegs = QStringLiteral("b: 腿宽       h: 高度");
    const QString beamWeb = QStringLiteral("d: 腰厚       G: 理论重量");
    static const std::vector<RolledPage> pages = {
        {PageKey::EqualAngle, "StringGrid7", "Regular", Profile::EqualAngle,
         {QStringLiteral("公式说明：  b: 边长   d: 边厚   G: 理论重量  ")}},
        {PageKey::UnequalAngle, "StringGrid8", "NoRegular", Profile::UnequalAngle,
         {QStringLiteral("说明：    B: 长边宽   G: 理论重量  "), QStringLiteral("b: 短边宽       d: 边厚")}},
        {PageKey::IBeam, "StringGrid9", "Ishaped", Profile::IBeam, {QStringLiteral("说明：     斜度: 1:6"), beamLegs, beamWeb}},
        {PageKey::LightIBeam, "StringGrid10", "LightIshaped", Profile::IBeam, {QStringLiteral("说明：     斜度: 12%"), beamLegs, beamWeb}},
        {PageKey::Channel, "StringGrid11", "groove", Profile::Channel, {QStringLiteral("说明：     斜度: 1:10"), beamLegs, beamWeb}},
        {PageKey::LightChannel, "StringGrid12", "Lightgroove", Profile::Channel, {QStringLiteral("说明：     斜度: 1:10"), beamLegs, beamWeb}},
    };
    return pages;
}

// What a rolled-section page offers: its picked row to the takeoff list (the length is asked
// for), and a search result's row selected. Owned by the page's grid.
class RolledPageServices : public QObject, public TakeoffOffering, public SearchTarget {
public:
    RolledPageServices(PageKey page, StringGrid *grid, int fields)
        : QObject(grid), page_(page), grid_(grid), readRow_(rolledTableReader(fields))
    {
    }

    // The reverse calculation whose material the row is weighed in (made after this).
    void weighWith(const RolledReverse *reverse) { reverse_ = reverse; }

    TakeoffOffer takeoffOffer() const override
    {
        const auto row = readRow_(*grid_);
        if (!row)
            return TakeoffOffer::refused(kPickRowFirst);
        TakeoffOffer offer = pickedRowOffer(page_, *row, QStringLiteral("m"));
        // The line carries what the page shows: the chosen material and G weighed in it.
        if (reverse_ && reverse_->material().name != weights::steel().name) {
            offer.material = reverse_->material().name;
            offer.unitWeight = parseFloat(reverse_->gText(formatFixed(row->unitWeight, 3))).value_or(offer.unitWeight);
        }
        return offer;
    }

    void showSearchResult(const SearchSpot &spot) override
    {
        selectRowCells(*grid_, spot.row, spot.column, spot.span);
    }

private:
    PageKey page_;
    StringGrid *grid_;
    RowReader readRow_;
    const RolledReverse *reverse_ = nullptr;
};

std::function<void()> buildRolledPage(PageHost &host, const RolledPage &description, history::HistoryStore *history)
{
    QWidget *page = host.page(pages::indexOf(description.page));
    const QString table = QString::fromLatin1(description.tableName);
    const int fields = sectionTableShownFields(table);
    // The last column of every block (the weight) is green, the dimensions red.
    StringGrid *grid = makeReferenceGrid(page, QString::fromLatin1(description.gridName), kColumnWidth,
                                         looks::lastOfPeriodGreen(fields));
    auto filler = std::make_shared<BlockGridFiller>(grid, table, fields);
    auto *services = new RolledPageServices(description.page, grid, fields);
    host.registerPageServices(pages::indexOf(description.page), {.takeoff = services, .search = services});

    QVBoxLayout *layout = pageLayout(page);
    layout->addWidget(grid);
    auto *row = new QHBoxLayout;
    row->addWidget(new SectionDrawing(description.picture, page), 0, Qt::AlignTop);
    // The reverse calculation under the legend, so the page stays as narrow as before.
    auto *reverse = new RolledReverse(host, page, grid, fields, history); // owned by the page
    services->weighWith(reverse);
    auto *right = new QVBoxLayout;
    right->addWidget(makeLegend(page, description.legend, sectionTableNote(table)));
    right->addWidget(reverse->widget(), 0, Qt::AlignLeft);
    row->addLayout(right);
    row->addStretch(1);
    layout->addLayout(row);
    layout->addStretch(1);

    return [&host, filler, reverse] {
        filler->fillOnce(host.database());
        reverse->takeCurrentRowOnce();
        reverse->loadMaterials();
    };
}

} // namespace

std::vector<std::pair<PageKey, const char *>> rolledPageTables()
{
    std::vector<std::pair<PageKey, const char *>> tables;
    for (const RolledPage &page : rolledPages())
        tables.emplace_back(page.page, page.tableName);
    return tables;
}

void installRolledPages(PageHost &host, history::HistoryStore *history)
{
    for (const RolledPage &description : rolledPages())
        installOnFirstShow(host, pages::indexOf(description.page),
                           [&host, description, history] { return buildRolledPage(host, description, history); });
}

} // namespace mhbk
