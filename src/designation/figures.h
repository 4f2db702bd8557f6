#pragma once

#include <QString>

// Cross-section area and outer perimeter from the dimensions (mm), with the formula named.
// The closed forms are those of the section tables' own checks (tools/handbook-build/facts/
// sections/SOURCES.md): the perimeter of the outline with its fillets, the area of that outline.
namespace mhbk::designation::geometry {

struct Figures {
    double area = 0;      // mm²
    double perimeter = 0; // mm: the outer surface per metre is perimeter / 1000 m²/m
    QString formula;      // the formulas, in words a user can check
};

// Hot-rolled or welded (r = 0) H: web t1 between flanges B×t2, four root fillets r.
Figures hSection(double h, double b, double t1, double t2, double r);
// Welded H whose height runs from h1 to h2 and whose flanges differ: averaged over the length.
Figures taperedH(double h1, double h2, double b1, double b2, double t1, double t2top, double t2bottom);
// Cut T: half an H, two root fillets.
Figures tee(double h, double b, double t1, double t2, double r);
// GB/T 706 I-beam (flange slope 1:6, four root fillets r and four toe radii r1).
Figures iBeam(double h, double b, double d, double t, double r, double r1);
// GB/T 706 channel (flange slope 1:10, two of each radius).
Figures channel(double h, double b, double d, double t, double r, double r1);
// GB/T 706 angle, legs B and b, thickness d, root radius r, toe radii d/3.
Figures angle(double legB, double legb, double d, double r);
// Cold-formed square or rectangular hollow section; outer corner radius R, inner R − t.
Figures rectHollow(double h, double b, double t, double outerRadius);
// GB/T 6728's outer corner radius: 2t up to 6 mm, 2.5t up to 10 mm, 3t above.
double hollowCornerRadius(double t);
Figures roundHollow(double d, double t);
// Cold-formed lipped C or Z: A = t(h + 2b + 2c) − k·t², four bends of the inner radius k stands for.
Figures lipped(double h, double b, double c, double t, double k);
// k of an inner bend radius of 2t, for a size the table does not list.
inline constexpr double kLippedTwoT = 8.292;
Figures plateStrip(double t, double w);
Figures roundBar(double d);
Figures squareBar(double a);

} // namespace mhbk::designation::geometry
