#include "common/errors.h"
#include "numbers/numtext.h"
#include "sections/materials.h"
#include "sections/weights.h"

#include <gtest/gtest.h>

namespace {

using namespace mhbk;
using weights::Real;
using weights::Shape;

Real real(const char *text) { return *parseReal(QString::fromUtf8(text)); }

// Steel weighed through the density parameter is bit for bit the figure without one, for a
// spread of sizes of every shape: the pages' figures do not move when the choice is steel.
TEST(MaterialWeights, SteelIsTodaysFigureExactly)
{
    const std::pair<Shape, std::vector<const char *>> cases[] = {
        {Shape::Round, {"10"}},          {Shape::Round, {"5.5"}},         {Shape::Round, {"70.972"}},
        {Shape::Round, {"104.448"}},     {Shape::Square, {"10"}},         {Shape::Square, {"33.3"}},
        {Shape::Rectangle, {"10", "20"}}, {Shape::Rectangle, {"7.7", "0.3"}}, {Shape::Hexagon, {"10"}},
        {Shape::Hexagon, {"41.25"}},     {Shape::Flat, {"100", "51"}},    {Shape::Flat, {"12.5", "3"}},
        {Shape::Plate, {"10"}},          {Shape::Plate, {"0.35"}},        {Shape::Pipe, {"60", "3"}},
        {Shape::Pipe, {"17.899", "17.752"}}, {Shape::Pipe, {"189.42", "15.847"}}, {Shape::Pipe, {"2", "3"}},
    };
    const Real typedSteel = real("7.85");
    EXPECT_EQ(typedSteel, weights::kSteelDensity);
    EXPECT_EQ(weights::steel().density, weights::kSteelDensity);
    for (const auto &[shape, texts] : cases) {
        std::vector<Real> dims;
        for (const char *t : texts)
            dims.push_back(real(t));
        const QString today = floatToStr(weights::weightPerUnit(shape, dims));
        EXPECT_EQ(floatToStr(weights::weightPerUnit(shape, dims, weights::steel().density)), today) << texts.front();
        EXPECT_EQ(floatToStr(weights::weightPerUnit(shape, dims, typedSteel)), today) << texts.front();
    }
}

TEST(MaterialWeights, OtherDensitiesTakeSteelsPlace)
{
    struct Case {
        Shape shape;
        std::vector<const char *> dims;
        const char *density;
        const char *shown;
    };
    const Case cases[] = {
        {Shape::Round, {"10"}, "8.9", "0.699006"},   // 0.616539 × 8.9 / 7.85
        {Shape::Square, {"10"}, "2.7", "0.27"},
        {Shape::Plate, {"10"}, "8.5", "85"},
        {Shape::Flat, {"100", "51"}, "7.7", "39.27"},
        {Shape::Pipe, {"60", "3"}, "8.9", "4.78120104"},
        {Shape::Hexagon, {"10"}, "1", "0.0866"},
    };
    for (const Case &c : cases) {
        std::vector<Real> dims;
        for (const char *t : c.dims)
            dims.push_back(real(t));
        EXPECT_EQ(floatToStr(weights::weightPerUnit(c.shape, dims, real(c.density))).toStdString(), c.shown)
            << c.dims.front() << " at " << c.density;
    }
}

TEST(MaterialWeights, DensityTexts)
{
    const std::pair<const char *, const char *> cases[] = {
        {"8.9", "8.9"}, {" 7.85 ", "7.85"}, {"6.6~7.4", "7"}, {"7.4~7.7", "7.55"}, {"1.0", "1"},
        {"", nullptr}, {"abc", nullptr}, {"0", nullptr}, {"-1", nullptr}, {"1~", nullptr},
        {"~2", nullptr}, {"1~2~3", nullptr}, {"7.2～7.4", "7.3"}, {"6.6〜7.4", "7"}, {"1～", nullptr},
    };
    for (const auto &[text, shown] : cases) {
        const auto density = weights::parseDensity(QString::fromUtf8(text));
        if (!shown) {
            EXPECT_FALSE(density) << text;
            continue;
        }
        ASSERT_TRUE(density) << text;
        EXPECT_EQ(floatToStr(*density).toStdString(), shown) << text;
    }
}

TEST(MaterialWeights, MaterialsFromTableRowsAndFindingThemByName)
{
    const auto materials = weights::materialsFrom({
        {QStringLiteral("灰口铸铁"), QStringLiteral("6.6~7.4")},
        {QStringLiteral("纯铜材(紫铜)"), QStringLiteral("8.9")},
        {QStringLiteral("59、62、65、68黄铜"), QStringLiteral("8.5")},
        {QStringLiteral("80、85、90黄铜"), QStringLiteral("8.7")},
        {QStringLiteral("坏行"), QStringLiteral("很重")},
        {QStringLiteral(""), QStringLiteral("1")},
        {QStringLiteral("纯铝"), QStringLiteral("2.7")},
    });
    ASSERT_EQ(materials.size(), 6U);
    EXPECT_EQ(materials.front().name, QStringLiteral("钢"));

    const std::pair<const char *, const char *> lookups[] = {
        {"纯铝", "纯铝"}, {"80、85、90黄铜", "80、85、90黄铜"}, {"紫铜", "纯铜材(紫铜)"}, {"钢", "钢"},
        {" 铸铁 ", "灰口铸铁"}, {"铝", "纯铝"}, {"钛", nullptr}, {"", nullptr}, {"坏行", nullptr},
    };
    for (const auto &[query, name] : lookups) {
        const auto found = weights::findMaterial(materials, QString::fromUtf8(query));
        EXPECT_TRUE(found.candidates.isEmpty()) << query;
        if (!name) {
            EXPECT_FALSE(found.material) << query;
            continue;
        }
        ASSERT_TRUE(found.material) << query;
        EXPECT_EQ(found.material->name, QString::fromUtf8(name)) << query;
    }
    // Two brasses contain "黄铜": neither is taken, both are offered.
    const auto brass = weights::findMaterial(materials, QStringLiteral("黄铜"));
    EXPECT_FALSE(brass.material);
    EXPECT_EQ(brass.candidates, (QStringList{QStringLiteral("59、62、65、68黄铜"), QStringLiteral("80、85、90黄铜")}));
    EXPECT_EQ(weights::densityCaption(materials.at(2)), QStringLiteral("8.9 g/cm3"));
    EXPECT_EQ(weights::densityCaption(materials.at(1)), QStringLiteral("7 g/cm3（6.6~7.4 取中值）"));
}

// The shipped density table's names: a plain name finds the pure material or the element, not
// the first alloy that contains it.
TEST(MaterialWeights, PlainNamesFindThePureMaterial)
{
    std::vector<std::pair<QString, QString>> rows;
    for (const char *name : {"铬镍钨钢", "铬钼铝钢", "含钨9高速工具钢", "高强度合金钢", "59-1、63-3铅黄铜", "90-1锡黄铜",
                             "镍黄铜、锰黄铜、硅黄铜、铁黄铜", "纯铝", "防锈铝 LF21", "超硬铝", "工业纯镁",
                             "纯镍、阳极镍、电真空镍", "铅和铅锑合金", "铅阳极板", "锡(参考值)", "金(参考值)",
                             "钨(参考值)", "钼(参考值)", "汞(水银)(参考值)", "水(4℃)(参考值)", "不锈钢 Cr14、Cr17",
                             "不锈钢 0Cr18Ni9、1Cr18Ni9"})
        rows.emplace_back(QString::fromUtf8(name), QStringLiteral("1"));
    const auto materials = weights::materialsFrom(rows);
    const std::pair<const char *, const char *> lookups[] = {
        {"铝", "纯铝"}, {"金", "金(参考值)"}, {"水", "水(4℃)(参考值)"}, {"钨", "钨(参考值)"},
        {"钼", "钼(参考值)"}, {"铅", "铅和铅锑合金"}, {"锡", "锡(参考值)"}, {"镍", "纯镍、阳极镍、电真空镍"},
        {"镁", "工业纯镁"}, {"阳极镍", "纯镍、阳极镍、电真空镍"}, {"水银", "汞(水银)(参考值)"},
        {"超硬铝", "超硬铝"}, {"防锈铝", "防锈铝 LF21"},
    };
    for (const auto &[query, name] : lookups) {
        const auto found = weights::findMaterial(materials, QString::fromUtf8(query));
        ASSERT_TRUE(found.material) << query << ": " << found.candidates.join(' ').toStdString();
        EXPECT_EQ(found.material->name, QString::fromUtf8(name)) << query;
    }
    const std::pair<const char *, int> ambiguous[] = {{"不锈钢", 2}, {"黄铜", 3}, {"铅黄铜", 1}};
    for (const auto &[query, count] : ambiguous) {
        const auto found = weights::findMaterial(materials, QString::fromUtf8(query));
        EXPECT_EQ(found.material.has_value(), count == 1) << query;
        EXPECT_EQ(found.candidates.size(), count == 1 ? 0 : count) << query;
    }
}

// From a weight back to the length: M computed from a length, as shown, gives the length back.
TEST(ReverseWeights, RoundTripsThroughTheShownFigures)
{
    struct Case {
        Shape shape;
        std::vector<const char *> dims;
        const char *length;
        const char *density;
    };
    const Case cases[] = {
        {Shape::Round, {"10"}, "6", "7.85"},         {Shape::Round, {"5.5"}, "12.5", "7.85"},
        {Shape::Round, {"70.972"}, "3.7", "8.9"},    {Shape::Square, {"10"}, "1", "7.85"},
        {Shape::Rectangle, {"10", "20"}, "0.5", "2.7"}, {Shape::Hexagon, {"24"}, "9", "8.5"},
        {Shape::Flat, {"100", "51"}, "6", "7.85"},  {Shape::Plate, {"10"}, "2.4", "7.85"},
        {Shape::Plate, {"3"}, "18", "2.7"},         {Shape::Pipe, {"60", "3"}, "6", "7.85"},
        {Shape::Pipe, {"189.42", "15.847"}, "11.3", "7.85"}, {Shape::Pipe, {"17.899", "17.752"}, "2", "7.93"},
    };
    for (const Case &c : cases) {
        std::vector<Real> dims;
        for (const char *t : c.dims)
            dims.push_back(real(t));
        const QString g = floatToStr(weights::weightPerUnit(c.shape, dims, real(c.density)));
        const QString m = floatToStr(weights::lengthWeight(g, QString::fromLatin1(c.length)));
        const auto length = weights::lengthFromWeight(g, m);
        ASSERT_TRUE(length) << c.dims.front();
        EXPECT_EQ(floatToStr(*length).toStdString(), c.length) << c.dims.front() << " G=" << g.toStdString()
                                                               << " M=" << m.toStdString();
    }
}

TEST(ReverseWeights, LengthFromTypedWeights)
{
    const std::tuple<const char *, const char *, const char *> cases[] = {
        {"0.616539", "100", "162.195741064231"}, {"78.5", "157", "2"}, {"4", "1", "0.25"}, {"4", "0", "0"},
        {"0.785", "-7.85", "-10"},
    };
    for (const auto &[g, m, l] : cases) {
        const auto length = weights::lengthFromWeight(QString::fromLatin1(g), QString::fromLatin1(m));
        ASSERT_TRUE(length) << g;
        EXPECT_EQ(floatToStr(*length).toStdString(), l) << g << " " << m;
    }
    // No length for a G that is not above zero, and no number is the usual conversion error.
    EXPECT_FALSE(weights::lengthFromWeight(QStringLiteral("0"), QStringLiteral("10")));
    EXPECT_FALSE(weights::lengthFromWeight(QStringLiteral("-0.07398468"), QStringLiteral("10")));
    EXPECT_THROW(weights::lengthFromWeight(QStringLiteral("4"), QStringLiteral(".")), ConversionError);
}

} // namespace
