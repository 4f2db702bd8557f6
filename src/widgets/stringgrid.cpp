#include "widgets/stringgrid.h"

#include "widgets/columnsizer.h"

#include <QHeaderView>
#include <QPainter>
#include <QStyleOptionHeader>
#include <algorithm>

namespace mhbk {

namespace {

// A header whose section texts are the grid's caption cells: row 0 for the columns, column 0
// for the rows. The captions stay where the loaders and readers expect them.
class CaptionHeader : public QHeaderView {
public:
    CaptionHeader(Qt::Orientation orientation, const QHeaderView &old, StringGrid *grid)
        : QHeaderView(orientation, grid), grid_(grid)
    {
        setMinimumSectionSize(old.minimumSectionSize());
        setDefaultSectionSize(old.defaultSectionSize());
        setSectionResizeMode(QHeaderView::Fixed);
        setSectionsClickable(false);  // captions, not row or column selectors
        setHighlightSections(false);
        setDefaultAlignment(Qt::AlignCenter);
    }

protected:
    void paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const override
    {
        QStyleOptionHeader option = captionOption(logicalIndex);
        option.rect = rect;
        painter->save();
        style()->drawControl(QStyle::CE_Header, &option, painter, this);
        painter->restore();
    }

    QSize sectionSizeFromContents(int logicalIndex) const override
    {
        const QStyleOptionHeader option = captionOption(logicalIndex);
        return style()->sizeFromContents(QStyle::CT_HeaderSection, &option, QSize(), this);
    }

private:
    QStyleOptionHeader captionOption(int logicalIndex) const
    {
        QStyleOptionHeader option;
        initStyleOption(&option);
        option.section = logicalIndex;
        option.text = orientation() == Qt::Horizontal ? grid_->cell(logicalIndex, 0) : grid_->cell(0, logicalIndex);
        option.textAlignment = Qt::AlignCenter;
        option.position = QStyleOptionHeader::Middle;
        return option;
    }

    const StringGrid *grid_;
};

} // namespace

StringGrid::StringGrid(QWidget *parent) : QTableWidget(parent)
{
    horizontalHeader()->hide();
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(24);
    verticalHeader()->setMinimumSectionSize(4);
    horizontalHeader()->setMinimumSectionSize(4);
    horizontalHeader()->setDefaultSectionSize(defaultColWidth_);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditable(false);
    setWordWrap(false);
    new ColumnSizer(*this);
}

void StringGrid::setColCount(int columns)
{
    setColumnCount(columns);
    ensureCurrentCell();
}

void StringGrid::setFixedRows(int rows)
{
    fixedRows_ = rows;
    ensureCurrentCell();
}

void StringGrid::setDefaultColWidth(int width)
{
    defaultColWidth_ = width;
    horizontalHeader()->setDefaultSectionSize(width);
    for (int c = 0; c < columnCount(); ++c)
        setColumnWidth(c, width);
}

void StringGrid::setEditable(bool editable)
{
    editable_ = editable;
    setEditTriggers(editable ? QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                                   | QAbstractItemView::AnyKeyPressed
                             : QAbstractItemView::NoEditTriggers);
}

QString StringGrid::cell(int column, int row) const
{
    const QTableWidgetItem *it = item(row, column);
    return it ? it->text() : QString();
}

void StringGrid::setCell(int column, int row, const QString &text)
{
    if (column < 0 || row < 0 || column >= columnCount() || row >= rowCount())
        return;
    QTableWidgetItem *it = item(row, column);
    if (!it) {
        it = new QTableWidgetItem(text);
        setItem(row, column, it);
    } else {
        it->setText(text);
    }
}

bool currentCellIsCaption(const QTableWidget &grid)
{
    const auto *cells = qobject_cast<const StringGrid *>(&grid);
    return cells && grid.currentRow() >= 0 && cells->isCaptionCell(grid.currentColumn(), grid.currentRow());
}

QString StringGrid::currentCellText() const
{
    return cell(currentColumn(), currentRow());
}

void StringGrid::freezeCaptions()
{
    fixedRows_ = std::max(fixedRows_, 1);
    fixedColumns_ = std::max(fixedColumns_, 1);
    setHorizontalHeader(new CaptionHeader(Qt::Horizontal, *horizontalHeader(), this));
    setVerticalHeader(new CaptionHeader(Qt::Vertical, *verticalHeader(), this));
    setCornerButtonEnabled(false);
    // A changed caption may need a wider or taller header.
    connect(model(), &QAbstractItemModel::dataChanged, this, [this](const QModelIndex &from, const QModelIndex &to) {
        if (from.row() == 0)
            horizontalHeader()->headerDataChanged(Qt::Horizontal, from.column(), to.column());
        if (from.column() == 0)
            verticalHeader()->headerDataChanged(Qt::Vertical, from.row(), to.row());
        if (from.row() == 0 || from.column() == 0)
            updateGeometries();
    });
    horizontalHeader()->show();
    verticalHeader()->show();
    setRowHidden(0, true);
    setColumnHidden(0, true);
}

} // namespace mhbk
