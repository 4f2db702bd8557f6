#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>

namespace mhbk::test {

// What a sub-command of mhbk-cli printed and returned.
struct CliRun {
    int status = -1;
    QString out;
    QString err;
};

// Every sub-command runs as command(args, standard output, standard error).
using CliCommand = int (*)(const QStringList &, QTextStream &, QTextStream &);

// Runs `command` with `args` and collects both streams as text.
inline CliRun runCli(CliCommand command, const QStringList &args)
{
    CliRun run;
    QTextStream out(&run.out);
    QTextStream err(&run.err);
    run.status = command(args, out, err);
    out.flush();
    err.flush();
    return run;
}

} // namespace mhbk::test
