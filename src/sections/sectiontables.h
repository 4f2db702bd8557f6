#pragma once

#include <QString>

namespace mhbk {

// The handbook tables of the section pages whose first record holds the grid's captions, and how
// many fields after position 0 each shows. Nothing when the table is not one of them.
int sectionTableShownFields(const QString &tableName);

} // namespace mhbk
