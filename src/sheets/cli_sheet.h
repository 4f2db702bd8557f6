#pragma once

#include <QStringList>
#include <QTextStream>

namespace mhbk {

// "mhbk-cli sheet": `args` excludes the sub-command's name. Returns the exit status: 0 for
// success, 1 for bad input (message on `err`).
int runSheetCommand(const QStringList &args, QTextStream &out, QTextStream &err);

} // namespace mhbk
