// What the section pages promise the takeoff list and the search through their page services,
// checked on the built handbook: the figures are the handbook's, written out here.
#include "common/pageregistry.h"
#include "common/pageservices.h"
#include "sections/sectionpages.h"
#include "support/fakehost.h"
#include "support/testdb.h"
#include "widgets/stringgrid.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace mhbk::test {
namespace {

class SectionPageServices : public ::testing::Test {
protected:
    SectionPageServices() : host(db.path()) { installSectionPages(host); }

    StringGrid &gridOf(PageKey key)
    {
        auto *grid = host.page(pages::indexOf(key))->findChild<StringGrid *>();
        if (!grid)
            throw std::runtime_error("no grid");
        return *grid;
    }

    template <class T = QLineEdit>
    T &field(PageKey key, const char *name)
    {
        auto *found = host.page(pages::indexOf(key))->findChild<T *>(QString::fromLatin1(name));
        if (!found)
            throw std::runtime_error(name);
        return *found;
    }

    // A picked row counts while its grid has the focus, as when the user clicked it.
    void focus(StringGrid &grid)
    {
        QWidget *window = grid.window();
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
        QCoreApplication::processEvents(); // a page built while shown lays out its widgets from a queued call
        grid.setFocus();
        ASSERT_TRUE(grid.hasFocus());
    }

    void typeAndEnter(QLineEdit &edit, const QString &text)
    {
        edit.clear();
        QTest::keyClicks(&edit, text);
        QTest::keyClick(&edit, Qt::Key_Return);
    }

    TestDatabaseCopy db;
    FakePageHost host;
};

// Every page that offers a takeoff line, one picked cell each: the line carries the row's
// designation and the unit weight the handbook gives and the page shows in its weight cell.
TEST_F(SectionPageServices, APickedRowOffersTheWeightThePageShows)
{
    const struct {
        PageKey page;
        int column, row;
        const char *designation;
        double unitWeight;
        const char *unit;
        int weightColumn; // the cell on the page that shows the figure
        const char *remark;
    } cases[] = {
        {PageKey::RoundBar, 0, 1, "5.5", 0.186, "m", 1, ""},
        {PageKey::SquareBar, 1, 1, "5.5", 0.237, "m", 1, ""},
        {PageKey::RectangularBar, 0, 1, "3×10", 0.236, "m", 2, ""},
        {PageKey::HexagonBar, 0, 1, "8", 0.435, "m", 1, ""},
        {PageKey::SteelPlate, 0, 1, "0.35", 2.7475, "m2", 1, ""},
        {PageKey::HotRolledSeamlessPipe, 0, 1, "32×2.5", 1.82, "m", 1, ""},
        {PageKey::ColdRolledSeamlessPipe, 1, 1, "6×0.25", 0.0355, "m", 1, ""},
        {PageKey::PrecisionSeamlessPipe, 0, 1, "4×0.5", 0.0432, "m", 1, ""},
        {PageKey::BoilerSeamlessPipe, 0, 1, "10×1.5", 0.314, "m", 1, ""},
        {PageKey::WeldedPipe, 1, 1, "DN6 10.2×2", 0.40, "m", 3, "普通钢管"},
        {PageKey::WeldedPipe, 5, 1, "DN6 10.2×2.5", 0.47, "m", 5, "加厚钢管"},
        {PageKey::Conduit, 0, 1, "DN13 12.70×1.60", 0.438, "m", 3, ""},
        {PageKey::SpiralWeldedPipe, 2, 1, "219×6", 31.52, "m", 2, ""},
        {PageKey::StainlessHotRolledPipe, 0, 1, "68×4.5", 7.05, "m", 1, ""},
        {PageKey::StainlessColdRolledPipe, 0, 1, "6×0.5", 0.0678, "m", 1, ""},
        {PageKey::EqualAngle, 1, 1, "2", 0.889, "m", 3, ""},
        {PageKey::UnequalAngle, 0, 1, "2.5/1.6", 0.912, "m", 4, ""},
        {PageKey::IBeam, 4, 1, "10", 11.261, "m", 4, ""},
        {PageKey::LightIBeam, 0, 1, "10", 9.46, "m", 4, ""},
        {PageKey::Channel, 0, 1, "5", 5.438, "m", 4, ""},
        {PageKey::LightChannel, 0, 1, "5", 4.84, "m", 4, ""},
        {PageKey::CheckeredPlate, 2, 1, "δ2.5 菱形", 21.6, "m2", 2, ""},
        {PageKey::CheckeredPlate, 4, 1, "δ2.5 扁豆形", 21.3, "m2", 4, ""},
        // The computed flat-bar grid: 10 mm wide, 3 mm thick, 7.85 g/cm3.
        {PageKey::FlatBar, 1, 1, "10×3", 0.2355, "m", 1, ""},
    };
    for (const auto &c : cases) {
        const int index = pages::indexOf(c.page);
        SCOPED_TRACE(pages::at(index).objectName);
        host.showPage(index);
        const TakeoffOffering *offering = host.pageServices(index).takeoff;
        ASSERT_NE(offering, nullptr);
        StringGrid &grid = gridOf(c.page);
        focus(grid);
        grid.setCurrentCell(c.row, c.column);
        const TakeoffOffer offer = offering->takeoffOffer();
        ASSERT_TRUE(offer.refusal.isEmpty()) << offer.refusal.toStdString();
        EXPECT_EQ(offer.item, QString::fromUtf8(pages::at(index).caption));
        EXPECT_EQ(offer.designation, QString::fromUtf8(c.designation));
        EXPECT_NEAR(offer.unitWeight, c.unitWeight, 0.0006);
        EXPECT_DOUBLE_EQ(offer.unitWeight, grid.cell(c.weightColumn, c.row).toDouble()) << "the figure the page shows";
        EXPECT_EQ(offer.unit, QString::fromLatin1(c.unit));
        EXPECT_EQ(offer.remark, QString::fromUtf8(c.remark));
        EXPECT_EQ(offer.material, QStringLiteral("钢"));
        EXPECT_TRUE(offer.askQuantity) << "a table row carries no length";
    }
}

// A rolled row added while another material is chosen beside the table carries that material
// and the G the page shows for it, not steel's.
TEST_F(SectionPageServices, ARolledRowIsOfferedInTheChosenMaterial)
{
    const int index = pages::indexOf(PageKey::IBeam);
    host.showPage(index);
    auto &material = field<QComboBox>(PageKey::IBeam, "Page_Ishaped_Material");
    const int aluminium = material.findText(QStringLiteral("纯铝"));
    ASSERT_GE(aluminium, 0);
    material.setCurrentIndex(aluminium);
    StringGrid &grid = gridOf(PageKey::IBeam);
    focus(grid);
    grid.setCurrentCell(1, 4); // 10: 11.261 kg/m in steel
    const TakeoffOffer offer = host.pageServices(index).takeoff->takeoffOffer();
    ASSERT_TRUE(offer.refusal.isEmpty()) << offer.refusal.toStdString();
    EXPECT_EQ(offer.material, QStringLiteral("纯铝"));
    EXPECT_DOUBLE_EQ(offer.unitWeight, 3.873); // 11.261 × 2.7 / 7.85, to 0.001 as shown
    EXPECT_EQ(field(PageKey::IBeam, "Page_Ishaped_RowG").text(), QStringLiteral("3.873"));
}

TEST_F(SectionPageServices, TheCalculatorOffersItsGAndTheLengthTypedBesideIt)
{
    const int round = pages::indexOf(PageKey::RoundBar);
    host.showPage(round);
    typeAndEnter(field(PageKey::RoundBar, "Edit1"), QStringLiteral("10"));
    typeAndEnter(field(PageKey::RoundBar, "Edit42"), QStringLiteral("6"));
    TakeoffOffer offer = host.pageServices(round).takeoff->takeoffOffer();
    EXPECT_EQ(offer.designation, QStringLiteral("d=10"));
    EXPECT_NEAR(offer.unitWeight, 0.617, 0.0005); // 7.85 g/cm3 × π/4 × 10² mm²
    EXPECT_DOUBLE_EQ(offer.unitWeight, field(PageKey::RoundBar, "Edit2").text().toDouble());
    EXPECT_EQ(offer.quantity, 6);
    EXPECT_FALSE(offer.askQuantity);

    // Without a G there is nothing to add, and the offer says what to do first.
    const int plate = pages::indexOf(PageKey::SteelPlate);
    host.showPage(plate);
    EXPECT_FALSE(host.pageServices(plate).takeoff->takeoffOffer().refusal.isEmpty());
    typeAndEnter(field(PageKey::SteelPlate, "Edit7"), QStringLiteral("10"));
    offer = host.pageServices(plate).takeoff->takeoffOffer();
    EXPECT_DOUBLE_EQ(offer.unitWeight, 78.5);
    EXPECT_EQ(offer.unit, QStringLiteral("m2"));
    EXPECT_TRUE(offer.askQuantity) << "no area typed";
}

TEST_F(SectionPageServices, TheCheckeredPlateOffersTheChosenPlateWithItsArea)
{
    const int index = pages::indexOf(PageKey::CheckeredPlate);
    host.showPage(index);
    EXPECT_FALSE(host.pageServices(index).takeoff->takeoffOffer().refusal.isEmpty()) << "no thickness chosen";
    auto &thickness = field<QComboBox>(PageKey::CheckeredPlate, "cbJBHD_HWGB");
    thickness.setCurrentIndex(thickness.findText(QStringLiteral("3.0")));
    field<QComboBox>(PageKey::CheckeredPlate, "cbKD").setEditText(QStringLiteral("1000"));
    field<QComboBox>(PageKey::CheckeredPlate, "cbCD").setEditText(QStringLiteral("2000"));
    field<QComboBox>(PageKey::CheckeredPlate, "cbPattern_HWGB").setCurrentIndex(1);
    const TakeoffOffer offer = host.pageServices(index).takeoff->takeoffOffer();
    EXPECT_EQ(offer.designation, QStringLiteral("δ3.0 扁豆形"));
    EXPECT_DOUBLE_EQ(offer.unitWeight, 24.4);
    EXPECT_DOUBLE_EQ(offer.quantity, 2.0);
    EXPECT_FALSE(offer.askQuantity);
}

// A search result opens on its row; the calculator takes the row's sizes and shows G for them.
TEST_F(SectionPageServices, ASearchResultSelectsItsRowAndFillsTheCalculator)
{
    const struct {
        PageKey page;
        SearchSpot spot;
        const char *input;  // the calculator's first dimension field, or none
        const char *output; // its G field
        const char *shown;  // what that shows, as the handbook gives it
    } cases[] = {
        {PageKey::RoundBar, {2, 0, 2, {QStringLiteral("6")}}, "Edit1", "Edit2", "0.222"},
        {PageKey::SpiralWeldedPipe, {1, 0, 3, {QStringLiteral("219"), QStringLiteral("6")}}, "Edit39", "Edit41", "31.52"},
        {PageKey::IBeam, {2, 0, 5, {}}, nullptr, nullptr, nullptr},
        {PageKey::CheckeredPlate, {2, 0, 5, {QStringLiteral("3.0")}}, nullptr, "edtLXLLZL", "25.6"},
    };
    for (const auto &c : cases) {
        const int index = pages::indexOf(c.page);
        SCOPED_TRACE(pages::at(index).objectName);
        host.showPage(index);
        SearchTarget *target = host.pageServices(index).search;
        ASSERT_NE(target, nullptr);
        target->showSearchResult(c.spot);
        const StringGrid &grid = gridOf(c.page);
        EXPECT_EQ(grid.currentRow(), c.spot.row);
        EXPECT_EQ(grid.currentColumn(), c.spot.column);
        EXPECT_EQ(grid.selectedItems().size(), c.spot.span);
        if (c.input) {
            EXPECT_EQ(field(c.page, c.input).text(), c.spot.inputs.first());
        }
        if (c.output) {
            EXPECT_NEAR(field(c.page, c.output).text().toDouble(), QString::fromLatin1(c.shown).toDouble(), 0.006);
        }
    }
    // A spot outside the grid leaves the selection as it was.
    const int beam = pages::indexOf(PageKey::IBeam);
    host.pageServices(beam).search->showSearchResult({5000, 0, 5, {}});
    EXPECT_EQ(gridOf(PageKey::IBeam).currentRow(), 2);
}

// What a page offers does not depend on its having been shown: asking builds it.
TEST_F(SectionPageServices, AskingAPageNotYetShownBuildsIt)
{
    const int index = pages::indexOf(PageKey::EqualAngle);
    EXPECT_EQ(host.page(index)->findChild<StringGrid *>(), nullptr);
    const PageServices services = host.pageServices(index);
    ASSERT_NE(services.takeoff, nullptr);
    EXPECT_NE(services.search, nullptr);
    EXPECT_NE(host.page(index)->findChild<StringGrid *>(), nullptr);
    EXPECT_EQ(host.pageServices(index).takeoff, services.takeoff) << "built once";
    EXPECT_FALSE(services.takeoff->takeoffOffer().refusal.isEmpty()) << "nothing picked yet";
    // Pages of other kinds offer nothing here.
    const PageServices calculator = host.pageServices(pages::indexOf(PageKey::Calculator));
    EXPECT_EQ(calculator.takeoff, nullptr);
    EXPECT_EQ(calculator.search, nullptr);
}

} // namespace
} // namespace mhbk::test
