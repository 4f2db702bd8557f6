#pragma once

#include <QWidget>
#include <functional>

class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace mhbk {

class Reporter;

namespace history {
class HistoryStore;
}

// The calculation history beside the keypad, newest first: a click (or Enter) on an entry puts
// it back into the expression bar (an expression as typed; a calculator's result as its
// number), 复制结果 copies the chosen entry's result, 清空历史 empties the history after asking.
class HistoryPanel : public QWidget {
    Q_OBJECT
public:
    HistoryPanel(QWidget *parent, history::HistoryStore &store, Reporter &reporter,
                 std::function<void(const QString &)> recall);
    ~HistoryPanel() override;

    QListWidget *list() const { return list_; }

    void recallCurrent();
    void copyCurrentResult();
    void clearHistory();

private:
    void refresh();
    int currentEntry() const;
    void updateButtons();

    history::HistoryStore &store_;
    Reporter &reporter_;
    std::function<void(const QString &)> recall_;
    QListWidget *list_ = nullptr;
    QPushButton *recallButton_ = nullptr;
    QPushButton *copyButton_ = nullptr;
    QPushButton *clearButton_ = nullptr;
};

} // namespace mhbk
