#include "common/errors.h"
#include "sections/checkered.h"
#include "numbers/numtext.h"
#include "sections/sectiontables.h"
#include "sections/weights.h"

#include <gtest/gtest.h>

namespace {

using namespace mhbk;
using weights::Shape;

struct WeightCase {
    Shape shape;
    std::vector<weights::Real> dimensions;
    const char *shown;
};

TEST(Weights, FiguresAsTheCalculatorsShowThem)
{
    const WeightCase cases[] = {
        {Shape::Round, {10}, "0.616539"},
        {Shape::Round, {5.5}, "0.1865030475"},
        {Shape::Square, {10}, "0.785"},
        {Shape::Hexagon, {10}, "0.67981"},
        {Shape::Plate, {10}, "78.5"},
        {Shape::Rectangle, {10, 20}, "1.57"},
        {Shape::Flat, {10, 3}, "0.2355"},
        {Shape::Flat, {100, 51}, "40.035"},
        {Shape::Pipe, {60, 3}, "4.21712676"},
        // No check on the wall: as thick as the diameter gives 0, thicker a negative weight.
        {Shape::Pipe, {3, 3}, "0"},
        {Shape::Pipe, {2, 3}, "-0.07398468"},
        {Shape::Pipe, {60, 0}, "0"},
    };
    for (const WeightCase &c : cases) {
        EXPECT_EQ(floatToStr(weights::weightPerUnit(c.shape, c.dimensions)).toStdString(), c.shown)
            << static_cast<int>(c.shape) << " " << c.dimensions.front().toDouble();
    }
}

// Computed at extended precision from the typed digits: in plain double arithmetic these exact
// decimal results would come out as 0.0643554259286409 and 31.0552222330257.
TEST(Weights, FifteenthDigitAtExtendedPrecision)
{
    const auto real = [](const char *text) { return *parseReal(QString::fromLatin1(text)); };
    EXPECT_EQ(floatToStr(weights::pipe(real("17.899"), real("17.752"))), QStringLiteral("0.06435542592864"));
    EXPECT_EQ(floatToStr(weights::pipe(real("189.42"), real("15.847"))), QStringLiteral("67.8343663761364"));
    EXPECT_EQ(floatToStr(weights::roundBar(real("70.972"))), QStringLiteral("31.0552222330258"));
    EXPECT_EQ(floatToStr(weights::roundBar(real("104.448"))), QStringLiteral("67.2606113601946"));
}

TEST(Weights, LengthWeightIsBasedOnTheShownG)
{
    EXPECT_EQ(floatToStr(weights::lengthWeight(QStringLiteral("0.616539"), QStringLiteral("2"))),
              QStringLiteral("1.233078"));
    // G as shown (15 digits), not the full double: 1/3 shown times 3.
    EXPECT_EQ(floatToStr(weights::lengthWeight(floatToStr(1.0 / 3), QStringLiteral("3"))),
              QStringLiteral("0.999999999999999"));
    EXPECT_EQ(weights::lengthWeight(QStringLiteral("4"), QStringLiteral(".5")), weights::Real(2));
    EXPECT_THROW(weights::lengthWeight(QStringLiteral("4"), QStringLiteral(".")), ConversionError);
    try {
        weights::lengthWeight(QStringLiteral("4"), QStringLiteral("."));
    } catch (const ConversionError &e) {
        EXPECT_EQ(e.message(), QStringLiteral("'.' is not a valid floating point value"));
    }
}

TEST(Weights, FlatBarSizeSeries)
{
    // GB/T 702's widths 10 to 100 and thicknesses 3 to 60: 40×4 is in the grid.
    const std::pair<int, int> widths[] = {{1, 10}, {8, 25}, {12, 35}, {13, 40}, {14, 45}, {18, 65}, {25, 100}};
    for (auto [row, width] : widths)
        EXPECT_EQ(weights::flatBarWidth(row), width) << row;
    const std::pair<int, int> thicknesses[] = {{1, 3}, {8, 10}, {10, 12}, {11, 14}, {20, 36}, {25, 60}};
    for (auto [column, thickness] : thicknesses)
        EXPECT_EQ(weights::flatBarThickness(column), thickness) << column;
}

TEST(Weights, NotesWriteTheFormulasAsPrinted)
{
    // The round bar's factor is per d², shown as a superscript as the standard prints it (the
    // character ² itself is not in GBK, which every text of the program keeps to).
    EXPECT_TRUE(sectionTableNote(QStringLiteral("circle")).contains(QStringLiteral("0.006165d<sup>2</sup>")));
    EXPECT_FALSE(sectionTableNote(QStringLiteral("circle")).contains(QStringLiteral("d2")));
    EXPECT_TRUE(flatBarGridNote().contains(QStringLiteral("GB/T 702")));
}

TEST(Weights, ShapesByName)
{
    ASSERT_TRUE(weights::shapeByName(QStringLiteral("pipe")));
    EXPECT_EQ(weights::shapeByName(QStringLiteral("pipe"))->dimensions, (QStringList{"R", "d"}));
    EXPECT_FALSE(weights::shapeByName(QStringLiteral("Round")));
}

TEST(Checkered, PlateWeightsFromTexts)
{
    auto w = checkered::plateWeights(QStringLiteral("1000"), QStringLiteral("2000"), QStringLiteral("25.6"),
                                     QStringLiteral("24.4"));
    ASSERT_TRUE(w);
    EXPECT_EQ(floatToStr(w->rhombic), QStringLiteral("51.2"));
    EXPECT_EQ(floatToStr(w->lentil), QStringLiteral("48.8"));
    // Empty counts as 0.
    w = checkered::plateWeights(QStringLiteral("1500"), QString(), QStringLiteral("25.6"), QString());
    ASSERT_TRUE(w);
    EXPECT_TRUE(w->rhombic.isZero());
    EXPECT_TRUE(w->lentil.isZero());
    EXPECT_FALSE(checkered::plateWeights(QStringLiteral("15a"), QStringLiteral("2000"), {}, {}));
    EXPECT_FALSE(checkered::plateWeights(QStringLiteral("1000"), QStringLiteral("."), {}, {}));
}

} // namespace
