#include "workbooks/engine/address.h"
#include "workbooks/engine/cellstore.h"

#include <gtest/gtest.h>
#include <algorithm>
#include <set>
#include <tuple>
#include <vector>

namespace mhbk::wb::test {
namespace {

using Place = std::pair<int, int>;   // row, column

std::vector<Place> walked(const CellStore<long long> &store, int firstRow, int lastRow, int firstCol, int lastCol)
{
    std::vector<Place> out;
    store.forEachIn(firstRow, lastRow, firstCol, lastCol, [&](int row, int col, const long long &value) {
        EXPECT_EQ(value, row * 100000LL + col) << row << "," << col;
        out.emplace_back(row, col);
    });
    return out;
}

// Cells put in any order, across the store's pages of rows and at the sheet's far corners,
// are found again, walked in reading order, and a rectangle yields exactly the cells in it.
TEST(CellStoreTest, FindsAndWalksWhatWasPutInAnyOrder)
{
    const std::vector<Place> places = {
        {5, 3}, {5, 1}, {0, 0}, {1023, 7}, {1024, 7}, {1024, 2}, {5, 2}, {kMaxRows - 1, kMaxColumns - 1},
        {2047, 0}, {5, 0}, {3000, 16}, {1025, 7}, {0, kMaxColumns - 1}, {5, 3},   // the last one again
    };
    CellStore<long long> store;
    std::set<Place> expected;
    for (const auto &[row, col] : places) {
        store.touch(row, col) = row * 100000LL + col;
        expected.insert({row, col});
    }
    EXPECT_EQ(store.size(), expected.size());
    for (const auto &[row, col] : expected) {
        ASSERT_NE(store.find(row, col), nullptr) << row << "," << col;
        EXPECT_EQ(*store.find(row, col), row * 100000LL + col);
    }
    for (const Place &absent : std::vector<Place>{{5, 4}, {4, 3}, {1026, 7}, {kMaxRows - 1, 0}, {-1, 0}})
        EXPECT_EQ(store.find(absent.first, absent.second), nullptr) << absent.first << "," << absent.second;

    std::vector<Place> all;
    store.forEach([&](int row, int col, const long long &) { all.emplace_back(row, col); });
    EXPECT_EQ(all, std::vector<Place>(expected.begin(), expected.end()));

    struct Rectangle
    {
        int firstRow, lastRow, firstCol, lastCol;
    };
    const Rectangle rectangles[] = {
        {5, 5, 1, 2}, {0, 1024, 7, 7}, {1000, 2047, 0, 5}, {6, 1022, 0, kMaxColumns - 1},
        {0, kMaxRows - 1, 0, kMaxColumns - 1}, {2048, 2999, 0, 100}, {kMaxRows - 1, kMaxRows - 1, 1, kMaxColumns - 1},
    };
    for (const Rectangle &r : rectangles) {
        std::vector<Place> inside;
        for (const Place &p : expected)
            if (p.first >= r.firstRow && p.first <= r.lastRow && p.second >= r.firstCol && p.second <= r.lastCol)
                inside.push_back(p);
        EXPECT_EQ(walked(store, r.firstRow, r.lastRow, r.firstCol, r.lastCol), inside)
            << r.firstRow << ".." << r.lastRow << " x " << r.firstCol << ".." << r.lastCol;
    }
}

} // namespace
} // namespace mhbk::wb::test
