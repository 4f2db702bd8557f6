#include "sections/weightpage.h"

#include "common/errors.h"
#include "numbers/numtext.h"
#include "common/pagehost.h"
#include "common/pageregistry.h"
#include "common/reporter.h"
#include "data/stringgrid.h"
#include "sections/calcinputs.h"
#include "sections/flatbargrid.h"
#include "sections/pageparts.h"
#include "sections/sectiontables.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace mhbk {

WeightPage::WeightPage(PageHost &host, const WeightPageDescription &description)
    : QObject(host.page(pages::indexOf(description.pageName))), host_(host), description_(description)
{
    QWidget *page = host.page(pages::indexOf(description.pageName));
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
    gEdit_ = makeOutputEdit(page, QString::fromLatin1(description_.g.objectName));
    place(0, description_.g, gEdit_);
    column = 0;
    lengthEdit_ = makeNumericInput(page, QString::fromLatin1(description_.length.objectName), reporter, [this] { computeM(); });
    place(1, description_.length, lengthEdit_);
    mEdit_ = makeOutputEdit(page, QString::fromLatin1(description_.m.objectName));
    place(1, description_.m, mEdit_);

    auto *right = new QVBoxLayout;
    right->addLayout(form);
    const QString note = description_.tableName ? sectionTableNote(QString::fromLatin1(description_.tableName))
                                                : flatBarGridNote();
    right->addWidget(makeLegend(page, description_.legend, note));
    row->addLayout(right);
    row->addStretch(1);
    layout->addLayout(row);
}

void WeightPage::show()
{
    if (filler_) {
        filler_->fillOnce(host_.database());
    } else if (!flatBarLoaded_) {
        fillFlatBarGrid(*grid_);
        flatBarLoaded_ = true;
    }
}

void WeightPage::computeG()
{
    std::vector<weights::Real> values;
    for (QLineEdit *edit : dimensionEdits_) {
        if (edit->text().isEmpty()) {
            gEdit_->clear();
            return;
        }
    }
    for (QLineEdit *edit : dimensionEdits_) {
        const auto value = parseReal(edit->text());
        if (!value) {
            if (description_.badNumber == BadNumber::PageMessage)
                host_.reporter().showMessage(kBadInputMessage, kApplicationTitle, MessageIcon::None);
            else
                host_.reporter().reportError(conversionErrorText(edit->text()));
            return;
        }
        values.push_back(*value);
    }
    gEdit_->setText(floatToStr(weights::weightPerUnit(description_.shape, values)));
}

void WeightPage::computeM()
{
    if (gEdit_->text().isEmpty()) {
        host_.reporter().showMessage(kNeedGMessage, kApplicationTitle, MessageIcon::None);
        mEdit_->clear();
        return;
    }
    if (lengthEdit_->text().isEmpty()) {
        mEdit_->clear();
        return;
    }
    // A length that is no number has no message of the page's own: the conversion error
    // escapes to the general error report and M keeps its text.
    mEdit_->setText(floatToStr(weights::lengthWeight(gEdit_->text(), lengthEdit_->text())));
}

} // namespace mhbk
