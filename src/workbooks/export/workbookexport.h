#pragma once

#include "workbooks/export/exportbook.h"

#include <QString>

namespace mhbk::wb {
class Workbook;
enum class ErrorCode : std::uint8_t;
}

namespace mhbk::xlsout {

enum class ExcelFormat { Xls, Xlsx };

// The workbook as the writers see it: every sheet's cells with their current values and
// formulas (each with the engine's parse, borrowed: `book` must outlive the description), its
// styles and layout.
Book describeWorkbook(const wb::Workbook &book);

// An engine error value as both Excel formats code it.
ErrorCode excelErrorCode(wb::ErrorCode e);

// Writes the workbook as an Excel file. Throws mhbk::AppError naming the path.
void exportWorkbook(const wb::Workbook &book, const QString &path, ExcelFormat format);

} // namespace mhbk::xlsout
