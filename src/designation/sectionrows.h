#pragma once

#include <QHash>
#include <QString>
#include <vector>

namespace mhbk::designation {

// One row of a section table: its position in the table (from 1, the caption record not counted)
// and its fields by name, as texts with the digits the table prints.
struct TableRow {
    int number = 0;
    QHash<QString, QString> fields;

    QString value(const QString &name) const { return fields.value(name); }
};

// Where the calculator gets the rows of its tables (HBeam, HKBeam, CutTee, HollowRect,
// HollowRound, PurlinC, PurlinZ, AngleProps, UnequalAngleProps, IBeamProps, ChannelProps).
// The program reads them from the handbook database; tests hand rows over directly.
class SectionRows {
public:
    virtual ~SectionRows() = default;
    // Every row of the table in stored order; empty when the table has none or is missing.
    virtual const std::vector<TableRow> &rows(const QString &table) const = 0;
};

// The standard and edition a table follows, as its source notes say them.
QString tableStandard(const QString &table);

// The tables above, in the order they are searched.
const std::vector<QString> &designationTables();

} // namespace mhbk::designation
