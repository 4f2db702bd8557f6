#pragma once

#include "sections/weightformulas.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace mhbk::weights {

// A section the calculators know, with the names of its dimensions in input order.
enum class Shape { Round, Square, Rectangle, Hexagon, Flat, Plate, Pipe };

struct ShapeInfo {
    Shape shape;
    const char *name;       // command-line name
    QStringList dimensions; // dimension letters, in input order
};

const std::vector<ShapeInfo> &shapes();
std::optional<ShapeInfo> shapeByName(const QString &name);

// G of a shape from its dimensions (as many as the shape has, in order), at a density in g/cm³.
Real weightPerUnit(Shape shape, const std::vector<Real> &dimensions, Real density = kSteelDensity);

// M = G × L, where G is taken back from its displayed text, as the pages do: M is based on G as
// shown, to 15 significant digits. Throws ConversionError for a text that is no number.
Real lengthWeight(const QString &shownG, const QString &lengthText);

// L = M / G, the length (or plate area) a total weight M takes, with G taken back from its
// displayed text as lengthWeight does, so that L × G shown gives M again. Nothing when G is not
// above zero (a pipe whose wall is as thick as its diameter). Throws ConversionError for a text
// that is no number.
std::optional<Real> lengthFromWeight(const QString &shownG, const QString &weightText);
inline const QString kNoLengthForWeight = QStringLiteral("理论重量G不大于0，不能由重量求长度");

// The flat-bar table: row r (1..25) has width W, column c (1..25) thickness D, in whole mm,
// from GB/T 702's series.
inline constexpr int kFlatBarSizes = 25;
int flatBarWidth(int row);
int flatBarThickness(int column);


} // namespace mhbk::weights
