#include "sections/weights.h"

#include "common/errors.h"
#include "numbers/numtext.h"

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

int flatBarWidth(int row)
{
    if (row <= 8)
        return 2 * row + 8;
    if (row <= 16)
        return 3 * row + 8;
    return 4 * row + 8;
}

int flatBarThickness(int column)
{
    if (column <= 8)
        return column + 2;
    if (column <= 16)
        return 2 * column - 5;
    return 3 * column - 18;
}

} // namespace mhbk::weights
