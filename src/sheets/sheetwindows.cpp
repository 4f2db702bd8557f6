#include "sheets/sheetwindows.h"

#include "sheets/sheetwindow.h"

#include <QLayout>
#include <QVBoxLayout>

namespace mhbk {

namespace {

constexpr int kNominalSizePage = 5;
constexpr int kOuterDiameterPage = 6;

sheets::SheetWindow *existingSheet(QWidget *page)
{
    return page->findChild<sheets::SheetWindow *>(QString(), Qt::FindDirectChildrenOnly);
}

} // namespace

QWidget *createSheetWindow(int pageIndex, QWidget *page, Reporter &reporter)
{
    if (!page || (pageIndex != kNominalSizePage && pageIndex != kOuterDiameterPage))
        return nullptr;
    // A page holds its sheet for the whole run; asking again must not stack a second one.
    if (sheets::SheetWindow *sheet = existingSheet(page))
        return sheet;

    sheets::SheetWindow *sheet = nullptr;
    if (pageIndex == kNominalSizePage)
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
