#include "designation/figures.h"

#include <cmath>
#include <numbers>

namespace mhbk::designation::geometry {

namespace {

constexpr double kPi = std::numbers::pi;
// A fillet of radius r in a corner that turns by phi adds (or a rounded toe removes) r^2·filletFactor(phi).
double filletFactor(double phi)
{
    return std::tan(phi / 2) - phi / 2;
}

// The flanges of a rolled I-beam or channel slope by s; root and toe corners then turn by θ.
struct Slope {
    double s;
    double theta;
};
Slope slope(double s)
{
    return {s, kPi / 2 - std::atan(s)};
}

Figures sloped(double h, double b, double d, double t, double r, double r1, double s, int cornersOfEach, const QString &name)
{
    const Slope sl = slope(s);
    Figures f;
    f.area = h * d + 2 * t * (b - d) + cornersOfEach * (r * r - r1 * r1) * filletFactor(sl.theta);
    f.perimeter = 2 * h + 2 * b + 2 * (b - d) * (std::sqrt(1 + s * s) - s)
        - cornersOfEach * (r + r1) * (2 * std::tan(sl.theta / 2) - sl.theta);
    f.formula = QStringLiteral("%1：A = h·d + 2t(b-d) + 圆角修正（斜度 %2）；外表面 = 截面外轮廓周长（含圆角）")
                    .arg(name, s > 0.15 ? QStringLiteral("1:6") : QStringLiteral("1:10"));
    return f;
}

} // namespace

Figures hSection(double h, double b, double t1, double t2, double r)
{
    Figures f;
    f.area = t1 * (h - 2 * t2) + 2 * b * t2 + 0.858 * r * r;
    f.perimeter = 2 * h + 4 * b - 2 * t1 - 2 * (4 - kPi) * r;
    f.formula = r > 0 ? QStringLiteral("A = t1(H-2t2) + 2B·t2 + 0.858r^2；外表面 = 2H + 4B - 2t1 - 2(4-π)r")
                      : QStringLiteral("A = t1(H-2t2) + 2B·t2（焊接，无圆角）；外表面 = 2H + 4B - 2t1");
    return f;
}

Figures taperedH(double h1, double h2, double b1, double b2, double t1, double t2top, double t2bottom)
{
    const double h = (h1 + h2) / 2;
    Figures f;
    f.area = t1 * (h - t2top - t2bottom) + b1 * t2top + b2 * t2bottom;
    f.perimeter = 2 * h + 2 * b1 + 2 * b2 - 2 * t1;
    f.formula = QStringLiteral("按平均高 H=(H1+H2)/2 计（沿长度平均）：A = t1(H-t2-t3) + B1·t2 + B2·t3；"
                               "外表面 = 2H + 2B1 + 2B2 - 2t1（焊接，无圆角）");
    return f;
}

Figures tee(double h, double b, double t1, double t2, double r)
{
    Figures f;
    f.area = t1 * (h - t2) + b * t2 + 0.429 * r * r;
    f.perimeter = 2 * h + 2 * b - (4 - kPi) * r;
    f.formula = r > 0 ? QStringLiteral("A = t1(h-t2) + B·t2 + 0.429r^2；外表面 = 2h + 2B - (4-π)r")
                      : QStringLiteral("A = t1(h-t2) + B·t2（焊接，无圆角）；外表面 = 2h + 2B");
    return f;
}

Figures iBeam(double h, double b, double d, double t, double r, double r1)
{
    return sloped(h, b, d, t, r, r1, 1.0 / 6, 4, QStringLiteral("工字钢"));
}

Figures channel(double h, double b, double d, double t, double r, double r1)
{
    return sloped(h, b, d, t, r, r1, 1.0 / 10, 2, QStringLiteral("槽钢"));
}

Figures angle(double legB, double legb, double d, double r)
{
    const double r1 = d / 3;
    Figures f;
    f.area = d * (legB + legb - d) + (r * r - 2 * r1 * r1) * (1 - kPi / 4);
    f.perimeter = 2 * (legB + legb) - (2 - kPi / 2) * (r + 2 * r1);
    f.formula = QStringLiteral("A = d(B+b-d) + 0.2146(r^2 - 2r1^2)，r1 = d/3；外表面 = 2(B+b) - (2-π/2)(r+2r1)");
    return f;
}

double hollowCornerRadius(double t)
{
    return t <= 6 ? 2 * t : (t <= 10 ? 2.5 * t : 3 * t);
}

Figures rectHollow(double h, double b, double t, double outerRadius)
{
    const double inner = outerRadius - t;
    Figures f;
    f.area = 2 * t * (h + b - 2 * t) - (4 - kPi) * (outerRadius * outerRadius - inner * inner);
    f.perimeter = 2 * (h + b) - 2 * (4 - kPi) * outerRadius;
    f.formula = QStringLiteral("A = 2t(H+B-2t) - (4-π)(R^2-r^2)，外圆角 R=%1 mm，内圆角 r=R-t；外表面 = 2(H+B) - 2(4-π)R")
                    .arg(outerRadius);
    return f;
}

Figures roundHollow(double d, double t)
{
    Figures f;
    f.area = kPi * (d - t) * t;
    f.perimeter = kPi * d;
    f.formula = QStringLiteral("A = π(D-t)t；外表面 = πD（只计外壁）");
    return f;
}

Figures lipped(double h, double b, double c, double t, double k)
{
    const double bend = 2 - kPi / 2;
    const double innerRadius = ((k - 4) / (4 * bend) - 0.5) * t;
    Figures f;
    f.area = t * (h + 2 * b + 2 * c) - k * t * t;
    f.perimeter = 2 * (h + 2 * b + 2 * c) - 6 * t - 4 * bend * (2 * innerRadius + t);
    f.formula = QStringLiteral("A = t(h+2b+2c) - %1t^2（四处弯角，内弯半径 %2t）；外表面 = 内外两面展开长 + 两卷边端")
                    .arg(k)
                    .arg(innerRadius / t, 0, 'f', 3);
    return f;
}

Figures plateStrip(double t, double w)
{
    Figures f;
    f.area = t * w;
    f.perimeter = 2 * (t + w);
    f.formula = QStringLiteral("A = t·b；外表面 = 2(b+t)（两面和两侧边）");
    return f;
}

Figures roundBar(double d)
{
    Figures f;
    f.area = kPi * d * d / 4;
    f.perimeter = kPi * d;
    f.formula = QStringLiteral("A = πd^2/4；外表面 = πd");
    return f;
}

Figures squareBar(double a)
{
    Figures f;
    f.area = a * a;
    f.perimeter = 4 * a;
    f.formula = QStringLiteral("A = a^2；外表面 = 4a");
    return f;
}

} // namespace mhbk::designation::geometry
