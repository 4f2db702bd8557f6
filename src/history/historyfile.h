#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <optional>
#include <vector>

namespace mhbk::history {

// What a history entry came from: the expression bar, or a weight calculator.
enum class Kind { Expression, Weight };

// One kept calculation. `input` is the expression as typed, or the calculator and its inputs
// ("圆钢 d=10 L=6"); `result` the figure as it was shown; `unit` its unit, if it has one.
struct Entry {
    QDateTime time;
    Kind kind = Kind::Expression;
    QString input;
    QString result;
    QString unit;

    friend bool operator==(const Entry &, const Entry &) = default;
};

// The line the history list shows: "1+2 = 3", "圆钢 d=10 L=6 → 3.699234 kg".
QString entryText(const Entry &entry);
// The result with its unit: "3.699234 kg", or the bare number when it has none.
QString resultWithUnit(const Entry &entry);

// The history file: a header line, then one entry a line, oldest first, as tab-separated
// fields (time in UTC ISO 8601 with milliseconds, kind, input, result, unit) in UTF-8. Tabs,
// line breaks and backslashes inside a field are written as \t, \n, \r and \\.
QByteArray writeHistory(const std::vector<Entry> &entries);
// One entry's line, line break included: appended to a file, it adds the entry.
QByteArray historyLine(const Entry &entry);
// The entries of a history file; nothing when any whole line of it is not as writeHistory
// writes it, so that a damaged file is never half read. A last line without its line break is
// an addition cut short (the program or the machine stopped while appending it): it is left
// out, the entries before it count, and `tornTail` (when given) says so.
std::optional<std::vector<Entry>> readHistory(const QByteArray &bytes, bool *tornTail = nullptr);

} // namespace mhbk::history
