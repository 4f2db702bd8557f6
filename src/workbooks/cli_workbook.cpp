#include "common/clicommands.h"

namespace mhbk {

int runWorkbookCommand(const QStringList &, QTextStream &, QTextStream &err)
{
    err << "not available yet\n";
    return 1;
}

} // namespace mhbk
