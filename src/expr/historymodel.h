#pragma once

#include "history/historystore.h"

#include <QAbstractListModel>

namespace mhbk {

// The calculation history as a list, newest first: row 0 is the store's last entry. The rows'
// texts and tooltips are made when a view asks for them (the rows in sight), never all at once.
// follow() is told each change of the store and moves the rows by it. The rows are kept as a
// range of entry numbers (HistoryStore::dropped()), so that each row shows the entry it did
// while rows come and go.
class HistoryModel : public QAbstractListModel {
public:
    HistoryModel(QObject *parent, const history::HistoryStore &store);

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;

    // The store's index of the entry on a row; -1 for none.
    int entryAt(int row) const;
    void follow(const history::HistoryStore::Change &change);

private:
    const history::HistoryStore &store_;
    std::size_t first_ = 0; // the number of the oldest entry shown (the last row)
    int count_ = 0;         // the rows shown
};

} // namespace mhbk
