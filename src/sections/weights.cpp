#include "sections/weights.h"

#include "common/errors.h"
#include "numbers/numtext.h"

#include <array>

namespace mhbk::weights {

const std::vector<ShapeInfo> &shapes()
{
    static const std::vector<ShapeInfo> table = {
        {Shape::Round, "round", {QStringLiteral("d")}},
        {Shape::Square, "square", {QStringLiteral("a")}},
        {Shape::Rectangle, "rectangle", {QStringLiteral("a"), QStringLiteral("b")}},
        {Shape::Hexagon, "hexagon", {QStringLiteral("a")}},
        {Shape::Flat, "flat", {QStringLiteral("W"), QStringLiteral("D")}},
        {Shape::Plate, "plate", {QStringLiteral("d")}},
        {Shape::Pipe, "pipe", {QStringLiteral("R"), QStringLiteral("d")}},
    };
    return table;
}

std::optional<ShapeInfo> shapeByName(const QString &name)
{
    for (const ShapeInfo &info : shapes()) {
        if (name == QLatin1String(info.name))
            return info;
    }
    return std::nullopt;
}

Real weightPerUnit(Shape shape, const std::vector<Real> &v, Real density)
{
    switch (shape) {
    case Shape::Round: return roundBar(v.at(0), density);
    case Shape::Square: return squareBar(v.at(0), density);
    case Shape::Rectangle: return rectangleBar(v.at(0), v.at(1), density);
    case Shape::Hexagon: return hexagonBar(v.at(0), density);
    case Shape::Flat: return flatBar(v.at(0), v.at(1), density);
    case Shape::Plate: return plate(v.at(0), density);
    case Shape::Pipe: return pipe(v.at(0), v.at(1), density);
    }
    throw AppError(QStringLiteral("unknown shape"));
}

Real lengthWeight(const QString &shownG, const QString &lengthText)
{
    const Real g = strToReal(shownG);
    return g * strToReal(lengthText);
}

std::optional<Real> lengthFromWeight(const QString &shownG, const QString &weightText)
{
    const Real g = strToReal(shownG);
    const Real m = strToReal(weightText);
    if (!(g > Real(0)))
        return std::nullopt;
    return lengthForWeight(m, g);
}

namespace {

// GB/T 702 flat bar: the width series from 10 to 100 mm and the thickness series from 3 to
// 60 mm, as the handbook's 矩形钢 table lists them (handbook/tables/Rectangle.csv). 40 mm is
// among the commonest widths; a grid that skips it is no use to an estimator.
constexpr std::array<int, kFlatBarSizes> kWidths{10, 12, 14, 16, 18, 20, 22, 25, 28, 30, 32, 35, 40,
                                                 45, 50, 55, 60, 65, 70, 75, 80, 85, 90, 95, 100};
constexpr std::array<int, kFlatBarSizes> kThicknesses{3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 14, 16, 18,
                                                      20, 22, 25, 28, 30, 32, 36, 40, 45, 50, 56, 60};

} // namespace

int flatBarWidth(int row) { return kWidths.at(static_cast<std::size_t>(row - 1)); }

int flatBarThickness(int column) { return kThicknesses.at(static_cast<std::size_t>(column - 1)); }

} // namespace mhbk::weights
