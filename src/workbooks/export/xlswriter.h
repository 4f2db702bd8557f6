#pragma once

#include "workbooks/export/exportbook.h"

#include <QByteArray>
#include <QString>
#include <string>

namespace mhbk::xlsout {

// Excel 97-2003 limits; a sheet beyond them cannot be written as .xls.
inline constexpr int kXlsMaxRows = 65536;
inline constexpr int kXlsMaxColumns = 256;

struct XlsOptions {
    // Formulas are written as formulas (token arrays), so that other programs recalculate
    // them; off, every cell holds its value only.
    bool formulas = true;
    // Formula cells carry their computed results. Switched off only to prove that another
    // program recalculates: the results are then left empty and marked for calculation.
    bool cacheResults = true;
};

// The BIFF8 "Workbook" stream alone (for inspection in tests).
std::string xlsWorkbookStream(const Book &book, const XlsOptions &options = {});
// A complete .xls file. Throws mhbk::AppError when the book exceeds the format's limits.
std::string xlsFileBytes(const Book &book, const XlsOptions &options = {});
// Writes the file under a temporary name beside `path` and renames it, so a failure never
// leaves a half-written file under the user's name. Throws mhbk::AppError naming the path.
void writeXlsFile(const Book &book, const QString &path, const XlsOptions &options = {});

} // namespace mhbk::xlsout
