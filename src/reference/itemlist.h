#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace mhbk::reference {

// The texts of one list item (one record's worth of cells).
using Item = QStringList;

// Where the items of an editable grid stand. Slots are numbered from 0 down a block of
// item rows, then on to the next block to the right.
struct ItemLayout {
    int cellsPerItem = 3;
    int blockColumns = 4;
    int firstItemRow = 0;
    int lastItemRow = 14;

    struct Cell {
        int column;
        int row;
    };

    int itemsPerBlock() const { return lastItemRow - firstItemRow + 1; }
    // Columns of a block that hold no item cell (the unit grid's 10-pixel spacer).
    int spacerColumns() const { return blockColumns - cellsPerItem; }
    // The last block has no spacer after it.
    int columnsFor(int blocks) const { return blocks * blockColumns - spacerColumns(); }
    int blocksOf(int columns) const { return (columns + spacerColumns()) / blockColumns; }
    int blocksFor(int items) const { return items <= 0 ? 1 : (items + itemsPerBlock() - 1) / itemsPerBlock(); }

    // The first cell of the item in this slot.
    Cell cellOf(int slot) const;
    // The slot of the item a cell belongs to; nothing for a caption row or a cell outside the grid's rows.
    std::optional<int> slotAt(int column, int row) const;
    // Whether the cell holds a text of an item: not a caption row nor a spacer column.
    bool isItemCell(int column, int row) const
    {
        return slotAt(column, row).has_value() && column % blockColumns < cellsPerItem;
    }
};

// StringGrid1: three cells an item, 15 item rows from row 0, a spacer column after each block.
inline constexpr ItemLayout kUnitLayout{3, 4, 0, 14};
// StringGrid2: two cells an item, caption row 0 and 14 item rows in every block.
inline constexpr ItemLayout kDensityLayout{2, 2, 1, 14};

// The cells of a grid as texts; the widget grids and the tests' plain grids both offer this.
class TextGrid {
public:
    virtual ~TextGrid() = default;
    virtual int columnCount() const = 0;
    // Growing adds empty columns at the right; shrinking drops the rightmost ones.
    virtual void setColumnCount(int columns) = 0;
    virtual QString cell(int column, int row) const = 0;
    virtual void setCell(int column, int row, const QString &text) = 0;
};

// A grid held in memory: the model the list operations are tested on.
class MemoryGrid : public TextGrid {
public:
    MemoryGrid(int columns, int rows);
    int columnCount() const override { return static_cast<int>(columns_.size()); }
    void setColumnCount(int columns) override;
    QString cell(int column, int row) const override;
    void setCell(int column, int row, const QString &text) override;

private:
    int rows_;
    std::vector<QStringList> columns_;
};

// A single insert or delete moves at most this many items; a longer move is refused whole
// rather than cut off part-way, which would drop or duplicate an item.
inline constexpr int kMaxItemSteps = 501;

enum class EditOutcome {
    Done,
    // The current cell is no item slot, or the slot lies after the list's last item.
    Ignored,
    // More than kMaxItemSteps items would have to move.
    TooLong,
};

// The list of items behind an editable grid, with the pending-item counter that keeps
// "records of the table + pending" equal to the grid's item count between saves.
class ItemList {
public:
    ItemList(TextGrid &grid, const ItemLayout &layout) : grid_(grid), layout_(layout) {}

    Item item(int slot) const;
    void setItem(int slot, const Item &item);
    bool isEmpty(int slot) const;
    int blocks() const { return layout_.blocksOf(grid_.columnCount()); }
    int capacity() const { return blocks() * layout_.itemsPerBlock(); }

    // FindLRec: the slot of the last item that has any text; nothing when the grid holds
    // no item at all (the first block is then kept, never removed).
    std::optional<int> findLast() const;
    // Drops empty blocks at the right end; the first block always stays.
    void dropEmptyBlocks();

    // The items a save writes: the table's records plus the pending ones, and never fewer
    // than reach the last cell the user has typed into.
    int itemCount(int records, int pending) const;
    std::vector<Item> items(int records, int pending) const;

    // Fills an emptied grid with the items in slot order, growing it block by block.
    void place(const std::vector<Item> &items);

    // An empty item at the cell's slot; the items from there on move one slot on.
    EditOutcome insertAt(int column, int row, int records, int &pending);
    // The item at the cell's slot disappears and the later ones move one slot back. When no
    // filled item follows it, the empty items that then end the list go too. Emptied blocks
    // at the right are removed, the first block never.
    EditOutcome deleteAt(int column, int row, int records, int &pending);

private:
    void ensureCapacity(int slotCount);
    void clearSlot(int slot);

    TextGrid &grid_;
    ItemLayout layout_;
};

} // namespace mhbk::reference
