#include "search/handbooksources.h"

#include "common/pageregistry.h"
#include "data/blocklayout.h"
#include "data/datasets.h"
#include "numbers/numtext.h"
#include "reference/itemlist.h"
#include "sections/sectiontables.h"
#include "sections/weights.h"

#include <QRegularExpression>
#include <string_view>

namespace mhbk::search {

namespace {

// How a size table's row becomes an entry. Field numbers count from 1, as the grids show them.
enum class Style {
    Fields,      // the designation fields joined by "×"
    SizeText,    // field 1 is already "D×t"; the calculator takes D and t from it
    WeldedPipe,  // DN, outer diameter, normal wall and weight, thick wall and weight
    Conduit,     // DN, wall, outer diameter, weight
    Checkered,   // basic thickness, then rib and weight of both patterns
};

struct SizeTable {
    PageKey page;
    const char *table;
    unsigned kinds;
    Style style;
    std::vector<int> designation;
    int figure;
    std::vector<int> inputs; // fields that fill the calculator, in its order
};

const std::vector<SizeTable> &sizeTables()
{
    static const std::vector<SizeTable> tables = {
        {PageKey::RoundBar, "circle", Round, Style::Fields, {1}, 2, {1}},
        {PageKey::SquareBar, "sqare", Square, Style::Fields, {1}, 2, {1}},
        {PageKey::RectangularBar, "Rectangle", Rectangle, Style::Fields, {1, 2}, 3, {1, 2}},
        {PageKey::HexagonBar, "Hexagon", Hexagon, Style::Fields, {1}, 2, {1}},
        {PageKey::EqualAngle, "Regular", Angle, Style::Fields, {2, 3}, 4, {}},
        {PageKey::UnequalAngle, "NoRegular", Angle, Style::Fields, {2, 3, 4}, 5, {}},
        {PageKey::IBeam, "Ishaped", IBeam, Style::Fields, {1}, 5, {}},
        {PageKey::LightIBeam, "LightIshaped", IBeam, Style::Fields, {1}, 5, {}},
        {PageKey::Channel, "groove", Channel, Style::Fields, {1}, 5, {}},
        {PageKey::LightChannel, "Lightgroove", Channel, Style::Fields, {1}, 5, {}},
        {PageKey::SteelPlate, "steelboard", Plate, Style::Fields, {1}, 2, {1}},
        {PageKey::CheckeredPlate, "steelboard_HW", Plate, Style::Checkered, {1}, 3, {}},
        {PageKey::HotRolledSeamlessPipe, "NoSewType", Pipe, Style::SizeText, {1}, 2, {}},
        {PageKey::ColdRolledSeamlessPipe, "ColdSewType", Pipe, Style::SizeText, {1}, 2, {}},
        {PageKey::PrecisionSeamlessPipe, "NicetyNoSew", Pipe, Style::SizeText, {1}, 2, {}},
        {PageKey::BoilerSeamlessPipe, "BoilerNoSew", Pipe, Style::SizeText, {1}, 2, {}},
        {PageKey::WeldedPipe, "SeelTube", Pipe, Style::WeldedPipe, {}, 4, {2, 3}},
        {PageKey::Conduit, "SleeveTube", Pipe, Style::Conduit, {}, 4, {3, 2}},
        {PageKey::SpiralWeldedPipe, "ScrewTube", Pipe, Style::Fields, {1, 2}, 3, {1, 2}},
        {PageKey::StainlessHotRolledPipe, "stainlessHot", Pipe, Style::SizeText, {1}, 2, {}},
        {PageKey::StainlessColdRolledPipe, "stainlessCold", Pipe, Style::SizeText, {1}, 2, {}},
    };
    return tables;
}

const QString kTimes = QStringLiteral("×");

// "G(kg/m)" → "kg/m": the unit the page's caption gives a column.
QString unitOf(const QString &caption)
{
    static const QRegularExpression inBrackets(QStringLiteral("[(（]([^()（）]*)[)）]\\s*$"));
    const auto match = inBrackets.match(caption);
    return match.hasMatch() ? match.captured(1) : QString();
}

QString withUnit(const QString &value, const QString &caption)
{
    const QString unit = unitOf(caption);
    return unit.isEmpty() ? value : value + QLatin1Char(' ') + unit;
}

QString groupCaption(int page)
{
    for (const TreeGroup &group : pages::treeGroups())
        if (page >= group.firstPage && page <= group.lastPage)
            return QString::fromUtf8(group.caption);
    return {};
}

Entry pageEntry(int page)
{
    Entry entry;
    entry.page = page;
    entry.pageCaption = QString::fromUtf8(pages::at(page).caption);
    entry.text = normalized(entry.pageCaption + QLatin1Char(' ') + groupCaption(page));
    return entry;
}

// A row's entry before its designation: the page, the texts of the whole row, the cell.
Entry rowEntry(const Entry &page, const QStringList &fields, int column, int row, int span)
{
    Entry entry = page;
    entry.text = normalized(fields.join(QLatin1Char(' '))) + QLatin1Char(' ') + page.text;
    entry.column = column;
    entry.row = row;
    entry.span = span;
    return entry;
}

void describeSizeRow(Entry &entry, const SizeTable &table, const QStringList &f, const QStringList &captions)
{
    auto field = [&f](int n) { return f.value(n - 1); };
    switch (table.style) {
    case Style::Fields:
    case Style::SizeText:
    case Style::Checkered: {
        QStringList parts;
        for (const int n : table.designation)
            parts << field(n);
        entry.designation = parts.join(kTimes);
        entry.keys << designationKey(entry.designation);
        for (const int n : table.inputs)
            entry.inputs << field(n);
        if (table.style == Style::SizeText)
            entry.inputs = entry.designation.split(kTimes);
        break;
    }
    case Style::WeldedPipe:
        entry.designation = QStringLiteral("DN%1 %2×%3/%4").arg(field(1), field(2), field(3), field(5));
        entry.keys << designationKey(QStringLiteral("DN") + field(1)) << designationKey(field(2) + kTimes + field(3))
                   << designationKey(field(2) + kTimes + field(5));
        entry.inputs << field(2) << field(3);
        break;
    case Style::Conduit:
        entry.designation = QStringLiteral("DN%1 %2×%3").arg(field(1), field(3), field(2));
        entry.keys << designationKey(QStringLiteral("DN") + field(1)) << designationKey(field(3) + kTimes + field(2));
        entry.inputs << field(3) << field(2);
        break;
    }
    entry.kinds = table.kinds;
    if (table.style == Style::WeldedPipe)
        entry.figure = QStringLiteral("普通 %1  加厚 %2").arg(withUnit(field(4), captions.value(3)),
                                                           withUnit(field(6), captions.value(5)));
    else if (table.style == Style::Checkered)
        entry.figure = QStringLiteral("菱形 %1  扁豆形 %2").arg(withUnit(field(3), captions.value(2)),
                                                            withUnit(field(5), captions.value(4)));
    else
        entry.figure = withUnit(field(table.figure), captions.value(table.figure - 1));
}

QStringList recordFields(const TableDataset &table, int count)
{
    QStringList fields;
    for (int n = 1; n <= count; ++n)
        fields << table.fieldText(n);
    return fields;
}

void addSizeTable(HandbookIndex &index, TableDataset &dataset, const SizeTable &table)
{
    const Entry page = pageEntry(pages::indexOf(table.page));
    const QString name = QString::fromLatin1(table.table);
    const int shown = sectionTableShownFields(name);
    const BlockLayout layout{shown};
    dataset.open(name);
    if (dataset.recordCount() == 0)
        return;
    const int fieldCount = dataset.fieldCount() - 1;
    const QStringList captions = recordFields(dataset, fieldCount);
    int record = 0;
    for (dataset.next(); !dataset.eof(); dataset.next(), ++record) {
        const QStringList fields = recordFields(dataset, fieldCount);
        const BlockLayout::Cell cell = layout.cellOf(record, 0);
        Entry entry = rowEntry(page, fields.mid(0, shown), cell.column, cell.row, shown);
        describeSizeRow(entry, table, fields, captions);
        index.add(std::move(entry));
    }
}

// The flat-bar page computes its grid; its entries are computed by the same functions.
void addFlatBars(HandbookIndex &index)
{
    const Entry page = pageEntry(pages::indexOf(PageKey::FlatBar));
    for (int row = 1; row <= weights::kFlatBarSizes; ++row) {
        const int width = weights::flatBarWidth(row);
        for (int column = 1; column <= weights::kFlatBarSizes; ++column) {
            const int thickness = weights::flatBarThickness(column);
            const QString size = QStringLiteral("%1×%2").arg(width).arg(thickness);
            Entry entry = rowEntry(page, {size}, column, row, 1);
            entry.designation = size;
            entry.keys << designationKey(size);
            entry.kinds = Flat;
            entry.figure = floatToStr(weights::flatBar(width, thickness)) + QStringLiteral(" kg/m");
            entry.inputs << QString::number(width) << QString::number(thickness);
            index.add(std::move(entry));
        }
    }
}

// The density table's items are materials, found by name as the command line finds them.
enum class ItemNames { Plain, Materials };

// The unit and density grids place their records slot by slot; record n is slot n.
void addItemTable(HandbookIndex &index, TableDataset &dataset, PageKey pageKey, const char *tableName,
                  const reference::ItemLayout &layout, const QString &unit, ItemNames names)
{
    const Entry page = pageEntry(pages::indexOf(pageKey));
    dataset.open(QString::fromLatin1(tableName));
    int slot = 0;
    for (dataset.first(); !dataset.eof(); dataset.next(), ++slot) {
        const QStringList fields = recordFields(dataset, layout.cellsPerItem);
        const reference::ItemLayout::Cell cell = layout.cellOf(slot);
        Entry entry = rowEntry(page, fields, cell.column, cell.row, layout.cellsPerItem);
        entry.designation = fields.first();
        entry.figure = (fields.mid(1).join(QLatin1Char(' ')) + unit).trimmed();
        if (names == ItemNames::Materials)
            entry.material = normalized(entry.designation);
        index.add(std::move(entry));
    }
}

// The formula grid shows record n in row n, captions included.
void addFormulas(HandbookIndex &index, TableDataset &dataset)
{
    const Entry page = pageEntry(pages::indexOf(PageKey::SectionFormulas));
    dataset.open(QStringLiteral("constformula"));
    int row = 0;
    for (dataset.first(); !dataset.eof(); dataset.next(), ++row) {
        if (row == 0)
            continue;
        const QStringList fields = recordFields(dataset, 3);
        Entry entry = rowEntry(page, fields, 0, row, 3);
        entry.designation = fields.at(0);
        entry.figure = fields.at(1);
        index.add(std::move(entry));
    }
}

} // namespace

std::vector<std::pair<PageKey, const char *>> indexedSizeTables()
{
    std::vector<std::pair<PageKey, const char *>> out;
    for (const SizeTable &table : sizeTables())
        out.emplace_back(table.page, table.table);
    return out;
}

HandbookIndex buildHandbookIndex(HandbookDatabase &database)
{
    HandbookIndex index;
    for (const PageEntry &page : pages::all())
        index.add(pageEntry(page.index));
    TableDataset dataset(database);
    addItemTable(index, dataset, PageKey::UnitConversion, "comunit", reference::kUnitLayout, {}, ItemNames::Plain);
    addItemTable(index, dataset, PageKey::MaterialDensity, "constdensity", reference::kDensityLayout,
                 QStringLiteral(" g/cm3"), ItemNames::Materials);
    addFormulas(index, dataset);
    for (const SizeTable &table : sizeTables()) {
        if (table.page == PageKey::EqualAngle)
            addFlatBars(index); // the flat-bar page stands between the hexagon and angle pages
        addSizeTable(index, dataset, table);
    }
    dataset.close();
    index.finish();
    return index;
}

} // namespace mhbk::search
