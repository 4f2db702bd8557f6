#include "designation/databaserows.h"

#include "data/database.h"
#include "data/datasets.h"

#include <QSqlDatabase>

namespace mhbk::designation {

DatabaseRows::DatabaseRows(HandbookDatabase &database)
{
    const QStringList present = database.connection().tables();
    for (const QString &table : designationTables()) {
        if (!present.contains(table)) {
            missing_ << table;
            continue;
        }
        TableDataset dataset(database);
        dataset.open(table);
        std::vector<TableRow> rows;
        const QStringList fields = dataset.fieldNames();
        // The first record holds the table's captions, not a size.
        for (dataset.first(), dataset.next(); !dataset.eof(); dataset.next()) {
            TableRow row;
            row.number = dataset.fieldText(0).toInt();
            for (int f = 1; f < fields.size(); ++f)
                row.fields.insert(fields.at(f), dataset.fieldText(f));
            rows.push_back(std::move(row));
        }
        rows_.emplace(table, std::move(rows));
    }
}

const std::vector<TableRow> &DatabaseRows::rows(const QString &table) const
{
    const auto it = rows_.find(table);
    return it == rows_.end() ? none_ : it->second;
}

} // namespace mhbk::designation
