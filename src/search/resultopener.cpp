#include "search/resultopener.h"

#include "common/pageregistry.h"
#include "widgets/stringgrid.h"
#include "sections/checkeredpage.h"
#include "sections/weightpage.h"
#include "search/handbookindex.h"

#include <QComboBox>

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

void fillCalculator(QWidget *page, const Entry &entry)
{
    if (entry.inputs.isEmpty())
        return;
    if (page->objectName() == pages::objectName(CheckeredPlatePage::kPage)) {
        if (auto *thickness = page->findChild<QComboBox *>(QStringLiteral("cbJBHD_HWGB")))
            thickness->setCurrentIndex(thickness->findText(entry.inputs.first()));
        return;
    }
    // The sizes and G are shown, but the history keeps only what the user calculated.
    if (auto *calculator = page->findChild<WeightPage *>())
        calculator->showSizes(entry.inputs);
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
