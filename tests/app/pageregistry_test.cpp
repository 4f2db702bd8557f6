#include "common/pageregistry.h"

#include <QString>
#include <gtest/gtest.h>
#include <set>
#include <stdexcept>

using namespace mhbk;

TEST(PageRegistry, FiftyTwoPagesInIndexOrderWithUniqueNamesThatFindThemselves)
{
    std::set<QString> names;
    for (int i = 0; i < kPageCount; ++i) {
        const PageEntry &page = pages::at(i);
        EXPECT_EQ(page.index, i);
        EXPECT_TRUE(names.insert(QString::fromLatin1(page.objectName)).second) << page.objectName;
        EXPECT_EQ(pages::find(page.objectName), i);
        EXPECT_EQ(pages::indexOf(page.objectName), i);
    }
}

TEST(PageRegistry, UnknownIndexesAndNamesAreRefused)
{
    for (int index : {-1, kPageCount, 1000})
        EXPECT_FALSE(pages::isIndex(index)) << index;
    EXPECT_THROW(pages::at(kPageCount), std::out_of_range);
    EXPECT_THROW(pages::at(-1), std::out_of_range);
    EXPECT_EQ(pages::find("Page_none"), std::nullopt);
    EXPECT_EQ(pages::find("page_steelboard"), std::nullopt); // names are matched exactly
    EXPECT_THROW(pages::indexOf("Page_none"), std::logic_error);
}

TEST(PageRegistry, GroupsCoverEveryPageExactlyOnceInOrder)
{
    int next = 0;
    for (const auto &group : pages::treeGroups()) {
        EXPECT_EQ(group.firstPage, next) << group.caption;
        EXPECT_LE(group.firstPage, group.lastPage);
        next = group.lastPage + 1;
    }
    EXPECT_EQ(next, kPageCount);
}

TEST(PageRegistry, KindsAsUsersScriptsKnowTheNumbers)
{
    // `mhbk --screenshot --page N` and `mhbk-cli workbook PAGE` take these numbers.
    const struct {
        PageKind kind;
        const char *ranges;
    } cases[] = {
        {PageKind::Calculator, "0"},       {PageKind::DecimalPlaces, "1"}, {PageKind::EditableTable, "2-3"},
        {PageKind::FormulaTable, "4"},     {PageKind::Sheet, "5-6"},       {PageKind::SectionTable, "11-22, 24-32"},
        {PageKind::CheckeredPlate, "23"},  {PageKind::Workbook, "7-10, 33-51"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(pages::rangesText(pages::ofKind(c.kind)), QString::fromLatin1(c.ranges)) << c.ranges;
    EXPECT_EQ(pages::at(22).objectName, std::string_view("Page_steelboard"));
    EXPECT_EQ(pages::rangesText({}), QString());
    EXPECT_EQ(pages::rangesText({4, 6, 7}), QStringLiteral("4, 6-7"));
}

TEST(PageRegistry, RowEditingOnlyOnEditableGridsAndAddToExpressionOnThePagesThatOfferCells)
{
    // 加入表达式 is offered by the editable tables, the bars, plates, rolled sections and the
    // welded, conduit and spiral pipes; never by the keypad, the formula table or the seamless pipes.
    const std::set<int> on{2, 3, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 28, 29, 30};
    const std::set<int> off{0, 4, 24, 25, 26, 27, 31, 32};
    for (const auto &page : pages::all()) {
        EXPECT_EQ(page.rowEditing(), page.index == 2 || page.index == 3) << page.index;
        if (on.count(page.index)) {
            ASSERT_TRUE(page.expressionButtons.has_value()) << page.index;
            EXPECT_TRUE(page.expressionButtons->addToExpression) << page.index;
        } else if (off.count(page.index)) {
            ASSERT_TRUE(page.expressionButtons.has_value()) << page.index;
            EXPECT_FALSE(page.expressionButtons->addToExpression) << page.index;
        } else {
            EXPECT_FALSE(page.expressionButtons.has_value()) << page.index;
        }
        if (page.expressionButtons) {
            EXPECT_TRUE(page.expressionButtons->jumpToCalculator);
        }
    }
}

TEST(PageRegistry, EveryPageHasItsOwnKeyAndTheKeyLeadsBackToIt)
{
    std::set<PageKey> keys;
    for (const PageEntry &page : pages::all()) {
        EXPECT_TRUE(keys.insert(page.key).second) << page.objectName;
        EXPECT_EQ(pages::indexOf(page.key), page.index);
        EXPECT_EQ(&pages::at(page.key), &page);
    }
    EXPECT_THROW(pages::at(static_cast<PageKey>(kPageCount)), std::logic_error);
}

TEST(PageRegistry, KeysNameThePagesTheyMeanWhateverTheStoredNames)
{
    // The stored object names and numbers are kept in files and scripts; a key put on the wrong
    // page would send the code to another page without a build error.
    const struct {
        PageKey key;
        int index;
        const char *objectName;
        const char *caption;
    } cases[] = {
        {PageKey::Calculator, 0, "Page_Calculate", "计算器"},
        {PageKey::MaterialDensity, 3, "Page_constdensity", "常用材料密度"},
        {PageKey::InsulationByNominalDiameter, 5, "Page_GGBW_Old", "保温材料(公称直径)"},
        {PageKey::InsulationByOuterDiameter, 6, "Page_GGBW", "保温材料(管外径)"},
        {PageKey::RoundBar, 11, "Page_circle", "圆钢"},
        {PageKey::FlatBar, 15, "Page_BianG", "扁钢"},
        {PageKey::EqualAngle, 16, "Page_Regular", "等边角钢"},
        {PageKey::UnequalAngle, 17, "Page_NORegular", "不等边角钢"},
        {PageKey::CheckeredPlate, 23, "TabSheet7", "花纹钢板"},
        {PageKey::WeldedPipe, 28, "Page_SeelTube", "焊接钢管"},
        {PageKey::MaterialLedgerAnalysis, 35, "page_snzzfxb1", "工程用料总帐分析表"},
        {PageKey::DuctPlateThicknessMediumLow, 45, "TabSheet8", "矩形风管板厚、定额选择(中低压)"},
        {PageKey::RoundDuctPlateThickness, 48, "TabSheet11", "圆形风管板厚、定额选择"},
        {PageKey::BuriedHeatingPipeTrench, 51, "TabSheet12", "直埋热水管道挖管沟土方、回填砂、土速算表"},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(pages::indexOf(c.key), c.index) << c.objectName;
        EXPECT_EQ(pages::objectName(c.key), QString::fromLatin1(c.objectName));
        EXPECT_EQ(QString::fromUtf8(pages::at(c.key).caption), QString::fromUtf8(c.caption)) << c.objectName;
    }
}
