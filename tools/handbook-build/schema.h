#pragma once

#include "csvsource.h"

#include <QString>
#include <optional>
#include <vector>

namespace mhbk::handbook {

// A field the program reads by name, at a fixed position when position >= 0.
struct NamedField {
    QString name;
    ColumnType type;
    int position = -1;
};

// What the program relies on in one table.
struct TableRule {
    QString name;
    int columns = 0;          // exact column count, including position 0
    bool captionRecord = false;
    bool placeholderWhenAbsent = false; // another team's source; an empty stand-in until it lands
    std::vector<NamedField> namedFields;
    std::vector<Column> placeholderColumns;
};

// Every table built from handbook/tables/, in build order. Report is built separately.
const std::vector<TableRule> &tableRules();
const TableRule *findRule(const QString &tableName);

// Checks a parsed source against its rule; throws SourceError naming the file and line.
void checkAgainstRule(const TableSource &source, const TableRule &rule);

} // namespace mhbk::handbook
