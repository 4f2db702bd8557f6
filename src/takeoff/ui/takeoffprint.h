#pragma once

#include "takeoff/takeofflist.h"

#include <QStringList>
#include <vector>

class QPagedPaintDevice;

namespace mhbk::takeoff {

// One printed row: its cells under the list's captions, and whether it is a total.
struct PrintRow {
    QStringList cells;
    bool total = false;
};

// The lines, then the totals by item, by designation and the grand total, as printed.
std::vector<PrintRow> printRows(const List &list);

// Prints the list on `device` with the title on every page above the captions and
// "第 N 页 共 M 页" below. Returns the number of pages.
int printList(const List &list, const QString &title, QPagedPaintDevice &device);

} // namespace mhbk::takeoff
