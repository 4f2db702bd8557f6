#include "workbooks/pages/reportstore.h"

#include "data/datasets.h"

namespace mhbk::workbooks {

std::optional<StoredWorkbook> readStoredWorkbook(QueryDataset &query, int pageIndex)
{
    query.open(QStringLiteral("SELECT nr, lx FROM Report WHERE \"Index\"=?"), {pageIndex});
    if (query.eof())
        return std::nullopt;
    StoredWorkbook stored;
    stored.bytes = query.blob(QStringLiteral("nr"));
    stored.kind = query.field(QStringLiteral("lx")).toInt();
    query.close();
    return stored;
}

} // namespace mhbk::workbooks
