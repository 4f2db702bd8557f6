#pragma once

// The takeoff list's file (.mhbkl): versioned JSON, described in FORMAT.md beside this file.

#include "takeoff/takeofflist.h"

#include <QByteArray>
#include <QString>

namespace mhbk::takeoff {

inline constexpr int kFileVersion = 2; // 2: unitSurface and problem
inline const QString kFileSuffix = QStringLiteral("mhbkl");
// The file dialogs' filter.
inline const QString kFileFilter = QStringLiteral("工程量清单 (*.mhbkl)");

// The largest list file the program opens, and so the largest it writes: some 450,000 lines
// written without indentation.
inline constexpr qint64 kMaxListFileBytes = 64 * 1024 * 1024;

// One line of JSON without indentation.
QByteArray toJson(const List &list);
// Throws mhbk::AppError with the reason (in Chinese) for anything that is not a list this
// program can read: not JSON, another kind of file, a newer version, a damaged line.
List fromJson(const QByteArray &bytes);

// Reads a list file. Throws mhbk::AppError naming the path and the reason.
List loadList(const QString &path);
// Writes through a temporary file and a rename, so a failed save leaves the old file whole.
// A list whose file would exceed kMaxListFileBytes is not written. Throws mhbk::AppError naming the path and the reason.
void saveList(const List &list, const QString &path);

} // namespace mhbk::takeoff
