#pragma once

namespace mhbk {

// Column-block layout of the reference grids: row 0 holds the captions, rows 1 to 11 the
// data, and a table with more rows continues in another block of `fields` columns to the right.
struct BlockLayout {
    int fields = 2;
    int dataRowsPerBlock = 11;

    struct Cell {
        int column;
        int row;
    };

    // Where field f (0-based among the shown fields) of data record i (0-based) goes.
    Cell cellOf(int dataRecord, int field) const
    {
        return {(dataRecord / dataRowsPerBlock) * fields + field, dataRecord % dataRowsPerBlock + 1};
    }

    // Columns needed for this many data records (at least one block for the captions).
    int columnCount(int dataRecords) const
    {
        const int blocks = dataRecords <= 0 ? 1 : (dataRecords + dataRowsPerBlock - 1) / dataRowsPerBlock;
        return blocks * fields;
    }
};

} // namespace mhbk
