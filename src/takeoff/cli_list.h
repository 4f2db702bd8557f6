#pragma once

#include <QStringList>
#include <QTextStream>

namespace mhbk {

// "mhbk-cli list add|show|export": `args` excludes the sub-command's name. Returns the exit
// status: 0 for success, 1 for bad input or a file that cannot be read or written (message on `err`).
int runListCommand(const QStringList &args, QTextStream &out, QTextStream &err);

} // namespace mhbk
