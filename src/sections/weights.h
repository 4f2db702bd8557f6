#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace mhbk::weights {

// Every figure uses these exact constants: the handbook's tables were computed with them, and the
// calculators must reproduce the tables to the last digit.
inline constexpr double kSteelDensity = 7.85;
inline constexpr double kPi = 3.1416;
inline constexpr double kHexagonFactor = 0.866;
inline constexpr double kUnitDivisor = 1000;

// Theoretical weight per metre (kg/m; kg/m² for plate) from dimensions in mm. The products are
// formed in the order the handbook uses, so the last digit agrees with the printed tables.
double roundBar(double d);
double squareBar(double a);
double rectangleBar(double a, double b);
double hexagonBar(double acrossFlats);
double flatBar(double width, double thickness);
double plate(double thickness);
double pipe(double outerDiameter, double wall);

// A section the calculators know, with the names of its dimensions in input order.
enum class Shape { Round, Square, Rectangle, Hexagon, Flat, Plate, Pipe };

struct ShapeInfo {
    Shape shape;
    const char *name;       // command-line name
    QStringList dimensions; // dimension letters, in input order
};

const std::vector<ShapeInfo> &shapes();
std::optional<ShapeInfo> shapeByName(const QString &name);

// G of a shape from its dimensions (as many as the shape has, in order).
double weightPerUnit(Shape shape, const std::vector<double> &dimensions);

// M = G × L, where G is taken back from its displayed text, as the pages do: M is based on G as
// shown, to 15 significant digits. Throws ConversionError for a text that is no number.
double lengthWeight(const QString &shownG, const QString &lengthText);

// The flat-bar table: row r (1..23) has width W, column c (1..23) thickness D, in whole mm.
int flatBarWidth(int row);
int flatBarThickness(int column);
inline constexpr int kFlatBarSizes = 23;

// Checkered plate: area a = (w / 1000) × l / 1000 m² from w and l in mm, and the plate weight.
double plateArea(double widthMm, double lengthMm);

} // namespace mhbk::weights
