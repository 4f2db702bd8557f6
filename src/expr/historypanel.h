#pragma once

#include "history/historystore.h"

#include <QWidget>
#include <functional>

class QListView;
class QPushButton;

namespace mhbk {

class Reporter;
class HistoryModel;

// The calculation history beside the keypad, newest first: a click (or Enter) on an entry puts
// it back into the expression bar (an expression as typed; a calculator's result as its
// number), 复制结果 copies the chosen entry's result, 清空历史 empties the history after asking.
// The list is a model over the store: a calculation adds one row (and drops the oldest at the
// limit), so it costs the same with a thousand entries as with none.
class HistoryPanel : public QWidget {
    Q_OBJECT
public:
    HistoryPanel(QWidget *parent, history::HistoryStore &store, Reporter &reporter,
                 std::function<void(const QString &)> recall);
    ~HistoryPanel() override;

    QListView *list() const { return list_; }

    void recallCurrent();
    void copyCurrentResult();
    void clearHistory();

private:
    void follow(const history::HistoryStore::Change &change);
    int currentEntry() const;
    void updateButtons();

    history::HistoryStore &store_;
    Reporter &reporter_;
    std::function<void(const QString &)> recall_;
    HistoryModel *model_ = nullptr;
    QListView *list_ = nullptr;
    QPushButton *recallButton_ = nullptr;
    QPushButton *copyButton_ = nullptr;
    QPushButton *clearButton_ = nullptr;
};

} // namespace mhbk
