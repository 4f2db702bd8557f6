#pragma once

#include "designation/sectionrows.h"

#include <map>

namespace mhbk {
class HandbookDatabase;
}

namespace mhbk::designation {

// The designation tables as the handbook database holds them, read once. A database that lacks
// a table (a user's copy made before the table was added) gives no rows for it, and says which.
class DatabaseRows : public SectionRows {
public:
    // Throws AppError when the database cannot be read.
    explicit DatabaseRows(HandbookDatabase &database);
    const std::vector<TableRow> &rows(const QString &table) const override;
    const QStringList &missingTables() const { return missing_; }

private:
    std::map<QString, std::vector<TableRow>> rows_;
    QStringList missing_;
    std::vector<TableRow> none_;
};

} // namespace mhbk::designation
