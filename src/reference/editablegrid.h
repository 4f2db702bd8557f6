#pragma once

#include "reference/itemlist.h"

#include <QString>
#include <QStringList>

class QWidget;

namespace mhbk {
class TableDataset;
class Reporter;
class StringGrid;
} // namespace mhbk

namespace mhbk::reference {

// What tells the two editable reference pages apart.
struct EditablePageDescription {
    const char *pageName; // the tab sheet's object name
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

// One editable page: its grid, loaded flag and pending-item counter, and the row editing
// of its grid against the shared table dataset.
class EditableGridPage {
public:
    EditableGridPage(const EditablePageDescription &description, QWidget *page, TableDataset &table);

    const EditablePageDescription &description() const { return description_; }
    StringGrid &grid() const { return *grid_; }
    bool loaded() const { return loaded_; }
    int pending() const { return pending_; }

    // The page's show handler: opens its table every time, fills the grid the first time.
    void show();

    // True when the shared dataset has this page's table open and the grid holds it, so an
    // edit or a save cannot write one list into another table or save a half-filled grid.
    bool acts() const;

    // "插入", "删除" and "保存" on the current cell; problems go to the reporter.
    void insertItem(Reporter &reporter);
    void deleteItem(Reporter &reporter);
    void save(Reporter &reporter);

private:
    void fill();
    void fitColumns();
    void commitTyping();
    void reportOutcome(EditOutcome outcome, Reporter &reporter) const;

    const EditablePageDescription &description_;
    TableDataset &table_;
    StringGrid *grid_;
    bool loaded_ = false;
    int pending_ = 0;
};

} // namespace mhbk::reference
