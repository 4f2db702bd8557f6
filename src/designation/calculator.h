#pragma once

#include "designation/reading.h"
#include "designation/sectionrows.h"

#include <QString>
#include <QStringList>
#include <optional>

// What a designation weighs and how much surface it has to coat: from the standard's table row
// where the size is listed, else from its geometry, and always saying which.
namespace mhbk::designation {

// Steel's density (g/cm³), which every table's printed weight assumes.
inline constexpr double kSteelDensity = 7.85;

struct Answer {
    Reading reading;
    QString readAs;        // the kind and every dimension in words, the row taken included
    QString weightUnit;    // "kg/m", or "kg/m2" for a plate given by its thickness alone
    double weight = 0;     // per unit, in the chosen material
    double area = 0;       // cm²; for a plate by thickness alone, 0
    double surface = 0;    // m² per metre (per m² of plate): every face
    double surfaceWithoutTop = 0; // the same without the top face (a beam under a slab)
    QString weightText, areaText, surfaceText, surfaceWithoutTopText;
    bool fromTable = false;
    QString table;         // the table and its row, when fromTable
    int row = 0;
    QString source;        // the standard, edition and row; or the formula
    QString check;         // the row's check where it did not pass ("不符 …"); empty otherwise
    QStringList notes;     // what was assumed (the base size of a group, a density other than steel)
};

struct AnswerResult {
    std::optional<Answer> answer;
    QString error; // Chinese, as readDesignation says it, or why no row and no geometry fits
};

// The figures of a designation for a material of the given density (g/cm³).
AnswerResult answerFor(const QString &text, const SectionRows &rows, double density = kSteelDensity);

struct Totals {
    double length = 0;  // m: length × count × pieces per member (for plate by thickness: m²)
    double weight = 0;  // kg
    double surface = 0; // m²
};
Totals totalsFor(const Answer &answer, double length, int count);

// A figure as the answer shows it: `decimals` places, trailing zeros kept.
QString fixedText(double value, int decimals);

} // namespace mhbk::designation
