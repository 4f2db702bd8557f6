#pragma once

#include <QStringList>
#include <QTextStream>

namespace mhbk {

// mhbk-cli find QUERY [--db FILE]: the search's results, one line each, best first.
int runFindCommand(const QStringList &args, QTextStream &out, QTextStream &err);

} // namespace mhbk
