#include "sections/weightpage.h"

#include "common/errors.h"
#include "history/historystore.h"
#include "numbers/numtext.h"
#include "common/pagehost.h"
#include "common/pageregistry.h"
#include "common/reporter.h"
#include "widgets/gridselection.h"
#include "widgets/stringgrid.h"
#include "sections/calcinputs.h"
#include "sections/flatbargrid.h"
#include "sections/materialchoice.h"
#include "sections/pageparts.h"
#include "sections/sectiontables.h"

#include <QComboBox>
#include <QDateTime>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <algorithm>

namespace mhbk {

namespace {

QString childName(const WeightPageDescription &description, const char *suffix)
{
    return pages::objectName(description.page) + QString::fromLatin1(suffix);
}

// "d(mm)：" -> "d"
QString dimensionName(const char *label)
{
    QString name = QString::fromUtf8(label);
    const int cut = name.indexOf(QLatin1Char('('));
    return (cut >= 0 ? name.left(cut) : name).trimmed();
}

} // namespace

WeightPage::WeightPage(PageHost &host, const WeightPageDescription &description, history::HistoryStore *history)
    : QObject(host.page(pages::indexOf(description.page))), host_(host), description_(description),
      readRow_(weightTableReader(description)), history_(history)
{
    QWidget *page = host.page(pages::indexOf(description.page));
    grid_ = makeReferenceGrid(page, QString::fromLatin1(description.gridName), description.columnWidth, description.look);
    if (description.tableName) {
        const QString table = QString::fromLatin1(description.tableName);
        filler_ = std::make_unique<BlockGridFiller>(grid_, table, sectionTableShownFields(table));
    } else {
        prepareFlatBarGrid(*grid_);
    }
    QVBoxLayout *layout = pageLayout(page);
    layout->addWidget(grid_);
    buildCalculator(page, layout);
    layout->addStretch(1);
    host.registerPageServices(pages::indexOf(description.page), {.takeoff = this, .search = this});
}

WeightPage::~WeightPage() = default;

void WeightPage::buildCalculator(QWidget *page, QVBoxLayout *layout)
{
    auto *row = new QHBoxLayout;
    if (description_.picture != Profile::None)
        row->addWidget(new SectionDrawing(description_.picture, page), 0, Qt::AlignTop);

    // Labels above their fields: the dimensions and G on the first line, L and M on the second.
    auto *form = new QGridLayout;
    int column = 0;
    auto place = [&](int line, const NamedInput &input, QLineEdit *edit) {
        form->addWidget(new QLabel(QString::fromUtf8(input.label), page), line * 2, column);
        form->addWidget(edit, line * 2 + 1, column);
        ++column;
    };
    Reporter &reporter = host_.reporter();
    for (const NamedInput &input : description_.dimensions) {
        auto *edit = makeNumericInput(page, QString::fromLatin1(input.objectName), reporter, [this] { computeG(); });
        dimensionEdits_.push_back(edit);
        place(0, input, edit);
    }
    gEdit_ = makeOutputEdit(page, QString::fromLatin1(description_.g.objectName), unitOfG());
    place(0, description_.g, gEdit_);
    column = 0;
    lengthEdit_ = makeNumericInput(page, QString::fromLatin1(description_.length.objectName), reporter, [this] { computeM(); });
    place(1, description_.length, lengthEdit_);
    mEdit_ = makeOutputEdit(page, QString::fromLatin1(description_.m.objectName), QStringLiteral("kg"));
    place(1, description_.m, mEdit_);
    // The reverse calculation on a third line: from a total weight, the length (plate: the area).
    column = 0;
    weightEdit_ = makeNumericInput(page, childName(description_, "_WeightM"), reporter, [this] { computeLength(); });
    place(2, {"", "由重量 M (kg)："}, weightEdit_);
    reverseEdit_ = makeOutputEdit(page, childName(description_, "_LengthL"), unitOfLength());
    place(2, {"", description_.shape == weights::Shape::Plate ? "求面积 L (m2)：" : "求长度 L (m)："}, reverseEdit_);

    auto *right = new QVBoxLayout;
    right->addLayout(buildMaterialRow(page));
    right->addLayout(form);
    const QString note = description_.tableName ? sectionTableNote(QString::fromLatin1(description_.tableName))
                                                : flatBarGridNote();
    right->addWidget(makeLegend(page, description_.legend, note));
    row->addLayout(right);
    row->addStretch(1);
    layout->addLayout(row);
}

QLayout *WeightPage::buildMaterialRow(QWidget *page)
{
    auto *row = new QHBoxLayout;
    auto *label = new QLabel(QStringLiteral("材料："), page);
    materials_ = new weights::MaterialChoice(host_, page, childName(description_, ""));
    label->setBuddy(materials_->box());
    connect(materials_, &weights::MaterialChoice::chosen, this, [this] { onMaterialChosen(); });
    row->addWidget(label);
    row->addWidget(materials_->box());
    row->addWidget(materials_->densityLabel());
    row->addStretch(1);
    return row;
}

void WeightPage::show()
{
    if (filler_) {
        filler_->fillOnce(host_.database());
    } else if (!flatBarLoaded_) {
        fillFlatBarGrid(*grid_);
        flatBarLoaded_ = true;
    }
    // A density table that cannot be read is a damaged database: the error goes to the general
    // report (through the show handler's guard) and the choice keeps what it offered before.
    materials_->reload();
    onMaterialChosen();
}

const weights::Material &WeightPage::material() const
{
    return materials_->current(); // made by the constructor
}

// The figures on show follow the material; nothing is computed that was not shown before.
void WeightPage::onMaterialChosen()
{
    if (gEdit_->text().isEmpty() || !updateG())
        return;
    if (!mEdit_->text().isEmpty())
        updateM();
    if (!reverseEdit_->text().isEmpty())
        updateLength();
}

QString WeightPage::unitOfG() const
{
    return description_.shape == weights::Shape::Plate ? QStringLiteral("kg/m2") : QStringLiteral("kg/m");
}

QString WeightPage::unitOfLength() const
{
    return description_.shape == weights::Shape::Plate ? QStringLiteral("m2") : QStringLiteral("m");
}

void WeightPage::computeG()
{
    if (updateG())
        record(dimensionInputs(), gEdit_, unitOfG());
}

bool WeightPage::showSizes(const QStringList &sizes)
{
    if (static_cast<std::size_t>(sizes.size()) != dimensionEdits_.size())
        return false;
    for (std::size_t i = 0; i < dimensionEdits_.size(); ++i)
        dimensionEdits_[i]->setText(sizes.at(static_cast<qsizetype>(i)));
    updateG();
    return true;
}

bool WeightPage::updateG()
{
    std::vector<weights::Real> values;
    for (QLineEdit *edit : dimensionEdits_) {
        if (edit->text().isEmpty()) {
            gEdit_->clear();
            return false;
        }
    }
    for (QLineEdit *edit : dimensionEdits_) {
        const auto value = parseReal(edit->text());
        if (!value) {
            if (description_.badNumber == BadNumber::PageMessage)
                host_.reporter().showMessage(kBadInputMessage, kApplicationTitle, MessageIcon::None);
            else
                host_.reporter().reportError(conversionErrorText(edit->text()));
            return false;
        }
        values.push_back(*value);
    }
    gEdit_->setText(floatToStr(weights::weightPerUnit(description_.shape, values, material().density)));
    return true;
}

void WeightPage::computeM()
{
    if (updateM())
        record(dimensionInputs() << QStringLiteral("L=") + lengthEdit_->text(), mEdit_, QStringLiteral("kg"));
}

bool WeightPage::updateM()
{
    if (gEdit_->text().isEmpty()) {
        host_.reporter().showMessage(kNeedGMessage, kApplicationTitle, MessageIcon::None);
        mEdit_->clear();
        return false;
    }
    if (lengthEdit_->text().isEmpty()) {
        mEdit_->clear();
        return false;
    }
    // A length that is no number has no message of the page's own: the conversion error
    // escapes to the general error report and M keeps its text.
    mEdit_->setText(floatToStr(weights::lengthWeight(gEdit_->text(), lengthEdit_->text())));
    return true;
}

void WeightPage::computeLength()
{
    if (updateLength())
        record(dimensionInputs() << QStringLiteral("M=") + weightEdit_->text(), reverseEdit_, unitOfLength());
}

bool WeightPage::updateLength()
{
    if (gEdit_->text().isEmpty()) {
        host_.reporter().showMessage(kNeedGMessage, kApplicationTitle, MessageIcon::None);
        reverseEdit_->clear();
        return false;
    }
    if (weightEdit_->text().isEmpty()) {
        reverseEdit_->clear();
        return false;
    }
    // As for L, a weight that is no number goes to the general error report.
    const auto length = weights::lengthFromWeight(gEdit_->text(), weightEdit_->text());
    if (!length) {
        reverseEdit_->clear();
        host_.reporter().showMessage(weights::kNoLengthForWeight, kApplicationTitle, MessageIcon::None);
        return false;
    }
    reverseEdit_->setText(floatToStr(*length));
    return true;
}

// The page's name, the material when it is not steel, and the dimensions as typed:
// "圆钢 d=10", "圆钢 黄铜 8.5 g/cm3 d=10".
QStringList WeightPage::dimensionInputs() const
{
    QStringList inputs{QString::fromUtf8(pages::at(description_.page).caption)};
    if (material().name != weights::steel().name)
        inputs << material().name << floatToStr(material().density) + QStringLiteral(" g/cm3");
    const auto shape = std::find_if(weights::shapes().begin(), weights::shapes().end(),
                                    [this](const weights::ShapeInfo &info) { return info.shape == description_.shape; });
    for (std::size_t i = 0; i < dimensionEdits_.size(); ++i)
        inputs << shape->dimensions.value(static_cast<qsizetype>(i)) + QLatin1Char('=') + dimensionEdits_[i]->text();
    return inputs;
}

void WeightPage::record(const QStringList &inputs, const QLineEdit *result, const QString &unit)
{
    if (!history_)
        return;
    history_->add({QDateTime::currentDateTime(), history::Kind::Weight, inputs.join(QLatin1Char(' ')), result->text(), unit});
}

TakeoffOffer WeightPage::takeoffOffer() const
{
    const QString unit = description_.shape == weights::Shape::Plate ? QStringLiteral("m2") : QStringLiteral("m");
    // A row picked in the table wins while the table has the focus; otherwise the calculator.
    if (grid_->hasFocus() && readRow_) {
        if (const auto row = readRow_(*grid_))
            return pickedRowOffer(description_.page, *row, unit);
    }
    const auto g = shownNumber(gEdit_->text());
    if (!g)
        return TakeoffOffer::refused(QStringLiteral("请先算出理论重量G"));
    TakeoffOffer offer;
    offer.item = QString::fromUtf8(pages::at(description_.page).caption);
    QStringList sizes;
    for (std::size_t i = 0; i < dimensionEdits_.size(); ++i)
        sizes << dimensionName(description_.dimensions[i].label) + QLatin1Char('=') + dimensionEdits_[i]->text().trimmed();
    offer.designation = sizes.join(QLatin1Char(' '));
    // G is weighed with the material chosen beside the calculator, so the line names it.
    offer.material = material().name;
    offer.unit = unit;
    offer.unitWeight = *g;
    const auto length = shownNumber(lengthEdit_->text());
    offer.quantity = length.value_or(0);
    offer.askQuantity = !length;
    return offer;
}

void WeightPage::showSearchResult(const SearchSpot &spot)
{
    // The sizes and G are shown, but the history keeps only what the user calculated.
    if (!spot.inputs.isEmpty())
        showSizes(spot.inputs);
    selectRowCells(*grid_, spot.row, spot.column, spot.span);
}

} // namespace mhbk
