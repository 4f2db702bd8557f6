// What the user does with a string grid: copy, paste, resize a column, and where the current
// cell is before anything has been clicked. Real widgets, real key and mouse events.
#include "widgets/columnsizer.h"
#include "widgets/gridselection.h"
#include "widgets/stringgrid.h"
#include "widgets/tabtext.h"

#include <QApplication>
#include <QClipboard>
#include <QScrollArea>
#include <QTest>
#include <gtest/gtest.h>

namespace mhbk {
namespace {

struct TabTextCase {
    const char *name;
    std::vector<QStringList> rows;
    QString text;
};

class TabTextTest : public ::testing::TestWithParam<TabTextCase> {};

TEST_P(TabTextTest, WritesAndReadsBack)
{
    const TabTextCase &c = GetParam();
    EXPECT_EQ(toTabText(c.rows), c.text);
    EXPECT_EQ(fromTabText(c.text), c.rows);
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, TabTextTest,
    ::testing::Values(TabTextCase{"one", {{QStringLiteral("7.85")}}, QStringLiteral("7.85")},
                      TabTextCase{"block",
                                  {{QStringLiteral("钢"), QStringLiteral("7.85")}, {QStringLiteral("铝"), QString()}},
                                  QStringLiteral("钢\t7.85\n铝\t")},
                      TabTextCase{"emptyRowInside", {{QStringLiteral("a")}, {QString()}, {QStringLiteral("b")}},
                                  QStringLiteral("a\n\nb")},
                      TabTextCase{"none", {}, QString()}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(TabText, ReadsSpreadsheetLineEndsAndKeepsCellsWhole)
{
    // Spreadsheets end every line with CR LF, the last one included.
    EXPECT_EQ(fromTabText(QStringLiteral("a\tb\r\nc\td\r\n")),
              (std::vector<QStringList>{{QStringLiteral("a"), QStringLiteral("b")}, {QStringLiteral("c"), QStringLiteral("d")}}));
    // A cell's own tab or line break must not split it.
    EXPECT_EQ(toTabText({{QStringLiteral("x\ty\nz"), QStringLiteral("w")}}), QStringLiteral("x y z\tw"));
}

// A 4 x 5 grid with a caption row, every body cell named after its place.
struct GridRig {
    explicit GridRig(bool editable = false)
    {
        grid.setRowCount(5);
        grid.setColCount(4);
        grid.setFixedRows(1);
        grid.setEditable(editable);
        for (int c = 0; c < 4; ++c) {
            grid.setCell(c, 0, QStringLiteral("C%1").arg(c));
            for (int r = 1; r < 5; ++r)
                grid.setCell(c, r, QStringLiteral("%1,%2").arg(c).arg(r));
        }
        grid.resize(400, 200);
        grid.show();
        grid.activateWindow();
        grid.setFocus();
    }
    void selectRange(int left, int top, int right, int bottom)
    {
        grid.setCurrentCell(top, left);
        grid.setRangeSelected(QTableWidgetSelectionRange(top, left, bottom, right), true);
    }
    StringGrid grid;
};

TEST(StringGridInput, BeforeAnyClickTheFirstCellBelowTheCaptionsIsCurrent)
{
    StringGrid grid;
    grid.setRowCount(3);
    grid.setColCount(2);  // the current cell is set as soon as there are cells...
    EXPECT_EQ(grid.currentRow(), 0);
    grid.setFixedRows(1);  // ...and moved out of a caption row that comes later
    EXPECT_EQ(grid.currentRow(), 1);
    EXPECT_EQ(grid.currentColumn(), 0);
    EXPECT_TRUE(grid.selectedItems().isEmpty()) << "made current, not selected";
}

TEST(StringGridInput, CtrlCCopiesTheSelectedRectangleTabSeparated)
{
    GridRig rig;
    rig.selectRange(1, 0, 2, 2);
    QTest::keyClick(&rig.grid, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("C1\tC2\n1,1\t2,1\n1,2\t2,2"));

    // Nothing selected: the current cell alone.
    rig.grid.clearSelection();
    rig.grid.setCurrentCell(3, 2, QItemSelectionModel::NoUpdate);
    QTest::keyClick(&rig.grid, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("2,3"));
}

struct PasteCase {
    const char *name;
    bool editable;
    int column, row;       // the current cell
    QString clipboard;
    std::vector<std::tuple<int, int, QString>> expected;  // (column, row, text) afterwards
};

class PasteTest : public ::testing::TestWithParam<PasteCase> {};

TEST_P(PasteTest, CtrlVWritesFromTheCurrentCellWithoutOpeningAnEditor)
{
    const PasteCase &c = GetParam();
    GridRig rig(c.editable);
    // Column 2 stands for a spacer: the grid's rule refuses it.
    rig.grid.setTypingRule([](int column, int) { return column != 2; });
    rig.grid.setCurrentCell(c.row, c.column);
    QApplication::clipboard()->setText(c.clipboard);
    QTest::keyClick(&rig.grid, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(rig.grid.indexWidget(rig.grid.currentIndex()), nullptr) << "no editor opened";
    for (const auto &[column, row, text] : c.expected)
        EXPECT_EQ(rig.grid.cell(column, row), text) << column << "," << row;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PasteTest,
    ::testing::Values(
        PasteCase{"block", true, 0, 1, QStringLiteral("a\tb\nc\td\n"),
                  {{0, 1, "a"}, {1, 1, "b"}, {0, 2, "c"}, {1, 2, "d"}, {0, 3, "0,3"}}},
        // The refused column keeps its text and its share of the clipboard is dropped, so the
        // cells beyond it still line up with what was copied.
        PasteCase{"overSpacer", true, 1, 4, QStringLiteral("p\tq\tr"), {{1, 4, "p"}, {2, 4, "2,4"}, {3, 4, "r"}}},
        // Beyond the last row or column nothing is written and nothing grows.
        PasteCase{"pastTheEdge", true, 3, 4, QStringLiteral("x\ty\nz"), {{3, 4, "x"}}},
        // A caption is no stored text.
        PasteCase{"captionRow", true, 0, 0, QStringLiteral("h\nb"), {{0, 0, "C0"}, {0, 1, "b"}}},
        PasteCase{"readOnlyGrid", false, 0, 1, QStringLiteral("z"), {{0, 1, "0,1"}}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(StringGridInput, TypingIsRefusedWhereThePasteIs)
{
    GridRig rig(true);
    rig.grid.setTypingRule([](int column, int) { return column != 2; });
    for (const auto &[column, row, opens] : {std::tuple{0, 1, true}, {2, 1, false}, {1, 0, false}}) {
        rig.grid.setCurrentCell(row, column);
        QTest::keyClick(&rig.grid, Qt::Key_F2);
        EXPECT_EQ(rig.grid.indexWidget(rig.grid.currentIndex()) != nullptr, opens) << column << "," << row;
        if (QWidget *editor = rig.grid.indexWidget(rig.grid.currentIndex()))
            QTest::keyClick(editor, Qt::Key_Escape);
    }
}

TEST(StringGridInput, DraggingAColumnEdgeInTheBodyResizesIt)
{
    GridRig rig;
    StringGrid &grid = rig.grid;
    grid.setDefaultColWidth(60);
    auto *sizer = grid.findChild<ColumnSizer *>();
    ASSERT_NE(sizer, nullptr);
    const int edge = grid.columnViewportPosition(1) + grid.columnWidth(1);
    const int y = grid.rowViewportPosition(2) + 5;
    EXPECT_EQ(sizer->edgeAt(edge), 1);
    EXPECT_EQ(sizer->edgeAt(edge - 20), -1);

    QWidget *body = grid.viewport();
    QTest::mousePress(body, Qt::LeftButton, {}, {edge - 1, y});
    QMouseEvent move(QEvent::MouseMove, QPointF(edge + 59, y), body->mapToGlobal(QPointF(edge + 59, y)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(body, &move);
    QTest::mouseRelease(body, Qt::LeftButton, {}, {edge + 59, y});
    EXPECT_EQ(grid.columnWidth(1), 120);
    EXPECT_EQ(grid.columnWidth(0), 60);
    EXPECT_EQ(grid.currentColumn(), 0) << "a drag on an edge selects no cell";

    // A double click on an edge fits the column to its longest text.
    grid.setCell(2, 3, QStringLiteral("边端圆弧半径 边端圆弧半径 边端圆弧半径"));
    const int edge2 = grid.columnViewportPosition(2) + grid.columnWidth(2);
    QTest::mouseDClick(body, Qt::LeftButton, {}, {edge2, y});
    EXPECT_GT(grid.columnWidth(2), grid.fontMetrics().horizontalAdvance(grid.cell(2, 3)));
}

} // namespace
} // namespace mhbk

namespace mhbk {
namespace {

// A page shows its grid whole inside a scrolled page; a cell picked far to the right (a search
// result) must come into view by scrolling that page, not only the grid.
TEST(RowSelection, ScrollsTheEnclosingPageToTheCell)
{
    QScrollArea area;
    area.resize(300, 200);
    auto *grid = new StringGrid;
    grid->setRowCount(5);
    grid->setColCount(40);
    grid->setFixedSize(40 * 100 + 10, 5 * 30 + 10); // whole, as the pages lay it out
    area.setWidget(grid);
    area.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&area));
    selectRowCells(*grid, 2, 35, 1);
    const QRect cell = grid->visualRect(grid->model()->index(2, 35));
    const QRect seen(grid->viewport()->mapFrom(area.viewport(), QPoint(0, 0)), area.viewport()->size());
    EXPECT_TRUE(seen.intersects(cell)) << "cell x " << cell.x() << ", visible from x " << seen.x();
    EXPECT_EQ(grid->currentColumn(), 35);
}

} // namespace
} // namespace mhbk
