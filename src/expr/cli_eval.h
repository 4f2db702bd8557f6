#pragma once

#include <QStringList>
#include <QTextStream>

namespace mhbk {

// "mhbk-cli eval": `args` excludes the sub-command's name. Returns the exit status: 0 for
// success, 1 for bad input (message on `err`).
int runEvalCommand(const QStringList &args, QTextStream &out, QTextStream &err);

} // namespace mhbk
