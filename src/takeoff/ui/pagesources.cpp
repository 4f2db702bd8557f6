#include "takeoff/ui/pagesources.h"

#include "common/pagehost.h"
#include "common/pageregistry.h"
#include "data/stringgrid.h"
#include "sections/sectiontables.h"
#include "sections/rolledpages.h"
#include "sections/weightpagetables.h"

#include <QComboBox>
#include <QLineEdit>
#include <QWidget>
#include <cmath>
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

// The selected data row of a grid laid out in blocks of `fields` columns: the block's cells
// from its first column, or nothing when no data cell is current.
QStringList selectedRecord(const StringGrid *grid, int fields)
{
    if (!grid || fields <= 0 || grid->currentRow() < 1 || grid->currentColumn() < 0)
        return {};
    const int first = grid->currentColumn() / fields * fields;
    QStringList record;
    for (int col = first; col < first + fields && col < grid->colCount(); ++col)
        record << grid->cell(col, grid->currentRow()).trimmed();
    if (record.size() != fields || record.first().isEmpty() || !numberIn(record.last()))
        return {};
    return record;
}

// A table row: the designation from its leading fields, G from its last.
Offer rowOffer(int pageIndex, const QStringList &record, bool designationIsFirstField, const QString &unit)
{
    Offer offer;
    offer.askQuantity = true;
    offer.line.item = pageCaption(pageIndex);
    offer.line.designation = designationIsFirstField ? record.first() : record.mid(0, record.size() - 1).join(QStringLiteral("×"));
    offer.line.material = kSteel;
    offer.line.unit = unit;
    offer.line.unitWeight = *numberIn(record.last());
    return offer;
}

class WeightCalculatorSource : public TakeoffSource {
public:
    WeightCalculatorSource(PageHost &host, int pageIndex, const WeightPageDescription &description, int gridFields)
        : host_(host), pageIndex_(pageIndex), description_(description), gridFields_(gridFields)
    {
    }

    Offer offer() const override
    {
        QWidget *page = host_.page(pageIndex_);
        const auto *grid = page->findChild<StringGrid *>(QString::fromLatin1(description_.gridName));
        const bool plate = description_.shape == weights::Shape::Plate;
        const QString unit = plate ? QStringLiteral("m2") : QStringLiteral("m");
        // A row picked in the table wins while the table has the focus; otherwise the calculator.
        if (grid && grid->hasFocus() && gridFields_ > 0) {
            const QStringList record = selectedRecord(grid, gridFields_);
            if (!record.isEmpty())
                return rowOffer(pageIndex_, record, false, unit);
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
        const auto *material = page->findChild<QComboBox *>(QString::fromLatin1(description_.pageName) + QStringLiteral("_Material"));
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
    int gridFields_;
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
        return rowOffer(pageIndex_, record, true, QStringLiteral("m"));
    }

private:
    PageHost &host_;
    int pageIndex_;
    int fields_;
};

} // namespace

std::map<int, std::unique_ptr<TakeoffSource>> makePageSources(PageHost &host)
{
    std::map<int, std::unique_ptr<TakeoffSource>> sources;
    // Bar and plate tables: the size fields, then G; the pipe tables are laid out otherwise,
    // so only their calculators offer lines.
    for (const WeightPageDescription &d : barPageDescriptions()) {
        const int index = pages::indexOf(d.pageName);
        const int fields = d.tableName ? sectionTableShownFields(QString::fromLatin1(d.tableName)) : 0;
        sources[index] = std::make_unique<WeightCalculatorSource>(host, index, d, fields);
    }
    for (const WeightPageDescription &d : pipePageDescriptions()) {
        const int index = pages::indexOf(d.pageName);
        sources[index] = std::make_unique<WeightCalculatorSource>(host, index, d, 0);
    }
    for (const auto &[pageName, table] : rolledPageTables()) {
        const int index = pages::indexOf(pageName);
        sources[index] = std::make_unique<SectionTableSource>(host, index, sectionTableShownFields(QString::fromLatin1(table)));
    }
    return sources;
}

} // namespace mhbk::takeoff
