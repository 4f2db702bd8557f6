#pragma once

// Where a sheet keeps its cells. Rows are held in pages of 1,024 so that a sheet using a few
// rows far down costs little, and each row keeps its cells sorted by column in one vector:
// a lookup is an index, an index and a short binary search, walking the cells in reading
// order needs no sorting, and a large sheet is a few thousand allocations instead of one per cell.

#include <algorithm>
#include <array>
#include <cstddef>
#include <memory>
#include <vector>

namespace mhbk::wb {

template<typename Cell>
class CellStore
{
public:
    struct Entry
    {
        int col;
        Cell cell;
    };
    using Row = std::vector<Entry>;

    Cell *find(int row, int col)
    {
        Row *r = rowAt(row);
        if (!r)
            return nullptr;
        const auto it = lowerBound(*r, col);
        return it != r->end() && it->col == col ? &it->cell : nullptr;
    }
    const Cell *find(int row, int col) const { return const_cast<CellStore *>(this)->find(row, col); }

    // The cell, made empty when it did not exist. Adding a cell moves the others of its row,
    // so a reference from an earlier touch() of that row is no longer valid.
    Cell &touch(int row, int col)
    {
        Row &r = rowMade(row);
        if (r.empty() && row > 0)   // rows of a table look alike: make room for as many cells as the row above holds
            if (const Row *above = rowAt(row - 1))
                r.reserve(above->size());
        auto it = lowerBound(r, col);
        if (it == r.end() || it->col != col) {
            it = r.insert(it, Entry{col, Cell()});
            ++count_;
        }
        return it->cell;
    }

    std::size_t size() const { return count_; }

    // fn(row, col, cell) for every cell held in the rectangle, in reading order.
    template<typename Fn>
    void forEachIn(int firstRow, int lastRow, int firstCol, int lastCol, Fn &&fn) const
    {
        walk(*this, firstRow, lastRow, firstCol, lastCol, fn);
    }
    template<typename Fn>
    void forEachIn(int firstRow, int lastRow, int firstCol, int lastCol, Fn &&fn)
    {
        walk(*this, firstRow, lastRow, firstCol, lastCol, fn);
    }
    template<typename Fn>
    void forEach(Fn &&fn) const
    {
        walk(*this, 0, kLast, 0, kLast, fn);
    }
    template<typename Fn>
    void forEach(Fn &&fn)
    {
        walk(*this, 0, kLast, 0, kLast, fn);
    }

private:
    static constexpr int kPageBits = 10;
    static constexpr int kPageSize = 1 << kPageBits;
    static constexpr int kLast = 0x7FFFFFFF;
    using Page = std::array<Row, kPageSize>;

    template<typename Store, typename Fn>
    static void walk(Store &store, int firstRow, int lastRow, int firstCol, int lastCol, Fn &fn)
    {
        firstRow = std::max(firstRow, 0);
        for (std::size_t p = std::size_t(firstRow) >> kPageBits; p < store.pages_.size(); ++p) {
            if (!store.pages_[p])
                continue;
            const int base = int(p << kPageBits);
            if (base > lastRow)
                return;
            for (int i = std::max(firstRow - base, 0); i < kPageSize && base + i <= lastRow; ++i) {
                auto &r = (*store.pages_[p])[std::size_t(i)];
                auto it = std::lower_bound(r.begin(), r.end(), firstCol,
                                           [](const Entry &e, int c) { return e.col < c; });
                for (; it != r.end() && it->col <= lastCol; ++it)
                    fn(base + i, it->col, it->cell);
            }
        }
    }

    static typename Row::iterator lowerBound(Row &r, int col)
    {
        if (!r.empty() && r.back().col < col)
            return r.end();   // rows are mostly filled left to right
        return std::lower_bound(r.begin(), r.end(), col, [](const Entry &e, int c) { return e.col < c; });
    }

    Row *rowAt(int row)
    {
        const std::size_t p = std::size_t(row) >> kPageBits;
        if (row < 0 || p >= pages_.size() || !pages_[p])
            return nullptr;
        return &(*pages_[p])[std::size_t(row) & (kPageSize - 1)];
    }

    Row &rowMade(int row)
    {
        const std::size_t p = std::size_t(row) >> kPageBits;
        if (p >= pages_.size())
            pages_.resize(p + 1);
        if (!pages_[p])
            pages_[p] = std::make_unique<Page>();
        return (*pages_[p])[std::size_t(row) & (kPageSize - 1)];
    }

    std::vector<std::unique_ptr<Page>> pages_;
    std::size_t count_ = 0;
};

} // namespace mhbk::wb
