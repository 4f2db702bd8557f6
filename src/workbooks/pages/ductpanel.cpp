#include "workbooks/pages/ductpanel.h"

#include "common/guarded.h"
#include "common/pagehost.h"
#include "common/pageregistry.h"
#include "common/reporter.h"
#include "workbooks/pages/ductselection.h"
#include "workbooks/view/spreadsheetview.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLayout>
#include <QPushButton>

namespace mhbk::workbooks {

DuctPanel::DuctPanel(PageHost &host, view::SpreadsheetView &book, const DuctPage &page, QWidget *parent)
    : QFrame(parent), host_(host), book_(book), page_(page)
{
    const int index = pages::indexOf(page.page);
    setObjectName(QStringLiteral("pnlDuct%1").arg(index));
    setFrameShape(QFrame::NoFrame);
    setFixedHeight(40);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(20, 10, 0, 9);
    layout->setSpacing(25);
    run_ = new QPushButton(QStringLiteral("执行运算"), this);
    run_->setFocusPolicy(Qt::TabFocus); // a click leaves the keys with the sheet
    run_->setObjectName(QStringLiteral("btnRun%1").arg(index));
    run_->setFixedSize(75, 21);
    display_ = new QCheckBox(QStringLiteral("显示“板材厚度表与定额编号表”"), this);
    display_->setObjectName(QStringLiteral("chbDisplay%1").arg(index));
    display_->setFixedWidth(200);
    layout->addWidget(run_);
    layout->addWidget(display_);
    layout->addStretch();
    connectGuarded(run_, &QPushButton::clicked, this, host_.reporter(), [this] { run(); });
    connectGuarded(display_, &QCheckBox::clicked, this, host_.reporter(), [this] { toggleTables(); });
}

void DuctPanel::run()
{
    // The run is one undoable step and leaves the current cell where the user was. A text that
    // is no number ends it with the general error report (the guarded handler); what the run
    // wrote before stays, as that step. The keys go back to the sheet, so the next number typed
    // lands in the current cell, not on the button.
    book_.setFocus(Qt::OtherFocusReason);
    book_.applyModelChange(ductRunCells(page_), QStringLiteral("执行运算"),
                           [this](wb::Workbook &book, int sheet) { runDuctSelection(book, sheet, page_); });
}

void DuctPanel::toggleTables()
{
    book_.setColumnRangeHidden(1, page_.lastTableCol, true);
    book_.setColumnRangeHidden(1, display_->isChecked() ? page_.lastTableCol : page_.lastShownCol, false);
}

DuctPanel *buildDuctPanel(PageHost &host, view::SpreadsheetView &book, int pageIndex, QWidget *pageWidget)
{
    const DuctPage *page = ductPage(pageIndex);
    if (!page)
        return nullptr;
    book.setColumnRangeHidden(1, page->lastTableCol, true);
    book.setColumnRangeHidden(1, page->lastShownCol, false);
    auto *panel = new DuctPanel(host, book, *page, pageWidget);
    if (QLayout *layout = pageWidget->layout())
        layout->addWidget(panel);
    return panel;
}

} // namespace mhbk::workbooks
