#include "expr/historymodel.h"

namespace mhbk {

HistoryModel::HistoryModel(QObject *parent, const history::HistoryStore &store)
    : QAbstractListModel(parent), store_(store), first_(store.dropped()),
      count_(static_cast<int>(store.entries().size()))
{
}

int HistoryModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : count_;
}

// A row's entry by its number; one the store has dropped already (while its row is being
// removed) has none.
int HistoryModel::entryAt(int row) const
{
    if (row < 0 || row >= count_)
        return -1;
    const std::size_t number = first_ + static_cast<std::size_t>(count_ - 1 - row);
    const std::size_t index = number - store_.dropped();
    return number < store_.dropped() || index >= store_.entries().size() ? -1 : static_cast<int>(index);
}

QVariant HistoryModel::data(const QModelIndex &index, int role) const
{
    const int at = index.isValid() ? entryAt(index.row()) : -1;
    if (at < 0 || (role != Qt::DisplayRole && role != Qt::ToolTipRole))
        return {};
    const history::Entry &entry = store_.entries()[static_cast<std::size_t>(at)];
    const QString text = history::entryText(entry);
    if (role == Qt::DisplayRole)
        return text;
    return entry.time.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) + QLatin1Char('\n') + text;
}

void HistoryModel::follow(const history::HistoryStore::Change &change)
{
    const int size = static_cast<int>(store_.entries().size());
    const std::size_t first = store_.dropped();
    const std::size_t gone = first - first_;
    if (change.kind != history::HistoryStore::Change::Kind::Added || first < first_
        || gone > static_cast<std::size_t>(count_)) {
        beginResetModel();
        first_ = first;
        count_ = size;
        endResetModel();
        return;
    }
    // The oldest entries went from the bottom; the new ones come in at the top.
    if (gone > 0) {
        beginRemoveRows({}, count_ - static_cast<int>(gone), count_ - 1);
        first_ = first;
        count_ -= static_cast<int>(gone);
        endRemoveRows();
    }
    if (size > count_) {
        beginInsertRows({}, 0, size - count_ - 1);
        count_ = size;
        endInsertRows();
    }
}

} // namespace mhbk
