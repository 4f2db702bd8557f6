#pragma once

#include "numbers/extended.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace mhbk::weights {

// The calculators compute in a 64-bit-significand binary format (numbers::Extended), so that
// the 15th digit of a result agrees with the handbook's own calculator on every processor.
using Real = numbers::Extended;

// Every figure uses these exact constants: the handbook's tables were computed with them, and the
// calculators must reproduce the tables to the last digit.
// (A quotient of integers is the correctly rounded decimal, as a typed "7.85" would be.)
inline const Real kSteelDensity = Real(785) / Real(100);
// π to four decimals, as the handbook's section tables and its pipe formula (F = 3.1416×S×(D-S))
// use it; a truer π would change the last digit of the tables' weights. Drawing uses std::numbers::pi.
inline const Real kHandbookPi = Real(31416) / Real(10000);
inline const Real kHexagonFactor = Real(866) / Real(1000);
inline const Real kUnitDivisor = Real(1000);

// Theoretical weight per metre (kg/m; kg/m² for plate) from dimensions in mm. The products are
// formed in the order the handbook uses, so the last digit agrees with the printed tables.
Real roundBar(Real d);
Real squareBar(Real a);
Real rectangleBar(Real a, Real b);
Real hexagonBar(Real acrossFlats);
Real flatBar(Real width, Real thickness);
Real plate(Real thickness);
Real pipe(Real outerDiameter, Real wall);

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
Real weightPerUnit(Shape shape, const std::vector<Real> &dimensions);

// M = G × L, where G is taken back from its displayed text, as the pages do: M is based on G as
// shown, to 15 significant digits. Throws ConversionError for a text that is no number.
Real lengthWeight(const QString &shownG, const QString &lengthText);

// The flat-bar table: row r (1..23) has width W, column c (1..23) thickness D, in whole mm.
int flatBarWidth(int row);
int flatBarThickness(int column);
inline constexpr int kFlatBarSizes = 23;

// Checkered plate: area a = (w / 1000) × l / 1000 m² from w and l in mm, held as a 64-bit double
// as the handbook's calculator holds it.
double plateArea(Real widthMm, Real lengthMm);

} // namespace mhbk::weights
