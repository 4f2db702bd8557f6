#include "reference/editablegrid.h"

#include "common/errors.h"
#include "common/pageregistry.h"
#include "common/reporter.h"
#include "data/datasets.h"
#include "widgets/gridselection.h"
#include "widgets/stringgrid.h"
#include "reference/itemsave.h"
#include "reference/referencepaint.h"

#include <QAbstractItemDelegate>
#include <QGuiApplication>
#include <algorithm>
#include <QHeaderView>
#include <QScopeGuard>
#include <QVBoxLayout>

namespace mhbk::reference {

namespace {

// The wait cursor for as long as it lives.
class BusyCursor {
public:
    BusyCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QGuiApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor &) = delete;
    BusyCursor &operator=(const BusyCursor &) = delete;
};

constexpr int kItemRows = 15;
constexpr int kRowHeight = 20;

int unitColumnWidth(int column)
{
    return column % kUnitLayout.blockColumns == kUnitLayout.cellsPerItem ? 10 : 60;
}

int densityColumnWidth(int column)
{
    return column % kDensityLayout.blockColumns == 0 ? 120 : 70;
}

// The widget grid seen as texts; columns it gains get the width of their place in the block.
class GridCells : public TextGrid {
public:
    GridCells(StringGrid &grid, int (*width)(int)) : grid_(grid), width_(width) {}

    int columnCount() const override { return grid_.colCount(); }
    void setColumnCount(int columns) override
    {
        const int before = grid_.colCount();
        grid_.setColCount(columns);
        for (int c = before; c < columns; ++c)
            grid_.setColumnWidth(c, width_(c));
    }
    QString cell(int column, int row) const override { return grid_.cell(column, row); }
    void setCell(int column, int row, const QString &text) override { grid_.setCell(column, row, text); }

private:
    StringGrid &grid_;
    int (*width_)(int);
};

StringGrid *makeGrid(const EditablePageDescription &description, QWidget *page)
{
    auto *grid = new StringGrid(page);
    grid->setObjectName(description.gridName);
    grid->setRowCount(kItemRows);
    grid->setFixedRows(description.layout.firstItemRow);
    grid->verticalHeader()->setDefaultSectionSize(kRowHeight);
    grid->setEditable(true);
    grid->setTypingRule([layout = description.layout](int column, int row) { return layout.isItemCell(column, row); });
    grid->setTabKeyNavigation(true);
    GridCells(*grid, description.columnWidth).setColumnCount(description.layout.columnsFor(1));
    if (description.headings.isEmpty())
        grid->setItemDelegate(new UnitGridPainter(grid));
    else
        grid->setItemDelegate(new DensityGridPainter(grid));
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(grid);
    return grid;
}

} // namespace

const EditablePageDescription &unitPageDescription()
{
    static const EditablePageDescription description{PageKey::UnitConversion, QStringLiteral("comunit"), QStringLiteral("StringGrid1"),
                                       kUnitLayout, {}, unitColumnWidth, {0, 2}};
    return description;
}

const EditablePageDescription &densityPageDescription()
{
    static const EditablePageDescription description{PageKey::MaterialDensity, QStringLiteral("constdensity"), QStringLiteral("StringGrid2"),
                                       kDensityLayout, {QStringLiteral("材料名称"), QStringLiteral("密度")},
                                       densityColumnWidth, {0}};
    return description;
}

EditableGridPage::EditableGridPage(const EditablePageDescription &description, QWidget *page,
                                   HandbookDatabase &database, Reporter &reporter,
                                   std::function<void(const QString &)> showStatus)
    : description_(description), table_(std::make_unique<TableDataset>(database)), reporter_(reporter),
      grid_(makeGrid(description, page)), showStatus_(std::move(showStatus))
{
    // Typing, pasting, inserts and deletes all reach the grid's cells.
    QObject::connect(grid_, &QTableWidget::itemChanged, grid_, [this] {
        if (!filling_)
            modified_ = true;
    });
}

EditableGridPage::~EditableGridPage() = default;

void EditableGridPage::show()
{
    loaded_.run([this] { fill(); });
}

void EditableGridPage::fill()
{
    filling_ = true;
    const auto filled = qScopeGuard([this] { filling_ = false; });
    TableDataset &table = *table_;
    table.open(description_.tableName);
    std::vector<Item> items;
    for (table.first(); !table.eof(); table.next()) {
        Item item;
        for (int f = 1; f <= description_.layout.cellsPerItem; ++f)
            item << table.fieldText(f);
        items.push_back(item);
    }
    table.first();
    grid_->clearContents();
    GridCells cells(*grid_, description_.columnWidth);
    cells.setColumnCount(description_.layout.columnsFor(1));
    ItemList list(cells, description_.layout);
    list.place(items);
    for (int block = 0; block < list.blocks(); ++block)
        for (int f = 0; f < description_.headings.size(); ++f)
            cells.setCell(block * description_.layout.blockColumns + f, 0, description_.headings[f]);
    fitColumns();
    pending_ = 0;
    modified_ = false;
}

void EditableGridPage::fitColumns()
{
    constexpr int kPadding = 8;
    for (int c = 0; c < grid_->colCount(); ++c) {
        if (!description_.fittedColumns.contains(c % description_.layout.blockColumns))
            continue;
        grid_->resizeColumnToContents(c);
        grid_->setColumnWidth(c, std::max(grid_->columnWidth(c) + kPadding, description_.columnWidth(c)));
    }
}

bool EditableGridPage::acts()
{
    if (!loaded_.done())
        return false;
    // A save that failed leaves the dataset closed when the file could not be read again;
    // the next command reads it again (or reports why it cannot) instead of doing nothing.
    if (!table_->isOpen())
        table_->open(description_.tableName);
    return true;
}

void EditableGridPage::commitTyping()
{
    // A cell still being typed in has not reached the grid yet; without this the button
    // would move or save the old text and the open editor would later write over a moved item.
    QWidget *editor = grid_->indexWidget(grid_->currentIndex());
    if (!editor)
        return;
    QMetaObject::invokeMethod(grid_, "commitData", Q_ARG(QWidget *, editor));
    QMetaObject::invokeMethod(grid_, "closeEditor", Q_ARG(QWidget *, editor),
                              Q_ARG(QAbstractItemDelegate::EndEditHint, QAbstractItemDelegate::NoHint));
}

void EditableGridPage::reportOutcome(EditOutcome outcome) const
{
    if (outcome == EditOutcome::TooLong)
        reporter_.reportError(QStringLiteral("一次插入或删除最多移动%1项，所选位置之后的项目太多，表格未作改动")
                                 .arg(kMaxItemSteps));
}

void EditableGridPage::insertItem()
{
    if (!acts())
        return;
    commitTyping();
    GridCells cells(*grid_, description_.columnWidth);
    ItemList list(cells, description_.layout);
    reportOutcome(list.insertAt(grid_->currentColumn(), grid_->currentRow(), table_->recordCount(), pending_));
}

void EditableGridPage::deleteItem()
{
    if (!acts())
        return;
    commitTyping();
    GridCells cells(*grid_, description_.columnWidth);
    ItemList list(cells, description_.layout);
    reportOutcome(list.deleteAt(grid_->currentColumn(), grid_->currentRow(), table_->recordCount(), pending_));
}

void EditableGridPage::save() { saveChanges(); }

bool EditableGridPage::saveChanges()
{
    if (!acts())
        return false;
    commitTyping();
    GridCells cells(*grid_, description_.columnWidth);
    ItemList list(cells, description_.layout);
    try {
        // Another program's lock makes the save wait up to the database's busy timeout.
        const BusyCursor busy;
        saveItems(*table_, description_.layout.cellsPerItem, list.items(table_->recordCount(), pending_),
                  unsavedDescription());
    } catch (const AppError &e) {
        reporter_.reportError(e.message());
        return false;
    }
    pending_ = 0;
    list.dropEmptyBlocks();
    modified_ = false;
    if (showStatus_)
        showStatus_(QStringLiteral("已保存%1").arg(unsavedDescription()));
    return true;
}

bool EditableGridPage::hasUnsavedChanges()
{
    if (!loaded_.done())
        return false;
    commitTyping();
    return modified_ || pending_ != 0;
}

QString EditableGridPage::unsavedDescription() const
{
    return QString::fromUtf8(pages::at(description_.page).caption);
}

void EditableGridPage::showSearchResult(const SearchSpot &spot)
{
    selectRowCells(*grid_, spot.row, spot.column, spot.span);
}

} // namespace mhbk::reference
