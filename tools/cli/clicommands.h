#pragma once

#include <QStringList>
#include <QTextStream>

namespace mhbk {

// The mhbk-cli dispatcher: runs the sub-command named by args[0] with the rest of the
// arguments; prints usage for --help or an unknown command. Returns the exit status.
int runCliCommand(const QStringList &args, QTextStream &out, QTextStream &err);

} // namespace mhbk
