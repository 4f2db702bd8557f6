#include "clicommands.h"

#include "designation/cli_spec.h"
#include "expr/cli_eval.h"
#include "search/cli_find.h"
#include "sections/cli_weight.h"
#include "sheets/cli_sheet.h"
#include "takeoff/cli_list.h"
#include "workbooks/cli_workbook.h"

namespace mhbk {

namespace {

// One sub-command. `args` excludes the sub-command's own name.
using CliCommandFn = int (*)(const QStringList &args, QTextStream &out, QTextStream &err);

struct CliCommand {
    const char *name;
    CliCommandFn run;
    const char *usage;
};

const CliCommand kCommands[] = {
    {"eval", runEvalCommand, "eval \"EXPR\" [--digits N]            evaluate a VBScript expression"},
    {"weight", runWeightCommand, "weight SHAPE NAME=VALUE ... [L=LEN]  theoretical weight of a section"},
    {"spec", runSpecCommand,
     "spec DESIGNATION [L=LEN] [n=COUNT] [--material NAME]  weight and surface of a designation (\"HN400×200\")"},
    {"table", runTableCommand, "table NAME                          print a handbook table"},
    {"find", runFindCommand, "find QUERY                          search the handbook (\"I20a\", \"DN100\", \"铜 密度\")"},
    {"sheet", runSheetCommand, "sheet od|dn [--thickness W] [--length ROW=L ...]  painting and insulation sheet"},
    {"workbook", runWorkbookCommand,
     "workbook PAGE [--set CELL=TEXT ...] [--run] [--get CELL ...] [--export FILE]  estimating workbook"},
    {"list", runListCommand, "list add|show|export FILE.mhbkl ...  takeoff list (工程量清单)"},
};

void printUsage(QTextStream &stream)
{
    stream << "用法 / usage: mhbk-cli COMMAND [ARGS]\n";
    for (const CliCommand &command : kCommands)
        stream << "  mhbk-cli " << command.usage << '\n';
    stream << "  mhbk-cli COMMAND --help             details of one command\n";
}

} // namespace

int runCliCommand(const QStringList &args, QTextStream &out, QTextStream &err)
{
    if (args.isEmpty()) {
        printUsage(err);
        return 1;
    }
    if (args.first() == QLatin1String("--help") || args.first() == QLatin1String("-h")) {
        printUsage(out);
        return 0;
    }
    for (const CliCommand &command : kCommands) {
        if (args.first() == QLatin1String(command.name))
            return command.run(args.mid(1), out, err);
    }
    err << "未知命令 / unknown command: " << args.first() << '\n';
    printUsage(err);
    return 1;
}

} // namespace mhbk
