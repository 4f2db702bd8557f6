#pragma once

#include "workbooks/export/exportbook.h"

#include <QByteArray>
#include <QString>

namespace mhbk::xlsout {

// Excel 97-2003 limits; a sheet beyond them cannot be written as .xls.
inline constexpr int kXlsMaxRows = 65536;
inline constexpr int kXlsMaxColumns = 256;

// The BIFF8 "Workbook" stream alone (for inspection in tests).
QByteArray xlsWorkbookStream(const Book &book);
// A complete .xls file. Throws mhbk::AppError when the book exceeds the format's limits.
QByteArray xlsFileBytes(const Book &book);
// Writes the file under a temporary name beside `path` and renames it, so a failure never
// leaves a half-written file under the user's name. Throws mhbk::AppError naming the path.
void writeXlsFile(const Book &book, const QString &path);

} // namespace mhbk::xlsout
