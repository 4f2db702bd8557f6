#include "sections/weightformulas.h"

namespace mhbk::weights {

Real roundBar(Real d, Real density)
{
    const Real r = d / 2;
    return r * (r * kHandbookPi) * density / kUnitDivisor;
}

Real squareBar(Real a, Real density) { return a * a * density / kUnitDivisor; }

Real rectangleBar(Real a, Real b, Real density) { return a * b * density / kUnitDivisor; }

Real hexagonBar(Real a, Real density) { return a * (a * kHexagonFactor) * density / kUnitDivisor; }

Real flatBar(Real width, Real thickness, Real density) { return width * thickness * density / kUnitDivisor; }

Real plate(Real thickness, Real density) { return density * thickness; }

// No check on the values: a wall of at least the outer diameter gives zero or a negative weight,
// which the pages show as computed.
Real pipe(Real outerDiameter, Real wall, Real density)
{
    return kHandbookPi * wall * (outerDiameter - wall) * density / kUnitDivisor;
}

Real lengthForWeight(Real weight, Real weightPerUnit) { return weight / weightPerUnit; }

double plateArea(Real widthMm, Real lengthMm) { return ((widthMm / 1000) * lengthMm / 1000).toDouble(); }

} // namespace mhbk::weights
