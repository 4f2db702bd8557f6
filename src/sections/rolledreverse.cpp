#include "sections/rolledreverse.h"

#include "common/guarded.h"
#include "common/pagehost.h"
#include "common/pageregistry.h"
#include "common/reporter.h"
#include "widgets/stringgrid.h"
#include "history/historystore.h"
#include "numbers/numtext.h"
#include "sections/calcinputs.h"
#include "sections/materialchoice.h"
#include "sections/weightpage.h"
#include "sections/weights.h"

#include <QComboBox>
#include <QDateTime>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

namespace mhbk {

RolledReverse::RolledReverse(PageHost &host, QWidget *page, StringGrid *grid, int fields, history::HistoryStore *history)
    : QObject(page), host_(host), grid_(grid), fields_(fields), history_(history)
{
    const QString pageName = page->objectName();
    const auto index = pages::find(pageName.toStdString());
    pageCaption_ = index ? QString::fromUtf8(pages::at(*index).caption) : QString();

    auto *box = new QGroupBox(QStringLiteral("由重量求长度（选表中一行）"), page);
    box->setObjectName(pageName + QStringLiteral("_Reverse"));
    box_ = box;
    designation_ = new QLabel(box);
    designation_->setObjectName(pageName + QStringLiteral("_Row"));
    gEdit_ = makeOutputEdit(box, pageName + QStringLiteral("_RowG"), QStringLiteral("kg/m"));
    weightEdit_ = makeNumericInput(box, pageName + QStringLiteral("_WeightM"), host.reporter(), [this] { computeLength(); });
    lengthEdit_ = makeOutputEdit(box, pageName + QStringLiteral("_LengthL"), QStringLiteral("m"));

    materials_ = new weights::MaterialChoice(host, box, pageName);
    connect(materials_, &weights::MaterialChoice::chosen, this, [this] {
        showG();
        lengthEdit_->clear();
    });

    auto *form = new QGridLayout(box);
    auto *materialLabel = new QLabel(QStringLiteral("材料："), box);
    materialLabel->setBuddy(materials_->box());
    auto *materialRow = new QHBoxLayout;
    materialRow->addWidget(materials_->box());
    materialRow->addWidget(materials_->densityLabel());
    form->addWidget(new QLabel(QStringLiteral("型号："), box), 0, 0);
    form->addWidget(designation_, 0, 1);
    form->addWidget(materialLabel, 1, 0);
    form->addLayout(materialRow, 1, 1);
    form->addWidget(new QLabel(QStringLiteral("G(kg/m)："), box), 2, 0);
    form->addWidget(gEdit_, 2, 1);
    form->addWidget(new QLabel(QStringLiteral("由重量 M (kg)："), box), 3, 0);
    form->addWidget(weightEdit_, 3, 1);
    form->addWidget(new QLabel(QStringLiteral("求长度 L (m)："), box), 4, 0);
    form->addWidget(lengthEdit_, 4, 1);
    QWidget::setTabOrder(materials_->box(), weightEdit_);

    connectGuarded(grid, &StringGrid::currentCellChanged, this, host.reporter(),
                   [this](int row, int column) { takeRow(row, column); });
}

void RolledReverse::takeRow(int row, int column)
{
    const int first = column < 0 ? -1 : column - column % fields_;
    const QString name = first < 0 || row < 1 ? QString() : grid_->cell(first, row);
    const QString g = first < 0 || row < 1 ? QString() : grid_->cell(first + fields_ - 1, row);
    const bool chosen = !name.isEmpty() && parseReal(g);
    designation_->setText(chosen ? name : QString());
    tableG_ = chosen ? g : QString();
    showG();
    lengthEdit_->clear();
}

const weights::Material &RolledReverse::material() const
{
    return materials_->current();
}

// Steel keeps the table's own G; another material G × its density / 7.85, to the table's 0.001 kg/m.
QString RolledReverse::gText(const QString &tableG) const
{
    const auto g = parseReal(tableG);
    if (!g || material().name == weights::steel().name)
        return tableG;
    return formatFixed((*g * material().density / weights::kSteelDensity).toDouble(), 3);
}

void RolledReverse::showG()
{
    gEdit_->setText(gText(tableG_));
}

void RolledReverse::loadMaterials()
{
    materials_->reload();
    showG();
}

void RolledReverse::takeCurrentRowOnce()
{
    if (tookFirstRow_ || grid_->rowCount() < 2)
        return;
    tookFirstRow_ = true;
    takeRow(grid_->currentRow(), grid_->currentColumn());
}

void RolledReverse::computeLength()
{
    if (gEdit_->text().isEmpty()) {
        host_.reporter().showMessage(kNeedRowMessage, kApplicationTitle, MessageIcon::None);
        lengthEdit_->clear();
        return;
    }
    if (weightEdit_->text().isEmpty()) {
        lengthEdit_->clear();
        return;
    }
    const auto length = weights::lengthFromWeight(gEdit_->text(), weightEdit_->text());
    if (!length) {
        lengthEdit_->clear();
        host_.reporter().showMessage(weights::kNoLengthForWeight, kApplicationTitle, MessageIcon::None);
        return;
    }
    // In the grid's own format, three decimals (G is given to 0.001 kg/m; L to the millimetre),
    // not the fifteen digits of the division.
    lengthEdit_->setText(formatFixed(length->toDouble(), 3));
    if (history_) {
        QString input = QStringLiteral("%1 %2 M=%3").arg(pageCaption_, designation_->text(), weightEdit_->text());
        if (material().name != weights::steel().name)
            input += QLatin1Char(' ') + material().name;
        history_->add({QDateTime::currentDateTime(), history::Kind::Weight, input, lengthEdit_->text(), QStringLiteral("m")});
    }
}

} // namespace mhbk
