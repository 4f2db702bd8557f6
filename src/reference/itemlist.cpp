#include "reference/itemlist.h"

#include <algorithm>

namespace mhbk::reference {

ItemLayout::Cell ItemLayout::cellOf(int slot) const
{
    return {(slot / itemsPerBlock()) * blockColumns, slot % itemsPerBlock() + firstItemRow};
}

std::optional<int> ItemLayout::slotAt(int column, int row) const
{
    if (column < 0 || row < firstItemRow || row > lastItemRow)
        return std::nullopt;
    return (column / blockColumns) * itemsPerBlock() + (row - firstItemRow);
}

MemoryGrid::MemoryGrid(int columns, int rows) : rows_(rows)
{
    setColumnCount(columns);
}

void MemoryGrid::setColumnCount(int columns)
{
    columns_.resize(static_cast<std::size_t>(std::max(columns, 0)));
    for (QStringList &column : columns_)
        while (column.size() < rows_)
            column << QString();
}

QString MemoryGrid::cell(int column, int row) const
{
    if (column < 0 || column >= columnCount() || row < 0 || row >= rows_)
        return {};
    return columns_[static_cast<std::size_t>(column)][row];
}

void MemoryGrid::setCell(int column, int row, const QString &text)
{
    if (column < 0 || column >= columnCount() || row < 0 || row >= rows_)
        return;
    columns_[static_cast<std::size_t>(column)][row] = text;
}

Item ItemList::item(int slot) const
{
    Item texts;
    if (slot < 0 || slot >= capacity()) {
        for (int f = 0; f < layout_.cellsPerItem; ++f)
            texts << QString();
        return texts;
    }
    const auto at = layout_.cellOf(slot);
    for (int f = 0; f < layout_.cellsPerItem; ++f)
        texts << grid_.cell(at.column + f, at.row);
    return texts;
}

void ItemList::setItem(int slot, const Item &item)
{
    ensureCapacity(slot + 1);
    const auto at = layout_.cellOf(slot);
    for (int f = 0; f < layout_.cellsPerItem; ++f)
        grid_.setCell(at.column + f, at.row, f < item.size() ? item[f] : QString());
}

bool ItemList::isEmpty(int slot) const
{
    const Item texts = item(slot);
    return std::all_of(texts.begin(), texts.end(), [](const QString &t) { return t.isEmpty(); });
}

std::optional<int> ItemList::findLast() const
{
    for (int slot = capacity() - 1; slot >= 0; --slot)
        if (!isEmpty(slot))
            return slot;
    return std::nullopt;
}

void ItemList::dropEmptyBlocks()
{
    const int needed = layout_.blocksFor(findLast().value_or(-1) + 1);
    if (blocks() > needed)
        grid_.setColumnCount(layout_.columnsFor(needed));
}

void ItemList::ensureCapacity(int slotCount)
{
    const int needed = layout_.blocksFor(slotCount);
    if (blocks() < needed)
        grid_.setColumnCount(layout_.columnsFor(needed));
}

void ItemList::clearSlot(int slot)
{
    if (slot < capacity())
        setItem(slot, Item{});
}

int ItemList::itemCount(int records, int pending) const
{
    return std::max(records + pending, findLast().value_or(-1) + 1);
}

std::vector<Item> ItemList::items(int records, int pending) const
{
    std::vector<Item> all;
    const int count = itemCount(records, pending);
    all.reserve(static_cast<std::size_t>(count));
    for (int slot = 0; slot < count; ++slot)
        all.push_back(item(slot));
    return all;
}

void ItemList::place(const std::vector<Item> &items)
{
    grid_.setColumnCount(layout_.columnsFor(layout_.blocksFor(static_cast<int>(items.size()))));
    for (std::size_t slot = 0; slot < items.size(); ++slot)
        setItem(static_cast<int>(slot), items[slot]);
}

EditOutcome ItemList::insertAt(int column, int row, int records, int &pending)
{
    const std::optional<int> selected = layout_.slotAt(column, row);
    const int count = itemCount(records, pending);
    if (!selected || *selected > count - 1)
        return EditOutcome::Ignored;
    const int last = findLast().value_or(-1);
    if (last - *selected + 1 > kMaxItemSteps)
        return EditOutcome::TooLong;
    for (int slot = last; slot >= *selected; --slot)
        setItem(slot + 1, item(slot));
    clearSlot(*selected);
    pending = count + 1 - records;
    return EditOutcome::Done;
}

EditOutcome ItemList::deleteAt(int column, int row, int records, int &pending)
{
    const std::optional<int> selected = layout_.slotAt(column, row);
    const int count = itemCount(records, pending);
    if (!selected || *selected > count - 1)
        return EditOutcome::Ignored;
    const int last = findLast().value_or(-1);
    if (last - *selected > kMaxItemSteps)
        return EditOutcome::TooLong;
    for (int slot = *selected; slot < last; ++slot)
        setItem(slot, item(slot + 1));
    if (last >= *selected)
        clearSlot(last);
    // Without a filled item after it, the deleted slot and the empty ones before it end the list.
    const int remaining = std::max(count - 1, 0);
    const int newLast = findLast().value_or(-1);
    pending = (newLast >= *selected ? remaining : std::min(remaining, newLast + 1)) - records;
    dropEmptyBlocks();
    return EditOutcome::Done;
}

} // namespace mhbk::reference
