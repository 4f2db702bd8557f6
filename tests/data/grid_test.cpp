#include "common/errors.h"
#include "data/database.h"
#include "data/datasets.h"
#include "data/gridloader.h"
#include "widgets/gridpaint.h"
#include "widgets/stringgrid.h"
#include "smalldb.h"

#include <QApplication>
#include <QImage>
#include <gtest/gtest.h>

namespace mhbk {
namespace {

struct BlockCase {
    int fields;
    int dataRecords;
    int columns;       // column count after the fill
    int lastColumn;    // where the last data record's first field lands
    int lastRow;
};

class BlockLayoutTest : public ::testing::TestWithParam<BlockCase> {};

TEST_P(BlockLayoutTest, FillsBlocksOfElevenWithRepeatedCaptions)
{
    const BlockCase c = GetParam();
    test::SmallDatabase small;
    small.addBlockTable(QStringLiteral("T"), c.fields, c.dataRecords);
    HandbookDatabase db(small.path());
    TableDataset table(db);
    StringGrid grid;
    prepareBlockGrid(grid, c.fields);

    loadTableBlocks(table, QStringLiteral("T"), grid, c.fields);

    EXPECT_EQ(grid.colCount(), c.columns);
    EXPECT_EQ(grid.rowCount(), 12);
    for (int column = 0; column < grid.colCount(); ++column)
        EXPECT_EQ(grid.cell(column, 0), QStringLiteral("C%1").arg(column % c.fields + 1)) << "caption of column " << column;
    if (c.dataRecords == 0) {
        for (int column = 0; column < c.fields; ++column)
            EXPECT_TRUE(grid.cell(column, 1).isEmpty());
        return;
    }
    for (int f = 0; f < c.fields; ++f)
        EXPECT_EQ(grid.cell(c.lastColumn + f, c.lastRow), QStringLiteral("r%1f%2").arg(c.dataRecords).arg(f + 1));
    EXPECT_EQ(grid.cell(0, 1), QStringLiteral("r1f1"));
    if (c.lastRow < 11) {
        EXPECT_TRUE(grid.cell(c.lastColumn, c.lastRow + 1).isEmpty());
    }
}

INSTANTIATE_TEST_SUITE_P(Edges, BlockLayoutTest,
                         ::testing::Values(BlockCase{2, 0, 2, 0, 0},     // caption record only
                                           BlockCase{2, 10, 2, 0, 10},   // 11 records
                                           BlockCase{2, 11, 2, 0, 11},   // 12 records: one full block, no empty block
                                           BlockCase{2, 12, 4, 2, 1},    // 13 records: second block with one size
                                           BlockCase{2, 13, 4, 2, 2},
                                           BlockCase{3, 23, 9, 6, 1},    // two full blocks and one size
                                           BlockCase{4, 11, 4, 0, 11},
                                           BlockCase{5, 29, 15, 10, 7},  // 11 + 11 + 7
                                           BlockCase{6, 13, 12, 6, 2}));

// A two-field table T of `dataRecords` sizes and an empty grid for it.
struct LoaderRig {
    explicit LoaderRig(int dataRecords, int gridFields = 2)
    {
        small.addBlockTable(QStringLiteral("T"), 2, dataRecords);
        prepareBlockGrid(grid, gridFields);
    }
    test::SmallDatabase small;
    HandbookDatabase db{small.path()};
    TableDataset table{db};
    StringGrid grid;
};

TEST(BlockLoader, StartsFromOneBlockWhateverTheGridHeld)
{
    LoaderRig rig(12);
    TableDataset &table = rig.table;
    StringGrid &grid = rig.grid;
    grid.setColCount(7); // debris of an earlier, interrupted fill
    grid.setCell(6, 3, QStringLiteral("stale"));

    loadTableBlocks(table, QStringLiteral("T"), grid, 2);
    loadTableBlocks(table, QStringLiteral("T"), grid, 2);

    EXPECT_EQ(grid.colCount(), 4);
    EXPECT_EQ(grid.cell(2, 1), QStringLiteral("r12f1"));
    EXPECT_EQ(grid.cell(2, 0), QStringLiteral("C1"));
}

TEST(BlockLoader, MissingFieldStopsWithTheGridPartlyWritten)
{
    LoaderRig rig(3, 3);
    TableDataset &table = rig.table;
    StringGrid &grid = rig.grid;
    EXPECT_THROW(loadTableBlocks(table, QStringLiteral("T"), grid, 3), AppError);
    EXPECT_EQ(grid.cell(0, 0), QStringLiteral("C1"));
    EXPECT_EQ(grid.cell(1, 0), QStringLiteral("C2"));
}

QColor pixelAt(const QImage &image, QPoint point) { return image.pixelColor(point); }

TEST(CellPainter, CaptionOutlinedSelectionTintedCurrentCellFramed)
{
    StringGrid grid;
    prepareBlockGrid(grid, 2);
    grid.resize(200, 300);
    grid.setCell(0, 0, QStringLiteral("d"));
    grid.setCell(0, 1, QStringLiteral("10"));
    grid.setCell(1, 1, QStringLiteral("0.617"));
    installCellPainter(grid, looks::oddGreenEvenRed);
    QPalette palette = grid.palette();
    palette.setColor(QPalette::Button, QColor(212, 208, 200));
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::Highlight, QColor(10, 36, 106));
    grid.setPalette(palette);
    grid.show();
    grid.setCurrentCell(2, 1);
    grid.clearSelection();
    grid.item(1, 0)->setSelected(true);

    const QImage image = grid.viewport()->grab().toImage();
    const QRect caption = grid.visualRect(grid.model()->index(0, 1));
    const QRect selected = grid.visualRect(grid.model()->index(1, 0));
    const QRect current = grid.visualRect(grid.model()->index(2, 1));
    const QRect plain = grid.visualRect(grid.model()->index(3, 0));

    EXPECT_EQ(pixelAt(image, caption.topLeft() + QPoint(3, 3)), QColor(212, 208, 200));
    EXPECT_EQ(pixelAt(image, caption.topLeft()), QColor(Qt::black));
    EXPECT_EQ(pixelAt(image, QPoint(caption.center().x(), caption.top())), QColor(Qt::black));
    // Selected: a light tint of the highlight, so that the red and green texts stay readable.
    const QColor tint = pixelAt(image, selected.topLeft() + QPoint(3, 3));
    EXPECT_NE(tint, QColor(Qt::white));
    EXPECT_GT(tint.lightness(), 150);
    EXPECT_GT(tint.blue(), tint.red());
    EXPECT_EQ(pixelAt(image, plain.topLeft() + QPoint(3, 3)), QColor(Qt::white));
    // The current cell, not selected, is framed in the highlight colour.
    EXPECT_EQ(pixelAt(image, current.topLeft() + QPoint(1, current.height() / 2)), QColor(10, 36, 106));
    EXPECT_EQ(pixelAt(image, current.center() + QPoint(0, 3)), QColor(Qt::white));

    bool red = false;
    for (int x = selected.left(); x <= selected.right(); ++x)
        for (int y = selected.top(); y <= selected.bottom(); ++y)
            red = red || pixelAt(image, {x, y}) == palette::red;
    EXPECT_TRUE(red) << "column 0 text is drawn red";
}

TEST(CellLooks, ColumnRulesOfTheDrawHandlers)
{
    EXPECT_EQ(looks::oddGreenEvenRed(3, 1).text, palette::green);
    EXPECT_EQ(looks::oddGreenEvenRed(4, 1).text, palette::red);
    EXPECT_EQ(looks::firstBlueOddGreenEvenRed(0, 1).text, palette::blue);
    EXPECT_EQ(looks::firstBlueOddGreenEvenRed(2, 1).text, palette::red);
    EXPECT_EQ(looks::lastOfPeriodGreen(6)(5, 1).text, palette::green);
    EXPECT_EQ(looks::lastOfPeriodGreen(6)(6, 1).text, palette::red);
    EXPECT_EQ(looks::lastOfPeriodGreen(4)(7, 1).text, palette::green);
    EXPECT_EQ(looks::redBlueGreen(4, 1).text, palette::blue);
    EXPECT_EQ(looks::redBlueGreen(5, 1).text, palette::green);
    EXPECT_EQ(looks::oddGreenCentredEvenRedLeft(2, 1).alignment, Qt::AlignLeft);
}

} // namespace
} // namespace mhbk
