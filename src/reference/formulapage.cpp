#include "reference/formulapage.h"

#include "data/datasets.h"
#include "widgets/gridpaint.h"
#include "widgets/gridselection.h"
#include "widgets/stringgrid.h"

#include <QApplication>
#include <algorithm>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QVBoxLayout>

namespace mhbk::reference {

namespace {

constexpr int kRows = 13;
constexpr int kRowHeight = 20;
constexpr int kGridHeight = 281;

struct LabelSpec {
    const char *name;
    int left;
    const char *text;
    const char *family;
    int pixelHeight;
    QColor colour;
};

// The basic formula is printed in a dark caption blue, apart from the notes.
const QColor kActiveCaption{0, 0, 128};

QLabel *makeLabel(const LabelSpec &description, QWidget *page, QVBoxLayout *column)
{
    auto *label = new QLabel(QString::fromUtf8(description.text), page);
    label->setObjectName(QString::fromLatin1(description.name));
    QFont font(QString::fromUtf8(description.family));
    font.setPixelSize(description.pixelHeight);
    label->setFont(font);
    QPalette colours = label->palette();
    colours.setColor(QPalette::WindowText, description.colour);
    label->setPalette(colours);
    auto *row = new QHBoxLayout;
    row->setContentsMargins(description.left, 0, 0, 0);
    row->addWidget(label);
    row->addStretch();
    column->addLayout(row);
    return label;
}

} // namespace

FormulaPage::FormulaPage(QWidget *page, HandbookDatabase &database) : database_(database), grid_(new StringGrid(page))
{
    grid_->setObjectName(QStringLiteral("StringGrid3"));
    grid_->setRowCount(kRows);
    grid_->setColCount(3);
    grid_->setFixedRows(1);
    grid_->verticalHeader()->setDefaultSectionSize(kRowHeight);
    grid_->setColumnWidth(0, 100);
    grid_->setColumnWidth(1, 229);
    grid_->setColumnWidth(2, 100);
    grid_->setFixedHeight(kGridHeight);
    installCellPainter(*grid_, [](int, int) { return CellLook{Qt::AlignLeft, Qt::black}; });

    auto *column = new QVBoxLayout(page);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(5);
    column->addWidget(grid_);
    const QColor highlight = QApplication::palette().color(QPalette::Highlight);
    const LabelSpec labels[] = {
        {"Label2", 19, "理论重量基本公式：   m =  F*L*p/1000", "MS Sans Serif", 11, kActiveCaption},
        {"Label3", 19, "说明： m：重量(kg)          F：断面积(mm2)", "宋体", 12, highlight},
        {"Label4", 59, "L：长度(m)            p：密度(g/cm3)", "宋体", 12, highlight},
    };
    for (const LabelSpec &description : labels)
        makeLabel(description, page, column);
    column->addStretch();
}

void FormulaPage::show()
{
    loaded_.run([this] { fill(); });
}

void FormulaPage::fill()
{
    TableDataset table(database_);
    table.open(QString::fromLatin1(kTableName));
    std::vector<QStringList> rows;
    for (table.first(); !table.eof() && static_cast<int>(rows.size()) < kRows; table.next())
        rows.push_back({table.fieldText(1), table.fieldText(2), table.fieldText(3)});
    grid_->setColumnWidth(1, 232);
    grid_->setColumnWidth(2, 130);
    for (int r = 0; r < static_cast<int>(rows.size()); ++r)
        for (int c = 0; c < 3; ++c)
            grid_->setCell(c, r, rows[static_cast<std::size_t>(r)][c]);
    // The notes of the angle, I-beam and channel rows are far longer than the others: the
    // column takes the longest whole and the grid scrolls sideways.
    constexpr int kPadding = 8;
    grid_->resizeColumnToContents(2);
    grid_->setColumnWidth(2, std::max(130, grid_->columnWidth(2) + kPadding));
}

void FormulaPage::showSearchResult(const SearchSpot &spot)
{
    selectRowCells(*grid_, spot.row, spot.column, spot.span);
}

} // namespace mhbk::reference
