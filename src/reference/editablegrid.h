#pragma once

#include "common/loadonce.h"
#include "common/pagehost.h"
#include "common/pageregistry.h"
#include "common/unsavedwork.h"
#include "reference/itemlist.h"

#include <QString>
#include <QStringList>

class QWidget;

#include <functional>
#include <memory>

namespace mhbk {
class HandbookDatabase;
class TableDataset;
class Reporter;
class StringGrid;
} // namespace mhbk

namespace mhbk::reference {

// What tells the two editable reference pages apart.
struct EditablePageDescription {
    PageKey page;
    QString tableName;
    QString gridName;
    ItemLayout layout;
    // Written into row 0 of every block when the grid is filled; empty for no caption row.
    QStringList headings;
    // Width of a newly made column, by its place in the block.
    int (*columnWidth)(int column);
    // Columns (by place in the block) widened on filling to show their longest text whole.
    QList<int> fittedColumns;
};

// The unit-conversion page and the material-density page.
const EditablePageDescription &unitPageDescription();
const EditablePageDescription &densityPageDescription();

// One editable page: its grid, its own dataset on its table, its pending-item counter, and
// the row editing of its grid behind "插入", "删除" and "保存". Typing, inserts and deletes
// since the grid last matched its table are unsaved work, asked about before closing. It is
// opened on search results.
class EditableGridPage : public RowEditor, public UnsavedWork, public SearchTarget {
public:
    // `showStatus` receives the short confirmation of a save.
    EditableGridPage(const EditablePageDescription &description, QWidget *page, HandbookDatabase &database,
                     Reporter &reporter, std::function<void(const QString &)> showStatus = {});
    ~EditableGridPage() override;

    const EditablePageDescription &description() const { return description_; }
    StringGrid &grid() const { return *grid_; }
    bool loaded() const { return loaded_.done(); }
    int pending() const { return pending_; }

    // The page's show handler: fills the grid the first time.
    void show();

    // "插入", "删除" and "保存" on the current cell; problems go to the reporter. They do
    // nothing before the grid holds the table, so a half-filled grid is never saved.
    void insertItem() override;
    void deleteItem() override;
    void save() override;

    // The page's caption names the grid in the question before closing.
    bool hasUnsavedChanges() override;
    QString unsavedDescription() const override;
    bool saveChanges() override;

    void showSearchResult(const SearchSpot &spot) override;

private:
    void fill();
    void fitColumns();
    bool acts();
    void commitTyping();
    void reportOutcome(EditOutcome outcome) const;

    const EditablePageDescription &description_;
    std::unique_ptr<TableDataset> table_;
    Reporter &reporter_;
    StringGrid *grid_;
    std::function<void(const QString &)> showStatus_;
    LoadOnce loaded_;
    int pending_ = 0;
    // Cells changed since the grid last matched its table; filling the grid does not count.
    bool modified_ = false;
    bool filling_ = false;
};

} // namespace mhbk::reference
