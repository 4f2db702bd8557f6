#include "sections/flatbargrid.h"

#include "data/gridpaint.h"
#include "data/stringgrid.h"
#include "sections/numberformat.h"
#include "sections/weights.h"

#include <QApplication>
#include <QPainter>
#include <QStyledItemDelegate>

namespace mhbk {

namespace {

constexpr int kCaptionColumnWidth = 45;
constexpr int kColumnWidth = 60;

class FlatBarPainter : public QStyledItemDelegate {
public:
    explicit FlatBarPainter(StringGrid *grid) : QStyledItemDelegate(grid), grid_(grid) {}

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        const bool caption = index.row() == 0 || index.column() == 0;
        painter->save();
        const QPalette &colours = QApplication::palette();
        painter->fillRect(option.rect, caption ? colours.color(QPalette::Button) : colours.color(QPalette::Base));
        painter->setFont(grid_->font());
        painter->setPen(caption ? grid_->palette().color(QPalette::WindowText) : palette::blue);
        painter->drawText(option.rect, Qt::AlignCenter | Qt::TextSingleLine, index.data().toString());
        painter->restore();
    }

private:
    StringGrid *grid_;
};

// W and D are read back from the captions, as whole millimetres after the letter and blank.
int captionNumber(const QString &caption) { return caption.mid(1).trimmed().toInt(); }

} // namespace

void prepareFlatBarGrid(StringGrid &grid)
{
    const int size = weights::kFlatBarSizes + 1;
    grid.setRowCount(size);
    grid.setColCount(size);
    grid.setFixedRows(1);
    grid.setDefaultColWidth(kColumnWidth);
    grid.setItemDelegate(new FlatBarPainter(&grid));
}

void fillFlatBarGrid(StringGrid &grid)
{
    grid.setColumnWidth(0, kCaptionColumnWidth);
    for (int i = 1; i <= weights::kFlatBarSizes; ++i) {
        grid.setCell(0, i, QStringLiteral("W %1").arg(weights::flatBarWidth(i)));
        grid.setCell(i, 0, QStringLiteral("D %1").arg(weights::flatBarThickness(i)));
    }
    for (int row = 1; row <= weights::kFlatBarSizes; ++row) {
        const int width = captionNumber(grid.cell(0, row));
        for (int column = 1; column <= weights::kFlatBarSizes; ++column) {
            const int thickness = captionNumber(grid.cell(column, 0));
            grid.setCell(column, row, floatToStr(weights::flatBar(width, thickness)));
        }
    }
}

} // namespace mhbk
