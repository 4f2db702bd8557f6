#include "data/stringgrid.h"

#include <QHeaderView>

namespace mhbk {

StringGrid::StringGrid(QWidget *parent) : QTableWidget(parent)
{
    horizontalHeader()->hide();
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(24);
    verticalHeader()->setMinimumSectionSize(4);
    horizontalHeader()->setMinimumSectionSize(4);
    horizontalHeader()->setDefaultSectionSize(defaultColWidth_);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditable(false);
    setWordWrap(false);
}

void StringGrid::setColCount(int columns)
{
    setColumnCount(columns);
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

QString StringGrid::currentCellText() const
{
    return cell(currentColumn(), currentRow());
}

} // namespace mhbk
