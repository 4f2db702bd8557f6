#include "sheets/sheetwindows.h"

#include "common/pageregistry.h"
#include "sheets/sheetwindow.h"

#include <QLayout>
#include <QVBoxLayout>

namespace mhbk {

namespace {

// The tab sheets that hold the two sheets.
constexpr PageKey kNominalSizePage = PageKey::InsulationByNominalDiameter;
constexpr PageKey kOuterDiameterPage = PageKey::InsulationByOuterDiameter;

// findChild: the sheet this file put onto the page before; the tab sheet holds nothing else.
sheets::SheetWindow *existingSheet(QWidget *page)
{
    return page->findChild<sheets::SheetWindow *>(QString(), Qt::FindDirectChildrenOnly);
}

} // namespace

QWidget *createSheetWindow(int pageIndex, QWidget *page, Reporter &reporter)
{
    if (!page || !pages::isIndex(pageIndex))
        return nullptr;
    const PageKey key = pages::at(pageIndex).key;
    if (key != kNominalSizePage && key != kOuterDiameterPage)
        return nullptr;
    // A page holds its sheet for the whole run; asking again must not stack a second one.
    if (sheets::SheetWindow *sheet = existingSheet(page))
        return sheet;

    sheets::SheetWindow *sheet = nullptr;
    if (key == kNominalSizePage)
        sheet = new sheets::NominalSizeSheet(reporter, page);
    else
        sheet = new sheets::OuterDiameterSheet(reporter, page);

    QLayout *layout = page->layout();
    if (!layout) {
        layout = new QVBoxLayout(page);
        layout->setContentsMargins(0, 0, 0, 0);
    }
    layout->addWidget(sheet);
    sheet->show();
    return sheet;
}

} // namespace mhbk
