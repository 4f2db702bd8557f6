#pragma once

// The stored workbook format (the control's file type 12): versioned JSON, described in
// FORMAT.md beside this header.

#include "workbooks/engine/workbook.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace mhbk::wb {

inline constexpr int kWorkbookFormatVersion = 1;

struct LoadError
{
    // Where it failed: "line 3, column 14" for a JSON syntax error, or a path into the
    // document such as "sheets[0].cells.B3" for a bad value; followed by what was wrong.
    QString message;
};

// Builds the workbook and recalculates it. Never throws on bad input: returns nothing and
// fills `error` instead.
std::optional<Workbook> loadWorkbook(const QByteArray &json, LoadError *error);
std::optional<Workbook> loadWorkbookFile(const QString &path, LoadError *error);

// Writes everything the model holds; loadWorkbook(saveWorkbook(b)) gives an equal workbook.
QByteArray saveWorkbook(const Workbook &book);
// Written to a temporary name and renamed, so a failure leaves no half file. False on failure
// with the reason in `error`.
bool saveWorkbookFile(const Workbook &book, const QString &path, QString *error);

} // namespace mhbk::wb
