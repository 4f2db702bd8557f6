#include "common/clicommands.h"

namespace mhbk {

int runWeightCommand(const QStringList &, QTextStream &, QTextStream &err)
{
    err << "not available yet\n";
    return 1;
}

} // namespace mhbk

namespace mhbk {

int runTableCommand(const QStringList &, QTextStream &, QTextStream &err)
{
    err << "not available yet\n";
    return 1;
}

} // namespace mhbk
