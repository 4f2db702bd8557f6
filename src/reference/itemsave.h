#pragma once

#include "reference/itemlist.h"

#include <QString>
#include <vector>

namespace mhbk {
class TableDataset;
}

namespace mhbk::reference {

// The integer field that holds a record's place in its list.
inline const QString kNumberField = QStringLiteral("Number");

// Makes the table open on `table` hold exactly these items, in this order: record i gets the
// cells of item i in fields 1 to cellsPerItem, records past the last item are deleted, and a
// record added for item i gets Number i. Existing records keep their Number.
// All of it is one transaction: on any failure nothing is changed, the table is read again
// and AppError is thrown with the database's reason, naming the table as `shownName` (the
// page's caption; the table's own name when empty). On success the table is read again too.
void saveItems(TableDataset &table, int cellsPerItem, const std::vector<Item> &items, const QString &shownName = {});

} // namespace mhbk::reference
