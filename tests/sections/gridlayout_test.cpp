#include "sectionfixture.h"
#include "sections/weights.h"

#include <QApplication>
#include <QHeaderView>

namespace mhbk::test {
namespace {

struct BlockCase {
    int page;
    const char *grid;
    const char *table;
    int fields;
    int sizes;
    int columns;
};

// Captions in row 0 of every block, sizes down rows 1..11, a new block only when more sizes follow.
TEST_F(SectionPagesTest, ColumnBlockLayouts)
{
    const BlockCase cases[] = {
        {11, "StringGrid4", "circle", 2, 0, 2},
        {11, "StringGrid4", "circle", 2, 11, 2},
        {11, "StringGrid4", "circle", 2, 12, 4},
        {13, "StringGrid23", "Rectangle", 3, 23, 9},
        {24, "StringGrid14", "NoSewType", 2, 13, 4},
        {28, "StringGrid20", "SeelTube", 6, 13, 12},
        {29, "StringGrid21", "SleeveTube", 4, 12, 8},
        {30, "StringGrid24", "ScrewTube", 3, 11, 3},
        {16, "StringGrid7", "Regular", 4, 11, 4},
        {20, "StringGrid11", "groove", 5, 29, 15},
        {21, "StringGrid12", "Lightgroove", 5, 29, 15},
    };
    for (const BlockCase &c : cases) {
        db.addNumberedTable(QString::fromLatin1(c.table), c.fields, c.sizes);
        FakePageHost fresh(db.path());
        installSectionPages(fresh);
        fresh.showPage(c.page);
        ASSERT_TRUE(fresh.recorder().empty()) << fresh.recorder().last().text.toStdString();
        auto *g = fresh.page(c.page)->findChild<StringGrid *>(QString::fromLatin1(c.grid));
        ASSERT_NE(g, nullptr) << c.grid;
        SCOPED_TRACE(std::string(c.table) + " sizes " + std::to_string(c.sizes));
        EXPECT_EQ(g->colCount(), c.columns);
        EXPECT_EQ(g->rowCount(), 12);
        for (int col = 0; col < g->colCount(); ++col)
            EXPECT_EQ(g->cell(col, 0), QStringLiteral("C%1").arg(col % c.fields + 1));
        for (int i = 1; i <= c.sizes; ++i) {
            const int block = (i - 1) / 11;
            const int row = (i - 1) % 11 + 1;
            EXPECT_EQ(g->cell(block * c.fields + c.fields - 1, row), QStringLiteral("%1.%2").arg(i).arg(c.fields));
        }
        // The cell after the last size stays empty.
        if (c.sizes % 11 != 0) {
            EXPECT_TRUE(g->cell(c.columns - c.fields, c.sizes % 11 + 1).isEmpty());
        }
    }
}

TEST_F(SectionPagesTest, GridIsFilledOnceAndRetriedAfterAFailure)
{
    host->showPage(18);
    StringGrid *g = grid(18, "StringGrid9");
    ASSERT_EQ(g->cell(0, 1), QStringLiteral("1.1"));
    db.addNumberedTable(QStringLiteral("Ishaped"), 5, 30);
    host->showPage(11);
    host->showPage(18);
    EXPECT_EQ(g->colCount(), 5) << "a second showing does not read the table again";

    // A table that cannot be opened: the general error report, and the next showing tries again.
    db.dropTable(QStringLiteral("groove"));
    host->showPage(20);
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages().last().icon, MessageIcon::Critical);
    db.addNumberedTable(QStringLiteral("groove"), 5, 12);
    host->showPage(20);
    EXPECT_EQ(messages().size(), 1u);
    EXPECT_EQ(grid(20, "StringGrid11")->colCount(), 10);
    EXPECT_EQ(grid(20, "StringGrid11")->cell(5, 1), QStringLiteral("12.1"));
}

TEST_F(SectionPagesTest, FlatBarGridIsComputed)
{
    StringGrid *g = grid(15, "StringGrid22");
    EXPECT_EQ(g->rowCount(), 26);
    EXPECT_EQ(g->colCount(), 26);
    host->showPage(15);
    EXPECT_TRUE(g->cell(0, 0).isEmpty());
    EXPECT_EQ(g->cell(0, 1), QStringLiteral("W 10"));
    EXPECT_EQ(g->cell(0, 25), QStringLiteral("W 100"));
    EXPECT_EQ(g->cell(1, 0), QStringLiteral("D 3"));
    EXPECT_EQ(g->cell(25, 0), QStringLiteral("D 60"));
    EXPECT_EQ(g->cell(1, 1), QStringLiteral("0.2355"));
    EXPECT_EQ(g->cell(25, 25), QStringLiteral("47.1"));
    EXPECT_EQ(g->cell(0, 13), QStringLiteral("W 40"));
    EXPECT_EQ(g->cell(2, 13), QStringLiteral("1.256")); // W 40, D 4
}

// The W and D captions are the grid's headers: scrolled to the last size, both still show,
// and the body's first visible row and column are named by the header beside them.
TEST_F(SectionPagesTest, FlatBarCaptionsStayInViewWhileTheBodyScrolls)
{
    StringGrid *g = grid(15, "StringGrid22");
    host->showPage(15);
    host->window()->show();
    g->resize(400, 200);
    QApplication::processEvents();
    EXPECT_TRUE(g->isRowHidden(0));
    EXPECT_TRUE(g->isColumnHidden(0));
    QHeaderView *top = g->horizontalHeader();
    QHeaderView *left = g->verticalHeader();
    ASSERT_TRUE(top->isVisible());
    ASSERT_TRUE(left->isVisible());
    EXPECT_GE(left->width(), left->fontMetrics().horizontalAdvance(QStringLiteral("W 100")));
    EXPECT_GE(top->height(), top->fontMetrics().height());

    g->scrollToItem(g->item(25, 25));
    QApplication::processEvents();
    const int firstRow = g->rowAt(0);
    const int firstColumn = g->columnAt(0);
    EXPECT_GT(firstRow, 1);
    EXPECT_GT(firstColumn, 1);
    EXPECT_EQ(left->logicalIndexAt(0), firstRow);
    EXPECT_EQ(top->logicalIndexAt(0), firstColumn);
    EXPECT_EQ(g->cell(firstColumn, 0), QStringLiteral("D %1").arg(weights::flatBarThickness(firstColumn)));

    // Keyboard travel never lands on a caption.
    g->setFocus();
    g->setCurrentCell(1, 1);
    QTest::keyClick(g, Qt::Key_Up);
    QTest::keyClick(g, Qt::Key_Left);
    EXPECT_EQ(g->currentRow(), 1);
    EXPECT_EQ(g->currentColumn(), 1);
}

TEST_F(SectionPagesTest, LegendsAndLabels)
{
    auto hasLabel = [&](int page, const QString &text) {
        host->showPage(page);
        for (QLabel *label : host->page(page)->findChildren<QLabel *>())
            if (label->text() == text)
                return true;
        return false;
    };
    EXPECT_TRUE(hasLabel(11, QStringLiteral("公式说明：    d: 直径   G: 理论重量 ")));
    EXPECT_TRUE(hasLabel(22, QStringLiteral("   L: 面积   M: 重量  ")));
    EXPECT_TRUE(hasLabel(22, QStringLiteral("G(kg/m2)：")));
    EXPECT_TRUE(hasLabel(22, QStringLiteral("L (m2)：")));
    EXPECT_TRUE(hasLabel(28, QStringLiteral("R: 公称外径    td: 加厚钢管壁厚  tG: 加厚钢管理论重量  ")));
    EXPECT_TRUE(hasLabel(19, QStringLiteral("说明：     斜度: 12%")));
    EXPECT_TRUE(hasLabel(30, QStringLiteral("公式说明：  R: 外径    d: 壁厚    G: 理论重量  ")));
}

} // namespace
} // namespace mhbk::test
