#pragma once

#include <QStringList>
#include <QTextStream>

namespace mhbk {

// "mhbk-cli weight" and "mhbk-cli table": `args` excludes the sub-command's name. Each returns
// the exit status: 0 for success, 1 for bad input (message on `err`).
int runWeightCommand(const QStringList &args, QTextStream &out, QTextStream &err);
int runTableCommand(const QStringList &args, QTextStream &out, QTextStream &err);

} // namespace mhbk
