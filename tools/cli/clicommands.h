#pragma once

#include <QStringList>
#include <QTextStream>

namespace mhbk {

// One sub-command of mhbk-cli. `args` excludes the sub-command's own name.
// Returns the exit status: 0 for success, 1 for bad input (message on `err`).
using CliCommandFn = int (*)(const QStringList &args, QTextStream &out, QTextStream &err);

// Each subsystem implements its own sub-commands (see src/*/cli*.cpp).
int runEvalCommand(const QStringList &args, QTextStream &out, QTextStream &err);      // eval
int runWeightCommand(const QStringList &args, QTextStream &out, QTextStream &err);    // weight
int runTableCommand(const QStringList &args, QTextStream &out, QTextStream &err);     // table
int runSheetCommand(const QStringList &args, QTextStream &out, QTextStream &err);     // sheet
int runWorkbookCommand(const QStringList &args, QTextStream &out, QTextStream &err);  // workbook

// Dispatches on args[0]; prints usage for --help or an unknown command.
int runCliCommand(const QStringList &args, QTextStream &out, QTextStream &err);

} // namespace mhbk
