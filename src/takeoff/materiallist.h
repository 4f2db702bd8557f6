#pragma once

// A material list pasted from a spreadsheet or a drawing, or read from a CSV file, turned into
// takeoff lines: each row's designation weighed and its coating surface taken through the
// designation calculator. Rows that cannot be read become lines with a problem, kept to be
// mended and left out of the totals. Plain Qt Core.

#include "designation/sectionrows.h"
#include "takeoff/takeofflist.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace mhbk::takeoff {

// Columns: designation, length, count, remark. Tab-separated where a row has a tab, else
// comma-separated (with "quoted" fields). Blank rows are skipped, and so is a first row that
// reads as captions (no number in the length and count columns).
struct MaterialRow {
    int number = 0;      // row of the pasted text or file, from 1
    QStringList fields;  // the row's fields, trimmed
};

struct SplitRows {
    std::vector<MaterialRow> rows;
    bool lengthInMillimetres = false; // the captions said "mm"
    bool lengthInMetres = false;      // the captions said "m"
};

SplitRows splitMaterialRows(const QString &text);

struct ImportOptions {
    double density = 7.85; // g/cm³ of the material
    QString material;      // its name for the 材质 column; may be empty
};

// Lengths are metres, or millimetres where the captions say "mm"; without captions a length over
// 100 is taken as millimetres (no member is 100 m long, and drawings give lengths in mm).
List linesFromRows(const SplitRows &rows, const designation::SectionRows &tables, const ImportOptions &options = {});

inline List importMaterialList(const QString &text, const designation::SectionRows &tables,
                               const ImportOptions &options = {})
{
    return linesFromRows(splitMaterialRows(text), tables, options);
}

// Longest field kept in a line with a problem: a pasted binary block or a 100,000-character
// line is shown cut, not carried whole into the list and its file.
inline constexpr int kMaxKeptText = 80;

} // namespace mhbk::takeoff
