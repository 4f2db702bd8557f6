#include "sections/tableoffers.h"

#include "numbers/numtext.h"

#include "sections/sectiontables.h"
#include "sections/weightpage.h"
#include "widgets/stringgrid.h"

#include <QStringList>
#include <cmath>

namespace mhbk {

const QString kPickRowFirst = QStringLiteral("请先在表中选择一行，或算出理论重量G");

namespace {

const QString kSteel = QStringLiteral("钢");
const QString kTimes = QStringLiteral("×");

// The current cell of a grid laid out in blocks of `fields` columns: that block's cells of the
// current row, and which of them is current; nothing when no filled data cell is current.
struct PickedRecord {
    QStringList cells;
    int field = 0;
};

std::optional<PickedRecord> pickedRecord(const StringGrid &grid, int fields)
{
    if (fields <= 0 || grid.currentRow() < 1 || grid.currentColumn() < 0)
        return std::nullopt;
    const int first = grid.currentColumn() / fields * fields;
    PickedRecord picked;
    picked.field = grid.currentColumn() - first;
    for (int col = first; col < first + fields && col < grid.colCount(); ++col)
        picked.cells << grid.cell(col, grid.currentRow()).trimmed();
    if (picked.cells.size() != fields || picked.cells.first().isEmpty() || !shownNumber(picked.cells.last()))
        return std::nullopt;
    return picked;
}

QStringList selectedRecord(const StringGrid &grid, int fields)
{
    const auto picked = pickedRecord(grid, fields);
    return picked ? picked->cells : QStringList();
}

// Tables whose last field is G and whose other fields make the designation ("89×4", "3×10",
// "219×6"): a one-field size is taken as the table writes it.
RowReader sizeThenWeight(int fields)
{
    return [fields](const StringGrid &grid) -> std::optional<PickedRow> {
        const QStringList record = selectedRecord(grid, fields);
        if (record.isEmpty())
            return std::nullopt;
        return PickedRow{record.mid(0, record.size() - 1).join(kTimes), *shownNumber(record.last()), {}};
    };
}

// Welded pipe: r, R, cd, cG, td, tG. The ordinary wall unless a cell of the thickened pipe is picked.
std::optional<PickedRow> weldedPipe(const StringGrid &grid)
{
    const auto picked = pickedRecord(grid, 6);
    if (!picked)
        return std::nullopt;
    const QStringList &c = picked->cells;
    const bool thick = picked->field >= 4;
    const auto g = shownNumber(c.at(thick ? 5 : 3));
    if (!g)
        return std::nullopt;
    return PickedRow{QStringLiteral("DN%1 %2×%3").arg(c.at(0), c.at(1), c.at(thick ? 4 : 2)), *g,
                     thick ? QStringLiteral("加厚钢管") : QStringLiteral("普通钢管")};
}

// Conduit: r, d, R, G.
std::optional<PickedRow> conduit(const StringGrid &grid)
{
    const QStringList c = selectedRecord(grid, 4);
    if (c.isEmpty())
        return std::nullopt;
    return PickedRow{QStringLiteral("DN%1 %2×%3").arg(c.at(0), c.at(2), c.at(1)), *shownNumber(c.at(3)), {}};
}

// The computed flat-bar grid: widths down column 0 ("W 50"), thicknesses along row 0 ("D 5").
std::optional<PickedRow> flatBar(const StringGrid &grid)
{
    const int row = grid.currentRow();
    const int column = grid.currentColumn();
    if (row < 1 || column < 1)
        return std::nullopt;
    const auto g = shownNumber(grid.cell(column, row));
    const QString width = grid.cell(0, row).mid(1).trimmed();
    const QString thickness = grid.cell(column, 0).mid(1).trimmed();
    if (!g || width.isEmpty() || thickness.isEmpty())
        return std::nullopt;
    return PickedRow{width + kTimes + thickness, *g, {}};
}

} // namespace

std::optional<double> shownNumber(const QString &text)
{
    // The calculators' own reading (full-width digits too), finite figures only.
    const std::optional<double> value = parseFloat(text);
    return value && std::isfinite(*value) ? value : std::nullopt;
}

RowReader weightTableReader(const WeightPageDescription &description)
{
    if (!description.tableName)
        return flatBar;
    const QString table = QString::fromLatin1(description.tableName);
    if (table == QLatin1String("SeelTube"))
        return weldedPipe;
    if (table == QLatin1String("SleeveTube"))
        return conduit;
    const int fields = sectionTableShownFields(table);
    return fields > 0 ? sizeThenWeight(fields) : RowReader();
}

RowReader rolledTableReader(int fields)
{
    return [fields](const StringGrid &grid) -> std::optional<PickedRow> {
        const QStringList record = selectedRecord(grid, fields);
        if (record.isEmpty())
            return std::nullopt;
        return PickedRow{record.first(), *shownNumber(record.last()), {}};
    };
}

TakeoffOffer pickedRowOffer(PageKey page, const PickedRow &row, const QString &unit)
{
    TakeoffOffer offer;
    offer.item = QString::fromUtf8(pages::at(page).caption);
    offer.designation = row.designation;
    offer.material = kSteel;
    offer.unit = unit;
    offer.unitWeight = row.unitWeight;
    offer.remark = row.remark;
    offer.askQuantity = true;
    return offer;
}

} // namespace mhbk
