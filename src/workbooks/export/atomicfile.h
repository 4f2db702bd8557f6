#pragma once

#include <QByteArray>
#include <QString>
#include <functional>

namespace mhbk::xlsout {

// Writes `bytes` to `path` through a temporary file in the same folder and a rename.
// Throws mhbk::AppError with a message naming the path.
void writeFileAtomically(const QString &path, const QByteArray &bytes);

// For writers that insist on opening the file themselves: `produce` is given a temporary
// name in the target folder and returns an error text (empty on success); the file is then
// renamed to `path`, or removed on failure. Throws mhbk::AppError naming the path.
void produceFileAtomically(const QString &path, const std::function<QString(const QString &tempPath)> &produce);

// "无法写入文件“path”：reason"
QString writeFailureMessage(const QString &path, const QString &reason);

} // namespace mhbk::xlsout
