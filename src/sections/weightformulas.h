#pragma once

#include "numbers/extended.h"

// The weight formulas alone, on nothing but the number core, so that they are built and checked
// on every processor the program is packaged for.
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

// Theoretical weight per metre (kg/m; kg/m² for plate) from dimensions in mm and a density in
// g/cm³. The products are formed in the order the handbook uses, so the last digit agrees with
// the printed tables; another density takes steel's place in the same product, so steel's
// figures stay bit for bit what they are without a density.
Real roundBar(Real d, Real density = kSteelDensity);
Real squareBar(Real a, Real density = kSteelDensity);
Real rectangleBar(Real a, Real b, Real density = kSteelDensity);
Real hexagonBar(Real acrossFlats, Real density = kSteelDensity);
Real flatBar(Real width, Real thickness, Real density = kSteelDensity);
Real plate(Real thickness, Real density = kSteelDensity);
Real pipe(Real outerDiameter, Real wall, Real density = kSteelDensity);

// The reverse of M = G × L: the length (m; the area in m² for plate) that weighs `weight` kg at
// `weightPerUnit` kg/m. The caller rules out a G that is not above zero.
Real lengthForWeight(Real weight, Real weightPerUnit);

// Checkered plate: area a = (w / 1000) × l / 1000 m² from w and l in mm, held as a 64-bit double
// as the handbook's calculator holds it.
double plateArea(Real widthMm, Real lengthMm);

} // namespace mhbk::weights
