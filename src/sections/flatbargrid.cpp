#include "sections/flatbargrid.h"

#include "widgets/gridpaint.h"
#include "widgets/stringgrid.h"
#include "numbers/numtext.h"
#include "sections/weights.h"

#include <QStyledItemDelegate>

namespace mhbk {

namespace {

constexpr int kColumnWidth = 60;

// The weights, blue and centred; the selection and the current cell drawn as usual.
class FlatBarPainter : public QStyledItemDelegate {
public:
    explicit FlatBarPainter(QObject *parent) : QStyledItemDelegate(parent) {}

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        option->displayAlignment = Qt::AlignCenter;
        option->palette.setColor(QPalette::Text, palette::blue);
    }
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
    grid.setFixedColumns(1);
    grid.setDefaultColWidth(kColumnWidth);
    grid.setItemDelegate(new FlatBarPainter(&grid));
    // 25 by 25 sizes do not fit the page: W and D stay in view while the weights scroll.
    grid.freezeCaptions();
}

void fillFlatBarGrid(StringGrid &grid)
{
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
