#pragma once

#include <QString>

namespace mhbk {

class TableDataset;
class StringGrid;

// Fills a grid from a table in the column-block layout: fields 1 to `fields` of the caption
// record go into row 0, every later record into the next data row, and after row 11 a new
// block of `fields` columns begins at the grid's current column count with the captions
// repeated. The grid is first reset to one block's columns (clearing an earlier partial fill).
// Throws AppError when the table cannot be read; the grid keeps what was written.
void loadTableBlocks(TableDataset &table, const QString &tableName, StringGrid &grid, int fields);

// Widens each field's columns in every block to its longest text, never below the default width.
void fitBlockColumns(StringGrid &grid, int fields);

// Prepares an empty reference grid for loadTableBlocks: 12 rows of 20 pixels, one fixed row,
// `fields` columns.
void prepareBlockGrid(StringGrid &grid, int fields);

} // namespace mhbk
