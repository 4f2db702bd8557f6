#include "data/gridloader.h"

#include "data/datasets.h"
#include "widgets/stringgrid.h"

#include <QFontMetrics>
#include <algorithm>

#include <QHeaderView>

namespace mhbk {

void prepareBlockGrid(StringGrid &grid, int fields)
{
    grid.clear();
    grid.setRowCount(12);
    grid.setColCount(fields);
    grid.setFixedRows(1);
    grid.verticalHeader()->setDefaultSectionSize(20);
    for (int r = 0; r < grid.rowCount(); ++r)
        grid.setRowHeight(r, 20);
}

void loadTableBlocks(TableDataset &table, const QString &tableName, StringGrid &grid, int fields)
{
    table.open(tableName);
    // A fill that failed half-way leaves a grown grid behind; the retry on the next showing
    // must start again from exactly one block, or its blocks would land beside the debris.
    grid.clearContents();
    grid.setColCount(fields);
    if (grid.rowCount() < 12)
        grid.setRowCount(12);
    if (table.recordCount() == 0)
        return;
    for (int f = 0; f < fields; ++f)
        grid.setCell(f, 0, table.fieldText(f + 1));
    table.next();
    const int dataRecords = table.recordCount() - 1;
    int column = 0;
    int row = 1;
    for (int i = 1; i <= dataRecords; ++i) {
        for (int f = 0; f < fields; ++f)
            grid.setCell(column + f, row, table.fieldText(f + 1));
        if (row == 11 && i != dataRecords) {
            column = grid.colCount();
            grid.setColCount(column + fields);
            for (int f = 0; f < fields; ++f)
                grid.setCell(column + f, 0, grid.cell(f, 0));
            row = 1;
        } else {
            ++row;
        }
        table.next();
    }
    fitBlockColumns(grid, fields);
}

void fitBlockColumns(StringGrid &grid, int fields)
{
    // Every block repeats the same fields, so one width per field keeps the blocks aligned;
    // a column never gets narrower than the grid's default.
    const QFontMetrics metrics(grid.font());
    for (int f = 0; f < fields; ++f) {
        int width = grid.defaultColWidth();
        for (int column = f; column < grid.colCount(); column += fields)
            for (int row = 0; row < grid.rowCount(); ++row)
                width = std::max(width, metrics.horizontalAdvance(grid.cell(column, row)) + 10);
        for (int column = f; column < grid.colCount(); column += fields)
            grid.setColumnWidth(column, width);
    }
}

} // namespace mhbk
