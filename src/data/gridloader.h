#pragma once

#include <QString>

namespace mhbk {

class AdoTable;
class StringGrid;

// Fills a grid from a table in the column-block layout: fields 1 to `fields` of the caption
// record go into row 0, every later record into the next data row, and after row 11 a new
// block of `fields` columns begins at the grid's current column count with the captions
// repeated. The grid must start with exactly one block's columns and 12 rows.
// Throws AppError when the table cannot be read; the grid keeps what was written.
void loadTableBlocks(AdoTable &table, const QString &tableName, StringGrid &grid, int fields);

// Prepares an empty reference grid for loadTableBlocks: 12 rows, one fixed row, `fields` columns.
void prepareBlockGrid(StringGrid &grid, int fields);

} // namespace mhbk
