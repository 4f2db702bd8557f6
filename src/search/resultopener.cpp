#include "search/resultopener.h"

#include "common/pageregistry.h"
#include "data/stringgrid.h"
#include "sections/checkeredpage.h"
#include "sections/weightpagetables.h"
#include "search/handbookindex.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>

namespace mhbk::search {

namespace {

void selectRow(QWidget *page, const Entry &entry)
{
    auto *grid = page->findChild<StringGrid *>();
    if (!grid || entry.row >= grid->rowCount() || entry.column >= grid->colCount())
        return;
    grid->clearSelection();
    grid->setCurrentCell(entry.row, entry.column);
    const int last = std::min(entry.column + std::max(entry.span, 1), grid->colCount()) - 1;
    grid->setRangeSelected(QTableWidgetSelectionRange(entry.row, entry.column, entry.row, last), true);
    grid->scrollToItem(grid->item(entry.row, entry.column));
    grid->setFocus();
}

const WeightPageDescription *calculatorOf(const QWidget *page)
{
    for (const auto *descriptions : {&barPageDescriptions(), &pipePageDescriptions()})
        for (const WeightPageDescription &description : *descriptions)
            if (page->objectName() == QLatin1String(description.pageName))
                return &description;
    return nullptr;
}

// The calculator computes on Enter in an input, as when the user types the size.
void pressEnter(QLineEdit *edit)
{
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(edit, &press);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(edit, &release);
}

void fillCalculator(QWidget *page, const Entry &entry)
{
    if (entry.inputs.isEmpty())
        return;
    if (page->objectName() == QLatin1String(CheckeredPlatePage::kPageName)) {
        if (auto *thickness = page->findChild<QComboBox *>(QStringLiteral("cbJBHD_HWGB")))
            thickness->setCurrentIndex(thickness->findText(entry.inputs.first()));
        return;
    }
    const WeightPageDescription *calculator = calculatorOf(page);
    if (!calculator || calculator->dimensions.size() != static_cast<std::size_t>(entry.inputs.size()))
        return;
    QLineEdit *last = nullptr;
    for (std::size_t i = 0; i < calculator->dimensions.size(); ++i) {
        last = page->findChild<QLineEdit *>(QString::fromLatin1(calculator->dimensions[i].objectName));
        if (!last)
            return;
        last->setText(entry.inputs.at(static_cast<int>(i)));
    }
    pressEnter(last);
}

} // namespace

void showEntryOnPage(QWidget *page, const Entry &entry)
{
    if (!page || entry.column < 0)
        return;
    fillCalculator(page, entry);
    selectRow(page, entry);
}

} // namespace mhbk::search
