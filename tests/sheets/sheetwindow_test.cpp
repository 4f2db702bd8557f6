#include "common/reporter.h"
#include "sheets/sheetgrid.h"
#include "sheets/sheetwindow.h"
#include "sheets/sheetwindows.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QSpinBox>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace {

using namespace mhbk::sheets;

// A stand-in page of the main window with its sheet embedded, shown and focused.
class SheetWindowTest : public ::testing::Test {
protected:
    void open(int pageIndex)
    {
        page_ = std::make_unique<QWidget>();
        page_->resize(640, 480);
        window_ = qobject_cast<SheetWindow *>(mhbk::createSheetWindow(pageIndex, page_.get(), reporter_));
        ASSERT_NE(window_, nullptr);
        page_->show();
        page_->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(page_.get()));
        grid_ = window_->findChild<SheetGrid *>(QStringLiteral("StringGrid1"));
        ASSERT_NE(grid_, nullptr);
        grid_->setFocus();
    }

    void select(int column, int row) { grid_->setGridCell(column, row); }

    // Keys go wherever the focus is, as they would from the keyboard: the grid, or the
    // length editor once typing has opened it.
    void type(const QString &text)
    {
        for (QChar ch : text)
            QTest::keyClick(QApplication::focusWidget(), ch.toLatin1());
    }
    void pressEnter() { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); }

    std::string cell(int column, int row) const { return grid_->cell(column, row).toStdString(); }

    QString allCells() const
    {
        QString text;
        for (int row = 0; row < grid_->rowCount() + 1; ++row)
            for (int column = 0; column < kColumnCount; ++column)
                text += grid_->cell(column, row) + QLatin1Char('|');
        return text;
    }

    mhbk::RecordingReporter reporter_;
    std::unique_ptr<QWidget> page_;
    SheetWindow *window_ = nullptr;
    SheetGrid *grid_ = nullptr;
};

TEST_F(SheetWindowTest, EachPageGetsItsSheetOnce)
{
    open(6);
    EXPECT_STREQ(window_->metaObject()->className(), "mhbk::sheets::OuterDiameterSheet");
    EXPECT_EQ(window_->objectName(), "TfrmGGBW");
    EXPECT_EQ(window_->parentWidget(), page_.get());
    EXPECT_TRUE(window_->isVisible());
    EXPECT_EQ(mhbk::createSheetWindow(6, page_.get(), reporter_), window_);
    EXPECT_EQ(page_->findChildren<SheetWindow *>().size(), 1);

    QWidget other;
    auto *old = mhbk::createSheetWindow(5, &other, reporter_);
    ASSERT_NE(old, nullptr);
    EXPECT_EQ(old->objectName(), "TfrmGGBW_Old");
    EXPECT_EQ(mhbk::createSheetWindow(7, &other, reporter_), nullptr);
}

// Each sheet names, under its grid, the standards its diameters and formulas follow; the nominal
// sheet's diameters are the 1993 edition's and it says so. Its DN125 row paints π·D of 140 mm.
TEST_F(SheetWindowTest, EachSheetNamesItsStandards)
{
    struct Expected {
        int page;
        const char *editions[2];
    };
    for (const Expected &e : {Expected{5, {"GB/T 3091-1993", "GYDGZ-201-2000"}}, Expected{6, {"GYDGZ-201-2000", nullptr}}}) {
        open(e.page);
        const QLabel *note = window_->findChild<QLabel *>(QStringLiteral("lblStandardNote"));
        ASSERT_NE(note, nullptr) << e.page;
        EXPECT_TRUE(note->isVisible()) << e.page;
        for (const char *edition : e.editions) {
            if (edition) {
                EXPECT_TRUE(note->text().contains(QLatin1String(edition))) << e.page << ": " << note->text().toStdString();
            }
        }
    }
    open(5);
    EXPECT_EQ(cell(0, 11), "125(140)");
    EXPECT_EQ(cell(2, 11), "0.4398");
}

TEST_F(SheetWindowTest, OpensWithThicknessTwentyAndZeroTotals)
{
    open(6);
    auto *spin = window_->findChild<QSpinBox *>(QStringLiteral("SpinEdit1"));
    ASSERT_NE(spin, nullptr);
    EXPECT_EQ(spin->value(), 20);
    EXPECT_EQ(spin->minimum(), 0);
    EXPECT_EQ(spin->maximum(), 200);
    EXPECT_EQ(cell(0, 0), "管道外径");
    EXPECT_EQ(cell(2, 1), "0.0440");
    EXPECT_EQ(cell(4, 1), "0.00225");
    EXPECT_EQ(cell(6, 1), "0.17601");
    for (int row : {1, 33, 99})
        for (int column : {3, 5, 7})
            EXPECT_EQ(cell(column, row), "0.0000") << column << "," << row;
    EXPECT_EQ(cell(2, 33), "");
}

TEST_F(SheetWindowTest, EntryFilterKeepsDigitsAndOnePoint)
{
    open(6);
    select(1, 1);
    type(QStringLiteral("1a0.5.x-"));
    pressEnter();
    EXPECT_EQ(cell(1, 1), "10.5");

    select(2, 3);  // painting area: no typing
    type(QStringLiteral("7"));
    EXPECT_EQ(cell(2, 3), "0.0565");
    EXPECT_EQ(grid_->gridRow(), 3);  // typing never jumps to a matching row

    select(1, 33);  // subtotal row
    type(QStringLiteral("5"));
    EXPECT_EQ(cell(1, 33), "");
}

TEST_F(SheetWindowTest, EnterRecalculatesAndMovesDown)
{
    open(6);
    select(1, 1);
    type(QStringLiteral("10"));
    pressEnter();
    EXPECT_EQ(cell(1, 1), "10");
    EXPECT_EQ(cell(3, 1), "0.4400");
    EXPECT_EQ(cell(5, 1), "0.0225");
    EXPECT_EQ(cell(7, 1), "1.7601");
    EXPECT_EQ(cell(7, 33), "1.7601");
    EXPECT_EQ(cell(7, 99), "1.7601");
    EXPECT_EQ(grid_->gridColumn(), 1);
    EXPECT_EQ(grid_->gridRow(), 2);

    select(1, 32);
    pressEnter();
    EXPECT_EQ(grid_->gridRow(), 33);  // like the Down key: onto the subtotal row
    select(3, 5);
    pressEnter();
    EXPECT_EQ(grid_->gridRow(), 5);  // only the length column moves down
}

TEST_F(SheetWindowTest, TabLeavesTheLengthForTheNextCell)
{
    open(6);
    select(1, 4);
    type(QStringLiteral("5"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(cell(1, 4), "5");
    EXPECT_EQ(grid_->gridColumn(), 2);
    EXPECT_EQ(grid_->gridRow(), 4);
    EXPECT_EQ(QApplication::focusWidget(), grid_);  // the editor has closed
}

TEST_F(SheetWindowTest, RecalculatesOnlyWhenTheLengthRowChanges)
{
    open(6);
    select(1, 2);
    EXPECT_EQ(window_->rememberedRow(), 2);
    grid_->setCell(1, 1, QStringLiteral("10"));  // as if typed without leaving the row
    select(4, 2);
    select(1, 2);
    EXPECT_EQ(cell(3, 1), "0.0000");
    select(1, 3);
    EXPECT_EQ(cell(3, 1), "0.4400");
}

TEST_F(SheetWindowTest, ThicknessChangeRecalculatesEverything)
{
    open(6);
    grid_->setCell(1, 1, QStringLiteral("10"));
    auto *spin = window_->findChild<QSpinBox *>(QStringLiteral("SpinEdit1"));
    spin->setValue(0);
    EXPECT_EQ(cell(4, 1), "0.00000");
    EXPECT_EQ(cell(6, 1), "0.04406");
    EXPECT_EQ(cell(5, 1), "0.0000");
    EXPECT_EQ(cell(7, 1), "0.4406");

    spin->setValue(20);
    spin->setFocus();
    spin->selectAll();
    QTest::keyClick(spin, Qt::Key_Backspace);  // an emptied box counts as 0
    EXPECT_EQ(spin->value(), 0);
    EXPECT_EQ(spin->text(), "0");
    EXPECT_EQ(cell(4, 1), "0.00000");
}

TEST_F(SheetWindowTest, ThicknessTypedBeyondTheRangeIsTheMaximum)
{
    open(6);
    auto *spin = window_->findChild<QSpinBox *>(QStringLiteral("SpinEdit1"));
    spin->setFocus();
    spin->selectAll();
    QTest::keyClicks(spin, QStringLiteral("300"));
    EXPECT_EQ(spin->text(), "200");
    EXPECT_EQ(spin->value(), 200);
    // W = 200 for D = 14: π × (0.014 + 0.2066) × 0.2066 and π × (0.014 + 0.42) + 0.000082.
    EXPECT_EQ(cell(4, 1), "0.14318");
    EXPECT_EQ(cell(6, 1), "1.36353");
}

TEST_F(SheetWindowTest, CopyPutsOnlyTheCurrentCellOnTheClipboard)
{
    open(6);
    select(2, 1);
    grid_->setRangeSelected(QTableWidgetSelectionRange(0, 1, 5, 4), true);
    window_->findChild<QAbstractButton *>(QStringLiteral("SpeedButton1"))->click();
    EXPECT_EQ(QApplication::clipboard()->text(), "0.0440");
}

// Seen on both sheets: "." typed into a length cell, then W changed. The per-metre columns
// follow the W shown, the bad row counts as 0 and is reported once, and after the length is
// put right every product is for the new W.
TEST_F(SheetWindowTest, ThicknessChangeWithABadLengthKeepsEveryFigureCurrent)
{
    struct Case {
        int page;
        int badRow;
        const char *reported;
        const char *volumePerMetreAt50;  // column 4 of row 1 with W = 50
        const char *volumeAt50;          // column 5 of row 1, length 10
    };
    const Case cases[] = {
        {6, 5, "以下管子长度不是数值，已按 0 计算：\n管道外径 21.30：“.”", "0.01065", "0.1065"},
        {5, 2, "以下管子长度不是数值，已按 0 计算：\n管径 20(26.75)：“.”", "0.01183", "0.1183"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.page);
        open(c.page);
        select(1, 1);
        type(QStringLiteral("10"));
        pressEnter();
        select(1, c.badRow);
        type(QStringLiteral("."));  // the editor stays open, its text already in the cell
        ASSERT_EQ(cell(1, c.badRow), ".");
        reporter_.clear();

        auto *spin = window_->findChild<QSpinBox *>(QStringLiteral("SpinEdit1"));
        spin->setFocus();
        spin->selectAll();
        QTest::keyClicks(spin, QStringLiteral("50"));
        EXPECT_EQ(spin->value(), 50);
        EXPECT_TRUE(reporter_.empty()) << "a message box while W is typed would take the next digit";
        QTest::keyClick(spin, Qt::Key_Return);
        ASSERT_EQ(reporter_.size(), 1u);
        EXPECT_EQ(reporter_.last().text, QString::fromUtf8(c.reported));
        EXPECT_EQ(reporter_.last().caption, mhbk::kApplicationTitle);
        EXPECT_EQ(cell(4, 1), c.volumePerMetreAt50);
        EXPECT_EQ(cell(5, 1), c.volumeAt50);
        EXPECT_EQ(cell(5, c.badRow), "0.0000");
        EXPECT_EQ(cell(5, window_->sheet().totalRow()), c.volumeAt50);

        // The length put right: its products are for W = 50 too.
        grid_->setFocus();
        select(1, c.badRow);
        type(QStringLiteral("10"));
        pressEnter();
        EXPECT_EQ(reporter_.size(), 1u);
        const double length = std::stod(cell(1, c.badRow));
        const double perMetre = std::stod(cell(4, c.badRow));
        EXPECT_GT(length, 0.0);
        EXPECT_EQ(cell(5, c.badRow), QString::number(perMetre * length, 'f', 4).toStdString());
    }
}

TEST_F(SheetWindowTest, CtrlCCopiesTheSelectedCellsTabSeparated)
{
    open(6);
    select(2, 1);
    grid_->setRangeSelected(QTableWidgetSelectionRange(0, 1, 1, 2), true);  // rows 1-2, columns 2-3
    QTest::keyClick(grid_, Qt::Key_C, Qt::ControlModifier);
    const QString expected = cell(2, 1).c_str() + QStringLiteral("\t") + cell(3, 1).c_str() + QStringLiteral("\n")
                             + cell(2, 2).c_str() + QStringLiteral("\t") + cell(3, 2).c_str();
    EXPECT_EQ(QApplication::clipboard()->text(), expected);
    EXPECT_EQ(cell(2, 1), "0.0440") << "the grid itself is unchanged";
}

TEST_F(SheetWindowTest, EnterOnABadLengthReportsAndStays)
{
    open(6);
    grid_->setCell(1, 5, QStringLiteral("."));  // pasted, not typed
    select(1, 5);
    pressEnter();
    ASSERT_EQ(reporter_.size(), 1u);
    EXPECT_EQ(reporter_.last().icon, mhbk::MessageIcon::Warning);
    EXPECT_EQ(grid_->gridRow(), 5);
    pressEnter();
    EXPECT_EQ(reporter_.size(), 1u) << "the same bad length is not reported again";
    select(1, 6);
    grid_->setCell(1, 5, QStringLiteral(".."));
    select(1, 7);
    EXPECT_EQ(reporter_.size(), 2u) << "a new bad text is";
}

TEST_F(SheetWindowTest, PaintsBandsTotalsAndEntryCells)
{
    open(6);
    EXPECT_EQ(grid_->verticalHeaderItem(32)->foreground().color(), QColor(Qt::blue));  // "小计"
    EXPECT_EQ(grid_->verticalHeaderItem(98)->foreground().color(), QColor(Qt::red));   // "合计"
    EXPECT_EQ(grid_->item(98, 4)->foreground().color(), QColor(Qt::red));
    EXPECT_EQ(grid_->item(0, 2)->foreground().color(), QColor(Qt::blue));  // column 3
    EXPECT_EQ(grid_->horizontalHeaderItem(1)->foreground().color(), QColor(0, 128, 0));  // column 2
    EXPECT_EQ(grid_->item(0, 0)->background().color(), QColor(245, 245, 245));
    EXPECT_TRUE(grid_->item(0, 0)->flags() & Qt::ItemIsEditable);
    EXPECT_FALSE(grid_->item(32, 0)->flags() & Qt::ItemIsEditable);
    EXPECT_FALSE(grid_->item(0, 1)->flags() & Qt::ItemIsEditable);
}

TEST_F(SheetWindowTest, NominalSizeSheetUsesItsOwnDiameters)
{
    open(5);
    EXPECT_EQ(cell(0, 0), "管径");
    select(1, 1);
    type(QStringLiteral("10"));
    pressEnter();
    EXPECT_EQ(cell(2, 1), "0.0669");
    EXPECT_EQ(cell(4, 1), "0.00272");
    EXPECT_EQ(cell(6, 1), "0.19879");
    EXPECT_EQ(cell(3, 1), "0.6690");
    EXPECT_EQ(cell(5, 1), "0.0272");
    EXPECT_EQ(cell(7, 25), "1.9879");
    select(1, 7);
    type(QStringLiteral("5"));
    EXPECT_EQ(cell(1, 7), "");
}

} // namespace
