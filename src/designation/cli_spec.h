#pragma once

#include <QStringList>
#include <QTextStream>

namespace mhbk {

// "mhbk-cli spec DESIGNATION [L=LEN] [n=COUNT] [--material NAME | --density G_CM3] [--db FILE]":
// what the designation was read as, its unit weight, area, surface and source, and with L and n
// the totals. `args` excludes the sub-command's name; returns 0, or 1 with a message on `err`.
int runSpecCommand(const QStringList &args, QTextStream &out, QTextStream &err);

} // namespace mhbk
