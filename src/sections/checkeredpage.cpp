#include "sections/checkeredpage.h"

#include "common/guarded.h"
#include "common/pagehost.h"
#include "common/pageregistry.h"
#include "common/reporter.h"
#include "data/datasets.h"
#include "widgets/gridpaint.h"
#include "widgets/gridselection.h"
#include "widgets/stringgrid.h"
#include "sections/calcinputs.h"
#include "sections/checkered.h"
#include "numbers/numtext.h"
#include "data/gridloader.h"
#include "sections/pageparts.h"
#include "sections/sectiontables.h"
#include "sections/tableoffers.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace mhbk {

namespace {

constexpr int kFields = 5;
constexpr int kGridRows = 11; // the caption row and room for 10 thicknesses
constexpr int kColumnWidth = 97;
const QString kRhombic = QStringLiteral("菱形");
const QString kLentil = QStringLiteral("扁豆形");

QComboBox *makeCombo(QWidget *parent, const char *name, bool editable)
{
    auto *combo = new QComboBox(parent);
    combo->setObjectName(QString::fromLatin1(name));
    combo->setEditable(editable);
    if (editable) {
        combo->setInsertPolicy(QComboBox::NoInsert);
        // What the user types is the value: no completion from the list.
        combo->setCompleter(nullptr);
    }
    return combo;
}

void addSteps(QComboBox *combo, int from, int to, int step)
{
    for (int value = from; value <= to; value += step)
        combo->addItem(QString::number(value));
    combo->setCurrentIndex(-1);
    combo->setEditText(QString());
}

QGroupBox *patternBox(QWidget *parent, const QString &title, QLineEdit *rib, QLineEdit *perM2, QLineEdit *weight)
{
    auto *box = new QGroupBox(title, parent);
    auto *layout = new QGridLayout(box);
    const QString rows[] = {QStringLiteral("纹高(mm)"), QStringLiteral("理论重量(kg/m2)"), QStringLiteral("重量(kg)")};
    QLineEdit *edits[] = {rib, perM2, weight};
    for (int i = 0; i < 3; ++i) {
        layout->addWidget(new QLabel(rows[i], box), i, 0);
        layout->addWidget(edits[i], i, 1);
    }
    return box;
}

} // namespace

CheckeredPlatePage::CheckeredPlatePage(PageHost &host)
    : QObject(host.page(pages::indexOf(kPage))), host_(host)
{
    QWidget *page = host.page(pages::indexOf(kPage));
    grid_ = makeReferenceGrid(page, QStringLiteral("sgridHWGB"), kColumnWidth, looks::firstBlueOddGreenEvenRed);
    grid_->setRowCount(kGridRows);
    grid_->setColCount(kFields);
    grid_->setFixedRows(1);
    QVBoxLayout *layout = pageLayout(page);
    layout->addWidget(grid_);
    buildForm(page, layout);
    layout->addStretch(1);
    host.registerPageServices(pages::indexOf(kPage), {.takeoff = this, .search = this});
}

void CheckeredPlatePage::buildForm(QWidget *page, QVBoxLayout *layout)
{
    thickness_ = makeCombo(page, "cbJBHD_HWGB", false);
    width_ = makeCombo(page, "cbKD", true);
    length_ = makeCombo(page, "cbCD", true);
    addSteps(width_, 600, 1800, 50);
    addSteps(length_, 600, 12000, 100);
    rhombicRib_ = makeOutputEdit(page, QStringLiteral("edtLXWG"), QStringLiteral("mm"));
    rhombicPerM2_ = makeOutputEdit(page, QStringLiteral("edtLXLLZL"), QStringLiteral("kg/m2"));
    rhombicWeight_ = makeOutputEdit(page, QStringLiteral("edtLXZL"), QStringLiteral("kg"));
    lentilRib_ = makeOutputEdit(page, QStringLiteral("edtBDWG"), QStringLiteral("mm"));
    lentilPerM2_ = makeOutputEdit(page, QStringLiteral("edtBDLLZL"), QStringLiteral("kg/m2"));
    lentilWeight_ = makeOutputEdit(page, QStringLiteral("edtBDZL"), QStringLiteral("kg"));

    // Which pattern a line added to the takeoff list weighs; the page shows both either way.
    pattern_ = makeCombo(page, "cbPattern_HWGB", false);
    pattern_->addItems({kRhombic, kLentil});

    auto *choices = new QGridLayout;
    const QString labels[] = {QStringLiteral("钢板基本厚度(mm)："), QStringLiteral("钢板宽度(mm)："),
                              QStringLiteral("钢板长度(mm)："), QStringLiteral("花纹：")};
    QComboBox *combos[] = {thickness_, width_, length_, pattern_};
    for (int i = 0; i < 4; ++i) {
        choices->addWidget(new QLabel(labels[i], page), i, 0);
        choices->addWidget(combos[i], i, 1);
    }
    auto *row = new QHBoxLayout;
    row->addLayout(choices);
    row->addWidget(patternBox(page, QStringLiteral("菱形纹高"), rhombicRib_, rhombicPerM2_, rhombicWeight_));
    row->addWidget(patternBox(page, QStringLiteral("扁豆形纹高"), lentilRib_, lentilPerM2_, lentilWeight_));
    row->addStretch(1);
    layout->addLayout(row);
    layout->addWidget(makeStandardNote(page, sectionTableNote(checkered::kTable)));

    Reporter &reporter = host_.reporter();
    connectGuarded(thickness_, &QComboBox::currentIndexChanged, this, reporter, [this](int index) {
        if (index >= 0)
            thicknessChanged();
    });
    // The edit text changes both when an item is picked and on every keystroke.
    connectGuarded(width_, &QComboBox::editTextChanged, this, reporter, [this] { computeWeights(); });
    connectGuarded(length_, &QComboBox::editTextChanged, this, reporter, [this] { computeWeights(); });
}

void CheckeredPlatePage::show()
{
    loaded_.run([this] { fillGrid(); });
}

void CheckeredPlatePage::fillGrid()
{
    // Filling the list must not count as the user picking a thickness.
    const QSignalBlocker blocker(thickness_);
    thickness_->clear();
    grid_->clearContents();
    TableDataset table(host_.database());
    table.open(checkered::kTable);
    if (table.recordCount() == 0)
        return;
    for (int f = 0; f < kFields; ++f)
        grid_->setCell(f, 0, table.fieldText(f + 1));
    int row = 1;
    for (table.next(); !table.eof(); table.next(), ++row) {
        // The grid has room for 10 thicknesses; the list gets them all.
        for (int f = 0; f < kFields; ++f)
            grid_->setCell(f, row, table.fieldText(f + 1));
        thickness_->addItem(table.fieldText(1));
    }
    fitBlockColumns(*grid_, kFields);
    thickness_->setCurrentIndex(-1);
}

void CheckeredPlatePage::thicknessChanged()
{
    const auto patterns = checkered::lookup(host_.query(), thickness_->currentText());
    if (!patterns)
        return;
    rhombicRib_->setText(patterns->rhombicRib);
    rhombicPerM2_->setText(patterns->rhombicWeight);
    lentilRib_->setText(patterns->lentilRib);
    lentilPerM2_->setText(patterns->lentilWeight);
    computeWeights();
}

void CheckeredPlatePage::computeWeights()
{
    const auto weights = checkered::plateWeights(width_->currentText(), length_->currentText(),
                                                 rhombicPerM2_->text(), lentilPerM2_->text());
    if (!weights) {
        host_.reporter().showMessage(checkered::kNotNumericMessage, kApplicationTitle, MessageIcon::None);
        return;
    }
    rhombicWeight_->setText(floatToStr(weights->rhombic));
    lentilWeight_->setText(floatToStr(weights->lentil));
}

TakeoffOffer CheckeredPlatePage::takeoffOffer() const
{
    const bool lentil = pattern_->currentText() == kLentil;
    if (grid_->hasFocus()) {
        if (auto offer = tableOffer(lentil))
            return *offer;
    }
    const QString thickness = thickness_->currentText().trimmed();
    const auto perM2 = shownNumber((lentil ? lentilPerM2_ : rhombicPerM2_)->text());
    if (thickness.isEmpty() || !perM2)
        return TakeoffOffer::refused(QStringLiteral("请先选择钢板基本厚度"));
    TakeoffOffer offer = plateOffer(thickness, lentil, *perM2);
    const auto width = shownNumber(width_->currentText());
    const auto length = shownNumber(length_->currentText());
    if (width && length && *width > 0 && *length > 0) {
        offer.quantity = *width * *length / 1e6; // mm × mm -> m2
        offer.askQuantity = false;
    }
    return offer;
}

// Columns: thickness, rhombic rib, rhombic kg/m2, lentil rib, lentil kg/m2. A pattern's column
// picks that pattern; the thickness column leaves it to the page's choice.
std::optional<TakeoffOffer> CheckeredPlatePage::tableOffer(bool lentilChosen) const
{
    const int row = grid_->currentRow();
    const int column = grid_->currentColumn();
    if (row < 1 || column < 0)
        return std::nullopt;
    const bool lentil = column == 0 ? lentilChosen : column >= 3;
    const QString thickness = grid_->cell(0, row).trimmed();
    const auto perM2 = shownNumber(grid_->cell(lentil ? 4 : 2, row));
    if (thickness.isEmpty() || !perM2)
        return std::nullopt;
    return plateOffer(thickness, lentil, *perM2);
}

TakeoffOffer CheckeredPlatePage::plateOffer(const QString &thickness, bool lentil, double perM2) const
{
    return pickedRowOffer(kPage, {QStringLiteral("δ%1 %2").arg(thickness, lentil ? kLentil : kRhombic), perM2, {}},
                          QStringLiteral("m2"));
}

void CheckeredPlatePage::showSearchResult(const SearchSpot &spot)
{
    if (!spot.inputs.isEmpty())
        thickness_->setCurrentIndex(thickness_->findText(spot.inputs.first()));
    selectRowCells(*grid_, spot.row, spot.column, spot.span);
}

} // namespace mhbk
