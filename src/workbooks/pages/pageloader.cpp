#include "workbooks/pages/pageloader.h"

#include "common/errors.h"
#include "common/pagehost.h"
#include "common/pageregistry.h"
#include "common/reporter.h"
#include "workbooks/pages/ductpanel.h"
#include "workbooks/pages/referencekeeper.h"
#include "workbooks/pages/reportstore.h"
#include "workbooks/view/spreadsheetview.h"

#include <QVBoxLayout>
#include <QWidget>
#include <memory>

namespace mhbk::workbooks {

namespace {

// findChild: whether this loader (or an opened file) has already put a spreadsheet onto the
// workbook page's tab sheet; the tab sheet holds nothing else.
bool hasChildWidget(const QWidget *page)
{
    return page->findChild<QWidget *>(QString(), Qt::FindDirectChildrenOnly) != nullptr;
}

} // namespace

void WorkbookPageLoader::load(int pageIndex)
{
    if (!pages::isIndex(pageIndex) || pages::at(pageIndex).kind != PageKind::Workbook)
        return;
    QWidget *page = host_.page(pageIndex);
    if (!page || hasChildWidget(page))
        return;
    lookedUp_[pageIndex].run([&] { build(page, pageIndex); });
}

void WorkbookPageLoader::build(QWidget *page, int pageIndex)
{
    // A database that cannot be read now (locked, say) throws here, so the page does not count
    // as looked up and the next showing asks again. Otherwise a page is looked up once: a built
    // page keeps its control, and a page without a workbook (or with an unreadable one) stays
    // empty without being reported again.
    const auto stored = readStoredWorkbook(host_.query(), pageIndex);
    if (!stored)
        return;
    // Loaded from memory: no temporary file beside the executable, whose folder may be read-only.
    auto book = std::make_unique<view::SpreadsheetView>();
    book->setObjectName(QStringLiteral("F1Book%1").arg(pageIndex));
    try {
        book->loadFromData(stored->bytes);
    } catch (const AppError &e) {
        host_.reporter().reportError(QStringLiteral("第%1页的工作簿无法读取：%2").arg(pageIndex).arg(e.message()));
        return;
    }
    auto *layout = page->layout() ? page->layout() : new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    view::SpreadsheetView *shown = book.release();
    shown->setParent(page);
    layout->addWidget(shown);
    shown->show();
    // Why a cell cannot be typed into, or a paste is refused, shows in the window's status area.
    QObject::connect(shown, &view::SpreadsheetView::statusMessage, shown,
                     [&host = host_](const QString &text) { host.showStatus(text); });
    keepReferenceValues(host_, *shown, pageIndex, stored->bytes);
    if (stored->kind == kDuctPageKind)
        buildDuctPanel(host_, *shown, pageIndex, page);
}

} // namespace mhbk::workbooks
