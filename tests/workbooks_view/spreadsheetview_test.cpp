#include "viewfixture.h"

#include "common/errors.h"
#include "common/reporter.h"
#include "workbooks/engine/workbookjson.h"
#include "workbooks/view/spreadsheetview.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QLineEdit>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QTimer>
#include <QTemporaryDir>
#include <QTest>
#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace mhbk;
using namespace mhbk::test;
using view::SpreadsheetView;

namespace {

TEST(SpreadsheetView, ShowsTheLoadedWorkbook)
{
    auto v = viewOf(priceList());
    EXPECT_EQ(v->cellText(1, 1), QStringLiteral("材料价格表"));
    EXPECT_EQ(v->cellText(3, 4), QStringLiteral("50.00"));
    EXPECT_EQ(v->cellText(5, 4), QStringLiteral("90.00"));
    const QString png = QStringLiteral(MHBK_VIEW_TEST_OUT "/spreadsheetview.png");
    EXPECT_TRUE(v->grab().save(png));
}

TEST(SpreadsheetView, CellsOutsideTheUsedRangeReadEmpty)
{
    auto v = viewOf(priceList());
    v->setCurrentCell(100, 100);
    EXPECT_EQ(v->cellText(), QString());
    EXPECT_EQ(v->cellText(0, 0), QString());
    EXPECT_EQ(v->cellText(-3, 2), QString());
    v->setCellText(QStringLiteral("3"));
    EXPECT_EQ(v->cellText(100, 100), QStringLiteral("3"));
    v->setCellText(QString());
    EXPECT_EQ(v->cellText(), QString());
}

// Programs write locked cells (the duct pages fill in results); only the user is refused.
TEST(SpreadsheetView, ProgramWritesRecalculateDependents)
{
    auto v = viewOf(priceList());
    v->setCurrentCell(3, 3);
    v->setCellText(QStringLiteral("10"));
    EXPECT_EQ(v->cellText(3, 4), QStringLiteral("125.00"));
    EXPECT_EQ(v->cellText(5, 4), QStringLiteral("165.00"));
    v->setCellText(5, 1, QStringLiteral("备注"));
    EXPECT_EQ(v->cellText(5, 1), QStringLiteral("备注"));
}

TEST(SpreadsheetView, TypingIntoAnUnlockedCellRecalculates)
{
    auto v = viewOf(priceList());
    v->setCurrentCell(3, 3); // C3, a quantity
    typeText(*v, QStringLiteral("10"));
    ASSERT_TRUE(v->isEditing());
    press(*v, Qt::Key_Return);
    EXPECT_FALSE(v->isEditing());
    EXPECT_EQ(v->cellText(3, 4), QStringLiteral("125.00"));
    EXPECT_EQ(v->cellText(5, 4), QStringLiteral("165.00"));
    EXPECT_EQ(v->currentRow(), 4); // Enter moves down
    EXPECT_EQ(v->currentColumn(), 3);
}

TEST(SpreadsheetView, EditingALockedCellIsRefusedWithAReason)
{
    auto v = viewOf(priceList());
    QSignalSpy said(v.get(), &view::SpreadsheetView::statusMessage);
    for (auto [row, col] : {std::pair(3, 4), std::pair(1, 1), std::pair(2, 2)}) {
        v->setCurrentCell(row, col);
        const QString before = v->cellText();
        typeText(*v, QStringLiteral("7"));
        EXPECT_FALSE(v->isEditing()) << row << "," << col;
        press(*v, Qt::Key_F2);
        EXPECT_FALSE(v->isEditing());
        press(*v, Qt::Key_Delete);
        EXPECT_EQ(v->cellText(), before);
    }
    ASSERT_FALSE(said.isEmpty());
    EXPECT_EQ(said.last().at(0).toString(), QStringLiteral("该单元格是公式或固定内容，不能修改"));
}

TEST(SpreadsheetView, EscapeCancelsAnEdit)
{
    auto v = viewOf(priceList());
    v->setCurrentCell(3, 2);
    typeText(*v, QStringLiteral("99"));
    press(*v, Qt::Key_Escape);
    EXPECT_FALSE(v->isEditing());
    EXPECT_EQ(v->cellText(3, 2), QStringLiteral("12.5"));
}

TEST(SpreadsheetView, KeyboardMovesOverMergesAndHiddenColumns)
{
    auto v = viewOf(priceList());
    v->setColumnRangeHidden(2, 2, true); // B
    v->setCurrentCell(1, 1);             // A1, the anchor of the merged title A1:D1
    const struct {
        int key;
        int row, col; // the current cell afterwards
    } steps[] = {
        {Qt::Key_Right, 1, 5}, // the merged title counts as one cell
        {Qt::Key_Left, 1, 1},  // and is entered at its anchor
        {Qt::Key_Down, 2, 1},
        {Qt::Key_Right, 2, 3}, // B is hidden
        {Qt::Key_Left, 2, 1},
        {Qt::Key_Up, 1, 1},
        {Qt::Key_Return, 2, 1},
        {Qt::Key_Up, 1, 1},
        {Qt::Key_Up, 1, 1},    // nothing above row 1
    };
    for (const auto &s : steps) {
        press(*v, s.key);
        EXPECT_EQ(std::pair(v->currentRow(), v->currentColumn()), std::pair(s.row, s.col)) << "key " << s.key;
    }
}

TEST(SpreadsheetView, CopiesTheSelectionAsTabSeparatedText)
{
    auto v = viewOf(priceList());
    v->setSelection({1, 0, 3, 3});
    EXPECT_EQ(v->selectionText(), QStringLiteral("名称\t单价\t数量\t金额\n"
                                                 "焊接钢管\t12.5\t4\t50.00\n"
                                                 "镀锌钢管\t20\t2\t40.00\n"));
    v->setColumnRangeHidden(2, 3, true);
    v->setCellText(2, 1, QStringLiteral("名\t称"));
    v->setSelection({1, 0, 2, 3});
    press(*v, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("\"名\t称\"\t金额\n焊接钢管\t50.00\n"));
}

TEST(SpreadsheetView, ShiftArrowsExtendTheSelection)
{
    auto v = viewOf(priceList());
    v->setCurrentCell(3, 1);
    press(*v, Qt::Key_Right, Qt::ShiftModifier);
    press(*v, Qt::Key_Down, Qt::ShiftModifier);
    const wb::CellRange sel = v->selection();
    EXPECT_EQ(sel, (wb::CellRange{2, 0, 3, 1}));
}

TEST(SpreadsheetView, LoadingBrokenDataKeepsTheShownWorkbook)
{
    auto v = viewOf(priceList());
    const QByteArray broken[] = {wb::saveWorkbook(priceList()).left(40), QByteArray("{\"version\": 1, \"sheets\": [")};
    for (const QByteArray &data : broken) {
        EXPECT_THROW(v->loadFromData(data), AppError) << data.constData();
        EXPECT_EQ(v->cellText(1, 1), QStringLiteral("材料价格表"));
    }
}

TEST(SpreadsheetView, SavesWhatItShows)
{
    QTemporaryDir dir;
    auto v = viewOf(priceList());
    v->setCellText(3, 3, QStringLiteral("8"));
    const struct {
        SpreadsheetView::FileType type;
        QString name;
        QByteArray start;
    } cases[] = {{SpreadsheetView::FileType::Workbook, QStringLiteral("copy"), QByteArray("{")},
                 {SpreadsheetView::FileType::Excel97, QStringLiteral("out.xls"), QByteArray("\xD0\xCF")},
                 {SpreadsheetView::FileType::Excel2007, QStringLiteral("out.xlsx"), QByteArray("PK")}};
    for (const auto &c : cases) {
        const QString path = dir.filePath(c.name);
        v->saveToFile(path, c.type);
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_EQ(f.read(c.start.size()), c.start) << c.name.toStdString();
    }
    QFile stored(dir.filePath(QStringLiteral("copy")));
    ASSERT_TRUE(stored.open(QIODevice::ReadOnly));
    SpreadsheetView again;
    again.loadFromData(stored.readAll());
    EXPECT_EQ(again.cellText(5, 4), QStringLiteral("140.00"));
}

} // namespace

namespace {

// The preview dialog gets its pages from the sheet's printout: a long sheet previews on
// several A4 pages.
TEST(SpreadsheetView, PrintPreviewShowsThePagedSheet)
{
    wb::Workbook book = priceList();
    for (int r = 5; r < 150; ++r)
        book.setInput(0, r, 0, QString::number(r));
    auto v = viewOf(book);
    int pages = -1;
    QString title;
    QTimer::singleShot(0, [&] {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *d = qobject_cast<QPrintPreviewDialog *>(w)) {
                title = d->windowTitle();
                if (auto *preview = d->findChild<QPrintPreviewWidget *>())
                    pages = preview->pageCount();
                d->reject();
            }
    });
    RecordingReporter reporter;
    v->openPrintPreview(reporter);
    EXPECT_EQ(title, QStringLiteral("打印预览"));
    EXPECT_GT(pages, 1);
    EXPECT_TRUE(reporter.empty());
}

} // namespace
