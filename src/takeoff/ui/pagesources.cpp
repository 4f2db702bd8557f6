#include "takeoff/ui/pagesources.h"

#include "common/pagehost.h"
#include "common/pageregistry.h"
#include "widgets/stringgrid.h"
#include "sections/checkeredpage.h"
#include "sections/sectiontables.h"
#include "sections/rolledpages.h"
#include "sections/weightpagetables.h"

#include <QComboBox>
#include <QLineEdit>
#include <QWidget>
#include <cmath>
#include <functional>
#include <optional>

namespace mhbk::takeoff {

namespace {

const QString kSteel = QStringLiteral("钢");
const QString kPickRow = QStringLiteral("请先在表中选择一行，或算出理论重量G");

std::optional<double> numberIn(const QString &text)
{
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    return ok && std::isfinite(value) ? std::optional<double>(value) : std::nullopt;
}

// "d(mm)：" -> "d"
QString dimensionName(const char *label)
{
    QString name = QString::fromUtf8(label);
    const int cut = name.indexOf(QLatin1Char('('));
    return (cut >= 0 ? name.left(cut) : name).trimmed();
}

QString pageCaption(int index) { return QString::fromUtf8(pages::at(index).caption); }

// The current cell of a grid laid out in blocks of `fields` columns: that block's cells of the
// current row, and which of them is current; nothing when no filled data cell is current.
struct PickedRecord {
    QStringList cells;
    int field = 0;
};

std::optional<PickedRecord> pickedRecord(const StringGrid *grid, int fields)
{
    if (!grid || fields <= 0 || grid->currentRow() < 1 || grid->currentColumn() < 0)
        return std::nullopt;
    const int first = grid->currentColumn() / fields * fields;
    PickedRecord picked;
    picked.field = grid->currentColumn() - first;
    for (int col = first; col < first + fields && col < grid->colCount(); ++col)
        picked.cells << grid->cell(col, grid->currentRow()).trimmed();
    if (picked.cells.size() != fields || picked.cells.first().isEmpty() || !numberIn(picked.cells.last()))
        return std::nullopt;
    return picked;
}

QStringList selectedRecord(const StringGrid *grid, int fields)
{
    const auto picked = pickedRecord(grid, fields);
    return picked ? picked->cells : QStringList();
}

// What a picked table cell stands for on the list.
struct RowPick {
    QString designation;
    double unitWeight = 0;
    QString remark;
};

using RowReader = std::function<std::optional<RowPick>(const StringGrid &)>;

// Tables whose last field is G and whose other fields make the designation ("89×4", "3×10",
// "219×6"): a one-field size is taken as the table writes it.
RowReader sizeThenWeight(int fields)
{
    return [fields](const StringGrid &grid) -> std::optional<RowPick> {
        const QStringList record = selectedRecord(&grid, fields);
        if (record.isEmpty())
            return std::nullopt;
        return RowPick{record.mid(0, record.size() - 1).join(QStringLiteral("×")), *numberIn(record.last()), {}};
    };
}

// Welded pipe: r, R, cd, cG, td, tG. The ordinary wall unless a cell of the thickened pipe is picked.
std::optional<RowPick> weldedPipe(const StringGrid &grid)
{
    const auto picked = pickedRecord(&grid, 6);
    if (!picked)
        return std::nullopt;
    const QStringList &c = picked->cells;
    const bool thick = picked->field >= 4;
    const auto g = numberIn(c.at(thick ? 5 : 3));
    if (!g)
        return std::nullopt;
    return RowPick{QStringLiteral("DN%1 %2×%3").arg(c.at(0), c.at(1), c.at(thick ? 4 : 2)), *g,
                   thick ? QStringLiteral("加厚钢管") : QStringLiteral("普通钢管")};
}

// Conduit: r, d, R, G.
std::optional<RowPick> conduit(const StringGrid &grid)
{
    const QStringList c = selectedRecord(&grid, 4);
    if (c.isEmpty())
        return std::nullopt;
    return RowPick{QStringLiteral("DN%1 %2×%3").arg(c.at(0), c.at(2), c.at(1)), *numberIn(c.at(3)), {}};
}

// The computed flat-bar grid: widths down column 0 ("W 50"), thicknesses along row 0 ("D 5").
std::optional<RowPick> flatBar(const StringGrid &grid)
{
    const int row = grid.currentRow();
    const int column = grid.currentColumn();
    if (row < 1 || column < 1)
        return std::nullopt;
    const auto g = numberIn(grid.cell(column, row));
    const QString width = grid.cell(0, row).mid(1).trimmed();
    const QString thickness = grid.cell(column, 0).mid(1).trimmed();
    if (!g || width.isEmpty() || thickness.isEmpty())
        return std::nullopt;
    return RowPick{width + QStringLiteral("×") + thickness, *g, {}};
}

RowReader rowReaderFor(const WeightPageDescription &d)
{
    if (!d.tableName)
        return flatBar;
    const QString table = QString::fromLatin1(d.tableName);
    if (table == QLatin1String("SeelTube"))
        return weldedPipe;
    if (table == QLatin1String("SleeveTube"))
        return conduit;
    const int fields = sectionTableShownFields(table);
    return fields > 0 ? sizeThenWeight(fields) : RowReader();
}

// A table row: the designation from its leading fields, G from its last.
Offer rowOffer(int pageIndex, const QStringList &record, const QString &unit)
{
    Offer offer;
    offer.askQuantity = true;
    offer.line.item = pageCaption(pageIndex);
    offer.line.designation = record.first();
    offer.line.material = kSteel;
    offer.line.unit = unit;
    offer.line.unitWeight = *numberIn(record.last());
    return offer;
}

class WeightCalculatorSource : public TakeoffSource {
public:
    WeightCalculatorSource(PageHost &host, int pageIndex, const WeightPageDescription &description)
        : host_(host), pageIndex_(pageIndex), description_(description), readRow_(rowReaderFor(description))
    {
    }

    Offer offer() const override
    {
        QWidget *page = host_.page(pageIndex_);
        const auto *grid = page->findChild<StringGrid *>(QString::fromLatin1(description_.gridName));
        const bool plate = description_.shape == weights::Shape::Plate;
        const QString unit = plate ? QStringLiteral("m2") : QStringLiteral("m");
        // A row picked in the table wins while the table has the focus; otherwise the calculator.
        if (grid && grid->hasFocus() && readRow_) {
            if (const auto row = readRow_(*grid)) {
                Offer offer;
                offer.askQuantity = true;
                offer.line = {pageCaption(pageIndex_), row->designation, kSteel, 0, unit, row->unitWeight, row->remark};
                return offer;
            }
        }
        const auto g = numberIn(text(page, description_.g.objectName));
        if (!g)
            return Offer::refused(QStringLiteral("请先算出理论重量G"));
        Offer offer;
        offer.line.item = pageCaption(pageIndex_);
        QStringList sizes;
        for (const NamedInput &input : description_.dimensions)
            sizes << dimensionName(input.label) + QLatin1Char('=') + text(page, input.objectName).trimmed();
        offer.line.designation = sizes.join(QLatin1Char(' '));
        // G is weighed with the material chosen beside the calculator, so the line names it.
        const auto *material = page->findChild<QComboBox *>(pages::objectName(description_.page) + QStringLiteral("_Material"));
        offer.line.material = material && !material->currentText().isEmpty() ? material->currentText() : kSteel;
        offer.line.unit = unit;
        offer.line.unitWeight = *g;
        const auto length = numberIn(text(page, description_.length.objectName));
        offer.line.quantity = length.value_or(0);
        offer.askQuantity = !length;
        return offer;
    }

private:
    static QString text(QWidget *page, const char *objectName)
    {
        const auto *edit = page->findChild<QLineEdit *>(QString::fromLatin1(objectName));
        return edit ? edit->text() : QString();
    }

    PageHost &host_;
    int pageIndex_;
    WeightPageDescription description_;
    RowReader readRow_;
};

class SectionTableSource : public TakeoffSource {
public:
    SectionTableSource(PageHost &host, int pageIndex, int fields) : host_(host), pageIndex_(pageIndex), fields_(fields) {}

    Offer offer() const override
    {
        const auto *grid = host_.page(pageIndex_)->findChild<StringGrid *>();
        const QStringList record = selectedRecord(grid, fields_);
        if (record.isEmpty())
            return Offer::refused(kPickRow);
        return rowOffer(pageIndex_, record, QStringLiteral("m"));
    }

private:
    PageHost &host_;
    int pageIndex_;
    int fields_;
};

// The checkered plate: the thickness and pattern chosen on the page (or a cell picked in its
// table) with that pattern's weight per m2; the area is the plate's width by length when both
// are typed, else asked for.
class CheckeredPlateSource : public TakeoffSource {
public:
    CheckeredPlateSource(PageHost &host, int pageIndex) : host_(host), pageIndex_(pageIndex) {}

    Offer offer() const override
    {
        QWidget *page = host_.page(pageIndex_);
        const auto *grid = page->findChild<StringGrid *>(QStringLiteral("sgridHWGB"));
        const bool lentil = comboText(page, "cbPattern_HWGB") == kLentil;
        if (grid && grid->hasFocus()) {
            if (auto offer = tableOffer(*grid, lentil))
                return *offer;
        }
        const QString thickness = comboText(page, "cbJBHD_HWGB");
        const auto *perM2 = page->findChild<QLineEdit *>(lentil ? QStringLiteral("edtBDLLZL") : QStringLiteral("edtLXLLZL"));
        const auto figure = perM2 ? numberIn(perM2->text()) : std::nullopt;
        if (thickness.isEmpty() || !figure)
            return Offer::refused(QStringLiteral("请先选择钢板基本厚度"));
        Offer offer = plateOffer(thickness, lentil, *figure);
        const auto width = numberIn(comboText(page, "cbKD"));
        const auto length = numberIn(comboText(page, "cbCD"));
        if (width && length && *width > 0 && *length > 0) {
            offer.line.quantity = *width * *length / 1e6; // mm × mm -> m2
            offer.askQuantity = false;
        }
        return offer;
    }

private:
    inline static const QString kRhombic = QStringLiteral("菱形");
    inline static const QString kLentil = QStringLiteral("扁豆形");

    static QString comboText(QWidget *page, const char *name)
    {
        const auto *combo = page->findChild<QComboBox *>(QString::fromLatin1(name));
        return combo ? combo->currentText().trimmed() : QString();
    }

    // Columns: thickness, rhombic rib, rhombic kg/m2, lentil rib, lentil kg/m2. A pattern's
    // column picks that pattern; the thickness column leaves it to the page's choice.
    std::optional<Offer> tableOffer(const StringGrid &grid, bool lentilChosen) const
    {
        const int row = grid.currentRow();
        const int column = grid.currentColumn();
        if (row < 1 || column < 0)
            return std::nullopt;
        const bool lentil = column == 0 ? lentilChosen : column >= 3;
        const QString thickness = grid.cell(0, row).trimmed();
        const auto figure = numberIn(grid.cell(lentil ? 4 : 2, row));
        if (thickness.isEmpty() || !figure)
            return std::nullopt;
        return plateOffer(thickness, lentil, *figure);
    }

    Offer plateOffer(const QString &thickness, bool lentil, double figure) const
    {
        Offer offer;
        offer.askQuantity = true;
        offer.line = {pageCaption(pageIndex_), QStringLiteral("δ%1 %2").arg(thickness, lentil ? kLentil : kRhombic), kSteel, 0,
                      QStringLiteral("m2"), figure, {}};
        return offer;
    }

    PageHost &host_;
    int pageIndex_;
};

} // namespace

std::map<int, std::unique_ptr<TakeoffSource>> makePageSources(PageHost &host)
{
    std::map<int, std::unique_ptr<TakeoffSource>> sources;
    // A cell picked in a bar, plate or pipe table offers its row; otherwise the calculator.
    for (const auto *descriptions : {&barPageDescriptions(), &pipePageDescriptions()}) {
        for (const WeightPageDescription &d : *descriptions) {
            const int index = pages::indexOf(d.page);
            sources[index] = std::make_unique<WeightCalculatorSource>(host, index, d);
        }
    }
    const int checkered = pages::indexOf(CheckeredPlatePage::kPage);
    sources[checkered] = std::make_unique<CheckeredPlateSource>(host, checkered);
    for (const auto &[page, table] : rolledPageTables()) {
        const int index = pages::indexOf(page);
        sources[index] = std::make_unique<SectionTableSource>(host, index, sectionTableShownFields(QString::fromLatin1(table)));
    }
    return sources;
}

} // namespace mhbk::takeoff
