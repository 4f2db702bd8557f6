#pragma once

#include "workbooks/engine/workbook.h"
#include "workbooks/pages/referencevalues.h"

#include <QObject>

class QAction;

namespace mhbk {
class PageHost;
namespace view {
class SpreadsheetView;
}

namespace workbooks {

// Keeps the user's corrections of a page's green reference cells: lays the stored ones over
// the freshly loaded sheet, stores the set again whenever a reference cell changes (typing,
// pasting, undo), and offers "恢复默认值" in the sheet's context menu.
class ReferenceKeeper : public QObject {
public:
    // Lays the stored corrections over `book` and watches it; the shipped workbook is what
    // 恢复默认值 goes back to. A damaged file is reported and the shipped values stay.
    ReferenceKeeper(PageHost &host, view::SpreadsheetView &book, int pageIndex, wb::Workbook shipped);

    QAction *restoreAction() const { return restore_; }
    // Asks first; "是" writes the shipped values back as one undoable step.
    void restoreDefaults();

private:
    void cellChanged(int row, int col);

    PageHost &host_;
    view::SpreadsheetView &book_;
    int pageIndex_;
    wb::Workbook shipped_;
    ReferenceStore store_;
    QAction *restore_;
};

// Sets up the keeper for a page whose sheet has reference cells; nullptr for any other page.
ReferenceKeeper *keepReferenceValues(PageHost &host, view::SpreadsheetView &book, int pageIndex,
                                     const QByteArray &shippedBytes);

} // namespace workbooks
} // namespace mhbk
