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
// pasting, undo), and offers "恢复默认值" in the sheet's context menu. Corrections made since the
// page was last saved are part of its unsaved changes: saving the page keeps them, 不保存 puts
// the stored set back as it was.
class ReferenceKeeper : public QObject {
    Q_OBJECT

public:
    // Lays the stored corrections over `book` and watches it; the shipped workbook is what
    // 恢复默认值 goes back to. A damaged file is reported and the shipped values stay.
    ReferenceKeeper(PageHost &host, view::SpreadsheetView &book, int pageIndex, wb::Workbook shipped);

    // Asks first; "是" writes the shipped values back as one undoable step. The answer is
    // final: the restored values are stored at once, and a page that had nothing else unsaved
    // stays without unsaved changes.
    void restoreDefaults();

    // The page was saved: its corrections as they stand are the ones kept.
    void keepAsSaved();
    // The page's changes were declined: the corrections go back to the last kept set.
    void discardUnsaved();

private:
    void cellChanged(int row, int col);

    PageHost &host_;
    view::SpreadsheetView &book_;
    int pageIndex_;
    wb::Workbook shipped_;
    ReferenceStore store_;
    ReferenceCorrections kept_; // as at the start, the last save or the last restore
    QAction *restore_;
};

// Sets up the keeper for a page whose sheet has reference cells; nullptr for any other page.
ReferenceKeeper *keepReferenceValues(PageHost &host, view::SpreadsheetView &book, int pageIndex,
                                     const QByteArray &shippedBytes);

} // namespace workbooks
} // namespace mhbk
