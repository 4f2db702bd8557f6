// The slot walks of the two editable grids, on plain in-memory grids.
#include "reference/itemlist.h"

#include <gtest/gtest.h>

using namespace mhbk::reference;

namespace {

struct Fixture {
    ItemLayout layout;
    MemoryGrid grid;
    ItemList list;
    int records;
    int pending = 0;

    Fixture(const ItemLayout &l, int items)
        : layout(l), grid(l.columnsFor(1), 15), list(grid, layout), records(items)
    {
        std::vector<Item> all;
        for (int i = 0; i < items; ++i)
            all.push_back(item(i));
        list.place(all);
    }

    Item item(int i) const
    {
        Item texts;
        for (int f = 0; f < layout.cellsPerItem; ++f)
            texts << QStringLiteral("i%1.%2").arg(i).arg(f);
        return texts;
    }
    Item empty() const { return Item(layout.cellsPerItem, QString()); }

    EditOutcome insert(int slot)
    {
        const auto cell = layout.cellOf(slot);
        return list.insertAt(cell.column + layout.cellsPerItem - 1, cell.row, records, pending);
    }
    EditOutcome remove(int slot)
    {
        const auto cell = layout.cellOf(slot);
        return list.deleteAt(cell.column, cell.row, records, pending);
    }
    std::vector<Item> saved() const { return list.items(records, pending); }
};

struct EditCase {
    const char *name;
    bool unit;
    int items;
    int slot;
    int columnsAfter;
};

std::ostream &operator<<(std::ostream &os, const EditCase &c) { return os << c.name; }

class InsertAtEdges : public ::testing::TestWithParam<EditCase> {};

TEST_P(InsertAtEdges, PlacesAnEmptyItemAndMovesTheRestOn)
{
    const EditCase &c = GetParam();
    Fixture f(c.unit ? kUnitLayout : kDensityLayout, c.items);
    ASSERT_EQ(f.insert(c.slot), EditOutcome::Done);
    EXPECT_EQ(f.grid.columnCount(), c.columnsAfter);
    EXPECT_EQ(f.pending, 1);
    const std::vector<Item> saved = f.saved();
    ASSERT_EQ(saved.size(), static_cast<std::size_t>(c.items + 1));
    for (int i = 0; i <= c.items; ++i) {
        const Item expected = i < c.slot ? f.item(i) : i == c.slot ? f.empty() : f.item(i - 1);
        EXPECT_EQ(saved[static_cast<std::size_t>(i)], expected) << "slot " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Grids, InsertAtEdges,
    ::testing::Values(EditCase{"unit_full_block_first_slot_grows", true, 15, 0, 7},
                      EditCase{"unit_full_block_last_slot_grows", true, 15, 14, 7},
                      EditCase{"unit_block_with_room_stays", true, 14, 13, 3},
                      EditCase{"unit_first_row_of_second_block", true, 16, 15, 7},
                      EditCase{"unit_two_full_blocks_grow_third", true, 30, 29, 11},
                      EditCase{"unit_single_item", true, 1, 0, 3},
                      EditCase{"density_full_block_grows", false, 14, 0, 4},
                      EditCase{"density_last_row_of_block", false, 14, 13, 4},
                      EditCase{"density_first_row_second_block", false, 15, 14, 4},
                      EditCase{"density_two_full_blocks", false, 28, 27, 6}),
    [](const auto &info) { return std::string(info.param.name); });

class DeleteAtEdges : public ::testing::TestWithParam<EditCase> {};

TEST_P(DeleteAtEdges, RemovesTheItemAndEmptiedBlocks)
{
    const EditCase &c = GetParam();
    Fixture f(c.unit ? kUnitLayout : kDensityLayout, c.items);
    ASSERT_EQ(f.remove(c.slot), EditOutcome::Done);
    EXPECT_EQ(f.grid.columnCount(), c.columnsAfter);
    EXPECT_EQ(f.pending, -1);
    const std::vector<Item> saved = f.saved();
    ASSERT_EQ(saved.size(), static_cast<std::size_t>(c.items - 1));
    for (int i = 0; i < c.items - 1; ++i)
        EXPECT_EQ(saved[static_cast<std::size_t>(i)], f.item(i < c.slot ? i : i + 1)) << "slot " << i;
}

INSTANTIATE_TEST_SUITE_P(
    Grids, DeleteAtEdges,
    ::testing::Values(EditCase{"unit_only_item_of_last_block", true, 16, 15, 3},
                      EditCase{"unit_first_item_pulls_block_empty", true, 16, 0, 3},
                      EditCase{"unit_last_row_of_first_block", true, 16, 14, 3},
                      EditCase{"unit_middle_keeps_blocks", true, 40, 20, 11},
                      EditCase{"unit_only_item_keeps_first_block", true, 1, 0, 3},
                      EditCase{"density_only_item_of_last_block", false, 15, 14, 2},
                      EditCase{"density_first_item", false, 29, 0, 4},
                      EditCase{"density_only_item_keeps_first_block", false, 1, 0, 2}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(ItemList, SlotsAfterTheLastItemAndCaptionCellsAreIgnored)
{
    for (const ItemLayout &layout : {kUnitLayout, kDensityLayout}) {
        Fixture f(layout, 5);
        EXPECT_EQ(f.insert(5), EditOutcome::Ignored);
        EXPECT_EQ(f.remove(9), EditOutcome::Ignored);
        EXPECT_EQ(f.list.insertAt(-1, -1, f.records, f.pending), EditOutcome::Ignored);
        EXPECT_EQ(f.pending, 0);
    }
    Fixture density(kDensityLayout, 5);
    EXPECT_EQ(density.list.insertAt(0, 0, density.records, density.pending), EditOutcome::Ignored);
}

TEST(ItemList, EmptyGridKeepsItsFirstBlockAndReportsNoItem)
{
    for (const ItemLayout &layout : {kUnitLayout, kDensityLayout}) {
        Fixture f(layout, 0);
        EXPECT_FALSE(f.list.findLast().has_value());
        EXPECT_EQ(f.insert(0), EditOutcome::Ignored);
        EXPECT_EQ(f.remove(0), EditOutcome::Ignored);
        f.list.dropEmptyBlocks();
        EXPECT_EQ(f.grid.columnCount(), layout.columnsFor(1));
        EXPECT_TRUE(f.saved().empty());
    }
}

TEST(ItemList, DeletingEveryItemOneByOneEndsWithAnEmptyFirstBlock)
{
    Fixture f(kUnitLayout, 31);
    for (int i = 0; i < 31; ++i)
        ASSERT_EQ(f.remove(0), EditOutcome::Done);
    EXPECT_EQ(f.remove(0), EditOutcome::Ignored);
    EXPECT_EQ(f.grid.columnCount(), 3);
    EXPECT_EQ(f.pending, -31);
    EXPECT_TRUE(f.saved().empty());
}

TEST(ItemList, TextTypedAfterTheLastItemIsCountedAndSaved)
{
    Fixture f(kDensityLayout, 3);
    f.grid.setCell(0, 6, QStringLiteral("typed")); // slot 5, two empty slots before it
    const std::vector<Item> saved = f.saved();
    ASSERT_EQ(saved.size(), 6u);
    EXPECT_EQ(saved[3], f.empty());
    EXPECT_EQ(saved[5], (Item{QStringLiteral("typed"), QString()}));
    // An insert before it moves it on, and the count follows.
    ASSERT_EQ(f.insert(0), EditOutcome::Done);
    EXPECT_EQ(f.saved().size(), 7u);
    EXPECT_EQ(f.saved()[6][0], QStringLiteral("typed"));
}

TEST(ItemList, ClearedLastItemsStayUntilADeleteEndsTheList)
{
    Fixture f(kUnitLayout, 5);
    f.list.setItem(4, f.empty());
    f.list.setItem(3, f.empty());
    EXPECT_EQ(f.saved().size(), 5u); // the user emptied two records; they are still records
    ASSERT_EQ(f.remove(2), EditOutcome::Done);
    EXPECT_EQ(f.saved(), (std::vector<Item>{f.item(0), f.item(1)}));
}

TEST(ItemList, MovesLongerThanTheStepBoundAreRefusedWhole)
{
    Fixture f(kDensityLayout, 600);
    const std::vector<Item> before = f.saved();
    EXPECT_EQ(f.insert(98), EditOutcome::TooLong); // 502 items would move
    EXPECT_EQ(f.remove(97), EditOutcome::TooLong);
    EXPECT_EQ(f.saved(), before);
    EXPECT_EQ(f.pending, 0);
    EXPECT_EQ(f.insert(99), EditOutcome::Done); // exactly 501
    EXPECT_EQ(f.remove(99), EditOutcome::Done);
    EXPECT_EQ(f.saved(), before);
}

TEST(ItemList, InsertsThenDeletesRestoreTheList)
{
    Fixture f(kUnitLayout, 44);
    const std::vector<Item> before = f.saved();
    for (int slot : {0, 14, 15, 29, 44, 45})
        ASSERT_EQ(f.insert(slot), EditOutcome::Done) << slot;
    EXPECT_EQ(f.grid.columnCount(), 15);
    for (int slot : {45, 44, 29, 15, 14, 0})
        ASSERT_EQ(f.remove(slot), EditOutcome::Done) << slot;
    EXPECT_EQ(f.saved(), before);
    EXPECT_EQ(f.pending, 0);
    EXPECT_EQ(f.grid.columnCount(), 11);
}

TEST(ItemLayout, SlotsRunDownABlockThenToTheNextBlock)
{
    EXPECT_EQ(kUnitLayout.slotAt(5, 3), 18);  // block 1, row 3
    EXPECT_EQ(kUnitLayout.slotAt(7, 0), 15);  // a spacer cell counts for its block
    EXPECT_EQ(kDensityLayout.slotAt(3, 14), 27);
    EXPECT_FALSE(kDensityLayout.slotAt(2, 0).has_value());
    EXPECT_EQ(kUnitLayout.columnsFor(2), 7);
    EXPECT_EQ(kUnitLayout.blocksOf(7), 2);
    EXPECT_EQ(kDensityLayout.columnsFor(3), 6);
    EXPECT_EQ(kDensityLayout.cellOf(14).column, 2);
    EXPECT_EQ(kDensityLayout.cellOf(14).row, 1);
}

} // namespace
