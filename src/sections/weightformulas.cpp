#include "sections/weightformulas.h"

namespace mhbk::weights {

Real roundBar(Real d)
{
    const Real r = d / 2;
    return r * (r * kHandbookPi) * kSteelDensity / kUnitDivisor;
}

Real squareBar(Real a) { return a * a * kSteelDensity / kUnitDivisor; }

Real rectangleBar(Real a, Real b) { return a * b * kSteelDensity / kUnitDivisor; }

Real hexagonBar(Real a) { return a * (a * kHexagonFactor) * kSteelDensity / kUnitDivisor; }

Real flatBar(Real width, Real thickness) { return width * thickness * kSteelDensity / kUnitDivisor; }

Real plate(Real thickness) { return kSteelDensity * thickness; }

// No check on the values: a wall of at least the outer diameter gives zero or a negative weight,
// which the pages show as computed.
Real pipe(Real outerDiameter, Real wall)
{
    return kHandbookPi * wall * (outerDiameter - wall) * kSteelDensity / kUnitDivisor;
}

double plateArea(Real widthMm, Real lengthMm) { return ((widthMm / 1000) * lengthMm / 1000).toDouble(); }

} // namespace mhbk::weights
