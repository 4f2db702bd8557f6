#pragma once

#include "common/pageregistry.h"
#include "common/pageservices.h"

#include <QString>
#include <functional>
#include <optional>

namespace mhbk {

class StringGrid;
struct WeightPageDescription;

// What a picked cell of a section table stands for on the takeoff list.
struct PickedRow {
    QString designation;
    double unitWeight = 0;
    QString remark;
};

// Reads the row of a table's current cell; nothing when no filled data cell is current.
using RowReader = std::function<std::optional<PickedRow>(const StringGrid &)>;

// The reader of a bar, plate or pipe page's table (the flat-bar page's computed grid included).
RowReader weightTableReader(const WeightPageDescription &description);
// The reader of a rolled-section table in blocks of `fields` columns: the designation is the
// first field, G the last.
RowReader rolledTableReader(int fields);

// The line for a picked row of the page's table; its length (the area for plates) is asked for.
TakeoffOffer pickedRowOffer(PageKey page, const PickedRow &row, const QString &unit);

// "请先在表中选择一行，或算出理论重量G"
extern const QString kPickRowFirst;

// A number as a field or cell shows it; nothing for text that is none.
std::optional<double> shownNumber(const QString &text);

} // namespace mhbk
