#pragma once

#include <QString>

class QSqlError;

namespace mhbk {

// What went wrong in a database operation, in Chinese, from the error the SQLite driver
// reported: the kind (locked, read-only, disk full, damaged, ...) and the database's own
// result code, e.g. "数据库文件正被其他程序锁定，请稍后再试（SQLite 错误 5）". Callers end
// the sentence.
QString databaseErrorReason(const QSqlError &error);

// A file path as messages show it: native separators in Chinese quotation marks, so that no
// punctuation after it can be taken for part of it.
QString quotedPath(const QString &path);

} // namespace mhbk
