#pragma once

#include "workbooks/pages/ductselection.h"

namespace mhbk::wb {
class Workbook;
}

namespace mhbk::workbooks {

// The current-cell access of the spreadsheet control over a workbook model (its first sheet),
// for callers without a view: the command line and the tests of the duct selection.
class WorkbookCursor : public CellCursor {
public:
    explicit WorkbookCursor(wb::Workbook &book, int sheet = 0) : book_(book), sheet_(sheet) {}

    void setCurrentCell(int row, int col) override;
    QString text() const override;
    void setText(const QString &text) override;

private:
    wb::Workbook &book_;
    int sheet_;
    int row_ = 1;
    int col_ = 1;
};

} // namespace mhbk::workbooks
