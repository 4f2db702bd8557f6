#include "designation/calculator.h"

#include "sections/weightformulas.h"

#include "designation/figures.h"
#include "designation/rowlookup.h"

#include <cmath>

namespace mhbk::designation {

namespace {

using geometry::Figures;

// Surface lines of every answer: all faces, and without the top face of width `top` (mm).
void setSurface(Answer &a, double surface, double top)
{
    a.surface = surface;
    a.surfaceWithoutTop = std::max(0.0, surface - top / 1000);
    a.surfaceText = fixedText(a.surface, 4);
    a.surfaceWithoutTopText = fixedText(a.surfaceWithoutTop, 4);
}

void setFromGeometry(Answer &a, const Figures &f, double density, double top)
{
    a.area = f.area / 100;
    a.weight = f.area * density / 1000;
    a.weightUnit = QStringLiteral("kg/m");
    a.weightText = fixedText(a.weight, 3);
    a.areaText = fixedText(a.area, 3);
    setSurface(a, f.perimeter / 1000, top);
    a.fromTable = false;
    a.source = QStringLiteral("按几何计算：%1；重量 = A × 密度").arg(f.formula);
}

// The width of the face a slab covers: the top flange, the top of a tube, the upper leg.
double topWidth(const Reading &r)
{
    switch (r.kind) {
    case Kind::TaperedH: return r.dims[2];
    case Kind::EqualAngle: return r.dims[0];
    case Kind::UnequalAngle: return r.dims[0];
    case Kind::RectHollow: return r.dims[1];
    case Kind::RoundHollow:
    case Kind::RoundBar: return 0;
    case Kind::Plate:
    case Kind::Flat: return r.dims.size() > 1 ? r.dims[1] : 0;
    case Kind::CPurlin:
    case Kind::ZPurlin: return r.dims[1];
    case Kind::SquareBar: return r.dims[0];
    default: return r.dims.size() > 1 ? r.dims[1] : 0;
    }
}

// A plate given by its thickness only: weight per m^2, both faces per m^2.
void plateByArea(Answer &a, double density)
{
    const double t = a.reading.dims[0];
    a.weightUnit = QStringLiteral("kg/m2");
    a.weight = t * density;
    a.weightText = fixedText(a.weight, 3);
    a.area = 0;
    a.areaText = QStringLiteral("—");
    a.surface = 2;
    a.surfaceWithoutTop = 1;
    a.surfaceText = QStringLiteral("2");
    a.surfaceWithoutTopText = QStringLiteral("1");
    a.notes << QStringLiteral("未写宽度：按每平方米计，外表面积为两面（不含侧边），长度按面积（m2）计");
    a.source = QStringLiteral("按几何计算：每平方米重 = 厚 t × 密度");
}

Figures geometryOf(const Reading &r)
{
    const auto &d = r.dims;
    switch (r.kind) {
    case Kind::WeldedH: return geometry::hSection(d[0], d[1], d[2], d[3], 0);
    case Kind::TaperedH: return geometry::taperedH(d[0], d[1], d[2], d[3], d[4], d[5], d[6]);
    case Kind::WeldedTee: return geometry::tee(d[0], d[1], d[2], d[3], 0);
    case Kind::RectHollow: return geometry::rectHollow(d[0], d[1], d[2], geometry::hollowCornerRadius(d[2]));
    case Kind::RoundHollow: return geometry::roundHollow(d[0], d[1]);
    case Kind::Plate:
    case Kind::Flat: return geometry::plateStrip(d[0], d[1]);
    case Kind::CPurlin:
    case Kind::ZPurlin: return geometry::lipped(d[0], d[1], d[2], d[3], geometry::kLippedTwoT);
    case Kind::RoundBar: return geometry::roundBar(d[0]);
    case Kind::SquareBar: return geometry::squareBar(d[0]);
    default: return {};
    }
}

// Kinds whose figures come only from a table: without a row there is nothing sound to give.
bool tableOnly(Kind kind)
{
    switch (kind) {
    case Kind::HBeam:
    case Kind::HKBeam:
    case Kind::CutTee:
    case Kind::IBeam:
    case Kind::Channel:
    case Kind::EqualAngle:
    case Kind::UnequalAngle: return true;
    default: return false;
    }
}

// A rolled H or T not in the table is weighed as the welded section of the same four numbers.
void fallBackToWelded(Reading &r, QStringList &notes)
{
    if (r.kind == Kind::HBeam || r.kind == Kind::CutTee) {
        notes << QStringLiteral("GB/T 11263 表中没有此尺寸，按焊接截面（无圆角）计算");
        r.kind = r.kind == Kind::HBeam ? Kind::WeldedH : Kind::WeldedTee;
    }
}

// Bars, round tubes and plates weigh as the bar, pipe and plate pages weigh them (the handbook's
// formulas, with its π of 3.1416), so that a designation and its page give the same figure.
std::optional<double> handbookWeight(const Reading &r, double density)
{
    using weights::Real;
    const Real rho = density == kSteelDensity ? weights::kSteelDensity : Real(density);
    const std::vector<double> &d = r.dims;
    switch (r.kind) {
    case Kind::RoundBar: return weights::roundBar(Real(d[0]), rho).toDouble();
    case Kind::SquareBar: return weights::squareBar(Real(d[0]), rho).toDouble();
    case Kind::RoundHollow: return weights::pipe(Real(d[0]), Real(d[1]), rho).toDouble();
    case Kind::Plate:
    case Kind::Flat: return weights::flatBar(Real(d[0]), Real(d[1]), rho).toDouble();
    default: return std::nullopt;
    }
}

} // namespace

QString fixedText(double value, int decimals)
{
    return QString::number(value, 'f', decimals);
}

AnswerResult answerFor(const QString &text, const SectionRows &rows, double density)
{
    AnswerResult result;
    const ReadResult read = readDesignation(text);
    if (!read.reading) {
        result.error = read.error;
        return result;
    }
    Answer a;
    a.reading = *read.reading;
    if (a.reading.kind == Kind::Plate && a.reading.dims.size() == 1) {
        plateByArea(a, density);
    } else {
        const RowMatch match = findRow(a.reading, rows);
        if (!match.error.isEmpty()) {
            result.error = match.error;
            return result;
        }
        a.notes << match.notes;
        if (match.row) {
            applyRow(a, *match.row, match.table, density);
        } else {
            if (a.reading.kind == Kind::HBeam && !a.reading.nominal)
                fallBackToWelded(a.reading, a.notes);
            else if (a.reading.kind == Kind::CutTee && !a.reading.nominal)
                fallBackToWelded(a.reading, a.notes);
            if (tableOnly(a.reading.kind)) {
                result.error = QStringLiteral("“%1”读作%2（%3），但%4中没有这一规格，无法计重")
                                   .arg(text.left(40), kindName(a.reading.kind), dimensionsInWords(a.reading),
                                        tableStandard(tableOf(a.reading.kind)));
                return result;
            }
            setFromGeometry(a, geometryOf(a.reading), density, topWidth(a.reading));
            if (const auto weight = handbookWeight(a.reading, density)) {
                a.weight = *weight;
                a.weightText = fixedText(a.weight, 3);
            }
        }
    }
    if (density != kSteelDensity)
        a.notes << (a.fromTable ? QStringLiteral("重量按密度 %1 g/cm3 计（表中重量按钢 7.85 换算）").arg(density)
                                : QStringLiteral("重量按密度 %1 g/cm3 计").arg(density));
    a.readAs = QStringLiteral("%1：%2").arg(kindName(a.reading.kind), dimensionsInWords(a.reading));
    result.answer = a;
    return result;
}

Totals totalsFor(const Answer &answer, double length, int count)
{
    Totals t;
    t.length = length * count * answer.reading.count;
    t.weight = answer.weight * t.length;
    t.surface = answer.surface * t.length;
    return t;
}

} // namespace mhbk::designation
