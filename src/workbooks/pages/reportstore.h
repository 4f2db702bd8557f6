#pragma once

#include <QByteArray>
#include <optional>

namespace mhbk {

class QueryDataset;

namespace workbooks {

// One row of the Report table: the stored workbook of a page and the page's kind.
struct StoredWorkbook {
    QByteArray bytes;
    int kind = 0;   // 1: a page with duct selection
};

inline constexpr int kDuctPageKind = 1;

// The Report row of a page, or nothing when the page has none. Throws AppError when the
// database cannot be read.
std::optional<StoredWorkbook> readStoredWorkbook(QueryDataset &query, int pageIndex);

} // namespace workbooks
} // namespace mhbk
