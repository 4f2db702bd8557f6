#pragma once

#include "workbooks/export/exportbook.h"

#include <QString>

namespace mhbk::xlsout {

struct XlsxOptions {
    // Formula cells carry their computed results so that readers that do not calculate show
    // the same figures. Switched off only to prove that another program recalculates.
    bool cacheResults = true;
};

// Writes an Office Open XML workbook: formulas with their results, styles, merges, widths,
// hidden rows and columns, protection. Written under a temporary name beside `path` and
// renamed. Throws mhbk::AppError naming the path.
void writeXlsxFile(const Book &book, const QString &path, const XlsxOptions &options = {});

} // namespace mhbk::xlsout
