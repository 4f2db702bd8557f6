#pragma once

#include "search/handbookindex.h"

#include <QDateTime>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

class QLineEdit;
class QListWidget;

namespace mhbk {

class PageHost;

// The search field above the tree and its result list. Typing searches the whole handbook;
// Down moves into the list, Enter or a click opens the result's page with its row selected and
// the page's calculator filled from it; Esc clears the field, and on an empty field gives the
// focus back to the tree. Ctrl+F anywhere in the window comes here.
class SearchPanel : public QWidget {
    Q_OBJECT
public:
    // `openPage` switches to a page as a click on its tree node would.
    SearchPanel(PageHost &host, std::function<void(int page)> openPage, QWidget *parent);
    ~SearchPanel() override;

    QLineEdit *field() const { return field_; }
    QListWidget *results() const { return results_; }

    void focusField();
    // Whether the index is built (it is, once the program has been idle after the panel first
    // showed, so that the first keystroke costs what the others do).
    bool indexReady() const { return index_ != nullptr; }
    // Opens the result in this row of the list; nothing for a row the list does not have.
    void openResult(int row);

signals:
    // The focus leaves the search for the tree (Esc on an empty field).
    void leaveRequested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void search(const QString &text);
    void refreshIndex();
    bool fieldKey(int key);
    bool listKey(int key);

    PageHost &host_;
    std::function<void(int)> openPage_;
    QLineEdit *field_;
    QListWidget *results_;
    std::unique_ptr<search::HandbookIndex> index_; // built when idle after the first show, or by the first search
    QDateTime indexedVersion_;                     // the database file's time when it was built
    std::vector<const search::Entry *> shown_;
};

} // namespace mhbk
