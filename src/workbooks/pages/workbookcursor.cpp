#include "workbooks/pages/workbookcursor.h"

#include "workbooks/engine/workbook.h"

namespace mhbk::workbooks {

void WorkbookCursor::setCurrentCell(int row, int col)
{
    row_ = row;
    col_ = col;
}

QString WorkbookCursor::text() const
{
    return book_.displayText(sheet_, row_ - 1, col_ - 1);
}

void WorkbookCursor::setText(const QString &text)
{
    book_.setInput(sheet_, row_ - 1, col_ - 1, text);
}

} // namespace mhbk::workbooks
