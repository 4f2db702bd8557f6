#pragma once

#include <QFrame>

class QCheckBox;
class QPushButton;

namespace mhbk {
class PageHost;
namespace view {
class SpreadsheetView;
}

namespace workbooks {

struct DuctPage;

// The bottom panel of a duct page: "执行运算" runs the plate thickness and quota selection on
// the page's spreadsheet control as one undoable step; the check box shows or hides the two
// lookup tables.
class DuctPanel : public QFrame {
    Q_OBJECT

public:
    DuctPanel(PageHost &host, view::SpreadsheetView &book, const DuctPage &page, QWidget *parent);

    QPushButton *runButton() const { return run_; }

    void run();
    void toggleTables();

private:
    PageHost &host_;
    view::SpreadsheetView &book_;
    const DuctPage &page_;
    QPushButton *run_;
    QCheckBox *display_;
};

// Hides the lookup-table columns of a freshly loaded duct sheet and adds the panel below it.
// Does nothing (and returns nullptr) unless the page is one of the four duct pages.
DuctPanel *buildDuctPanel(PageHost &host, view::SpreadsheetView &book, int pageIndex, QWidget *pageWidget);

} // namespace workbooks
} // namespace mhbk
