#pragma once

#include "designation/calculator.h"

#include <optional>

// Finding the table row a reading names, and taking the figures from it.
namespace mhbk::designation {

struct RowMatch {
    std::optional<TableRow> row;
    QString table;
    QStringList notes; // which row of a nominal group was taken, and why
    QString error;     // a nominal group with several sizes and none marked as its base
};

RowMatch findRow(const Reading &reading, const SectionRows &rows);

// The answer's figures from the row: printed values as printed, calculated ones said to be so.
void applyRow(Answer &answer, const TableRow &row, const QString &table, double density);

// The table a kind is listed in; empty for the kinds that have none (plate, bar, welded).
QString tableOf(Kind kind);

} // namespace mhbk::designation
