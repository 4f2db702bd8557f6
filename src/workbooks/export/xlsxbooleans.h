#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace mhbk::xlsout {

// The .xlsx library caches every formula result as a number or a text. Formulas whose
// result is TRUE or FALSE get their type back here: the finished package is read, the cells
// named in `booleanCells` (per sheet, in order, as "B3") are marked t="b" in their sheet's
// XML, and the package is written again. Returns an error text, empty on success.
QString markBooleanResults(const QString &xlsxPath, const std::vector<QStringList> &booleanCells);

// The same on the bytes of a package (for tests); nothing when the package cannot be read.
std::optional<QByteArray> markBooleanResultsInPackage(const QByteArray &package,
                                                      const std::vector<QStringList> &booleanCells);

} // namespace mhbk::xlsout
