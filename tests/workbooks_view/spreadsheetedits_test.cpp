// Tab between the cells to fill, undo and redo, paste and copy, and committing an open editor,
// on a real view with the real (offscreen) clipboard.
#include "viewfixture.h"

#include "workbooks/engine/workbookjson.h"
#include "workbooks/view/cellblock.h"
#include "workbooks/view/spreadsheetview.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMimeData>
#include <QSignalSpy>
#include <QUndoStack>
#include <gtest/gtest.h>

using namespace mhbk;
using namespace mhbk::test;
using view::SpreadsheetView;

namespace {

std::pair<int, int> at(const SpreadsheetView &v) { return {v.currentRow(), v.currentColumn()}; }

void putOnClipboard(const QString &text, const QString &html = QString())
{
    auto *mime = new QMimeData;
    if (!text.isNull())
        mime->setText(text);
    if (!html.isNull())
        mime->setHtml(html);
    QApplication::clipboard()->setMimeData(mime);
}

// The unlocked cells of the price list are B3:C4; everything else is a label or a formula.
TEST(SheetTab, VisitsOnlyTheCellsToFillAndWraps)
{
    auto v = viewOf(priceList());
    v->setCurrentCell(1, 1);
    const struct {
        int key;
        std::pair<int, int> to;
    } steps[] = {
        {Qt::Key_Tab, {3, 2}},     {Qt::Key_Tab, {3, 3}},     {Qt::Key_Tab, {4, 2}},
        {Qt::Key_Tab, {4, 3}},     {Qt::Key_Tab, {3, 2}}, // past the last one back to the first
        {Qt::Key_Backtab, {4, 3}}, {Qt::Key_Backtab, {4, 2}}, {Qt::Key_Backtab, {3, 3}},
    };
    for (const auto &s : steps) {
        press(*v, s.key);
        EXPECT_EQ(at(*v), s.to) << "key " << s.key;
    }
}

TEST(SheetTab, CommitsTheEntryAndSkipsHiddenColumns)
{
    auto v = viewOf(priceList());
    v->setCurrentCell(3, 2);
    typeText(*v, QStringLiteral("10"));
    press(*v, Qt::Key_Tab);
    EXPECT_FALSE(v->isEditing());
    EXPECT_EQ(v->cellText(3, 4), QStringLiteral("40.00"));
    EXPECT_EQ(at(*v), std::pair(3, 3));

    v->setColumnRangeHidden(3, 3, true); // C: only B3 and B4 are left to visit
    press(*v, Qt::Key_Tab);
    EXPECT_EQ(at(*v), std::pair(4, 2));
    press(*v, Qt::Key_Tab);
    EXPECT_EQ(at(*v), std::pair(3, 2));
}

TEST(SheetUndo, EachEditClearAndPasteIsOneStep)
{
    auto v = viewOf(priceList());
    QUndoStack &undo = *v->undoStack();
    EXPECT_TRUE(undo.isClean());

    v->setCurrentCell(3, 2);
    typeText(*v, QStringLiteral("10"));
    press(*v, Qt::Key_Return);                  // step 1: B3 = 10
    press(*v, Qt::Key_A, Qt::ControlModifier);
    press(*v, Qt::Key_Delete);                  // step 2: all four inputs cleared, labels stay
    EXPECT_EQ(v->cellText(5, 4), QStringLiteral("0.00"));
    EXPECT_EQ(v->cellText(2, 1), QStringLiteral("名称"));
    v->setCurrentCell(3, 2);
    putOnClipboard(QStringLiteral("1\t2\n3\t4\n"));
    press(*v, Qt::Key_V, Qt::ControlModifier);  // step 3: the block
    EXPECT_EQ(v->cellText(5, 4), QStringLiteral("14.00"));
    EXPECT_FALSE(undo.isClean());
    EXPECT_EQ(undo.count(), 3);

    const struct {
        int key;
        Qt::KeyboardModifiers mods;
        const char *total;
    } steps[] = {
        {Qt::Key_Z, Qt::ControlModifier, "0.00"},                        // paste undone
        {Qt::Key_Z, Qt::ControlModifier, "80.00"},                       // clear undone: 10*4 + 20*2
        {Qt::Key_Z, Qt::ControlModifier, "90.00"},                       // the shipped values
        {Qt::Key_Z, Qt::ControlModifier, "90.00"},                       // nothing more to undo
        {Qt::Key_Y, Qt::ControlModifier, "80.00"},
        {Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier, "0.00"},
        {Qt::Key_Y, Qt::ControlModifier, "14.00"},
    };
    for (const auto &s : steps) {
        press(*v, s.key, s.mods);
        EXPECT_EQ(v->cellText(5, 4), QString::fromUtf8(s.total)) << s.key << " " << s.mods;
    }
    EXPECT_EQ(v->selection(), (wb::CellRange{2, 1, 3, 2})); // redoing shows the cells it changed
    undo.setClean();
    v->setCurrentCell(1, 1);
    press(*v, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_FALSE(undo.isClean());
    EXPECT_EQ(v->selection(), (wb::CellRange{2, 1, 3, 2}));
}

TEST(SheetUndo, KeepsAtLeastAHundredSteps)
{
    auto v = viewOf(priceList());
    v->setCurrentCell(3, 3);
    for (int i = 1; i <= 150; ++i) {
        typeText(*v, QString::number(i));
        press(*v, Qt::Key_Up); // commits; the next round starts on C3 again
        v->setCurrentCell(3, 3);
    }
    EXPECT_EQ(v->cellText(3, 3), QStringLiteral("150"));
    for (int i = 0; i < 149; ++i)
        press(*v, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(v->cellText(3, 3), QStringLiteral("1"));
    press(*v, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(v->cellText(3, 3), QStringLiteral("4"));
}

TEST(SheetUndo, LoadingAWorkbookStartsClean)
{
    auto v = viewOf(priceList());
    v->applyUserEdits({{{2, 1}, QStringLiteral("7")}}, QStringLiteral("输入"));
    EXPECT_EQ(v->undoStack()->count(), 1);
    v->applyUserEdits({{{2, 1}, QStringLiteral("7")}}, QStringLiteral("输入")); // no change, no step
    EXPECT_EQ(v->undoStack()->count(), 1);
    v->loadFromData(wb::saveWorkbook(priceList()));
    EXPECT_EQ(v->undoStack()->count(), 0);
    EXPECT_TRUE(v->undoStack()->isClean());
}

TEST(SheetPaste, FillsUnlockedCellsOrRefusesTheWholeBlock)
{
    const QString refused = QStringLiteral("粘贴区域含有公式或固定内容的单元格，不能粘贴");
    const struct {
        const char *name;
        int row, col;
        QString text, html;
        QString b3, c3, b4, c4; // afterwards
        QString message;
    } cases[] = {
        {"tab text", 3, 2, QStringLiteral("1\t2\r\n3\t4"), {}, "1", "2", "3", "4", {}},
        {"html table wins over its text", 3, 2, QStringLiteral("x"),
         QStringLiteral("<html><body><table><tr><td>5</td><td>&nbsp;6 </td></tr><tr><td colspan=2>7</td></tr></table>"),
         "5", "6", "7", "", {}},
        {"one value", 4, 3, QStringLiteral("9\n"), {}, "12.5", "4", "20", "9", {}},
        {"empty fields clear", 3, 2, QStringLiteral("\t8"), {}, "", "8", "20", "2", {}},
        {"reaches the formula column", 3, 3, QStringLiteral("1\t2"), {}, "12.5", "4", "20", "2", refused},
        {"reaches the total row", 4, 2, QStringLiteral("1\n2"), {}, "12.5", "4", "20", "2", refused},
        {"starts on a label", 2, 2, QStringLiteral("1"), {}, "12.5", "4", "20", "2", refused},
    };
    for (const auto &c : cases) {
        auto v = viewOf(priceList());
        QSignalSpy said(v.get(), &SpreadsheetView::statusMessage);
        v->setCurrentCell(c.row, c.col);
        putOnClipboard(c.text, c.html);
        press(*v, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(v->cellText(3, 2), c.b3) << c.name;
        EXPECT_EQ(v->cellText(3, 3), c.c3) << c.name;
        EXPECT_EQ(v->cellText(4, 2), c.b4) << c.name;
        EXPECT_EQ(v->cellText(4, 3), c.c4) << c.name;
        EXPECT_EQ(said.isEmpty() ? QString() : said.last().at(0).toString(), c.message) << c.name;
        EXPECT_EQ(v->undoStack()->count(), c.message.isEmpty() ? 1 : 0) << c.name;
    }
}

TEST(SheetPaste, OneValueFillsTheSelectedRange)
{
    auto v = viewOf(priceList());
    putOnClipboard(QStringLiteral("3\n"));
    v->setSelection({2, 2, 3, 2}); // both quantities
    press(*v, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(v->cellText(5, 4), QStringLiteral("97.50")); // 12.5*3 + 20*3
    v->setSelection({2, 2, 3, 3}); // takes in the formulas: refused whole
    press(*v, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(v->undoStack()->count(), 1);
}

TEST(SheetPaste, InsideAnEditorPastesTextOnOneLine)
{
    auto v = viewOf(priceList());
    v->setCurrentCell(3, 2);
    press(*v, Qt::Key_F2);
    auto *editor = v->findChild<QLineEdit *>(QStringLiteral("CellEditor"));
    ASSERT_TRUE(editor && v->isEditing());
    editor->clear();
    putOnClipboard(QStringLiteral("3\t4\n"), QStringLiteral("<table><tr><td>3</td><td>4</td></tr></table>"));
    press(*v, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(editor->text(), QStringLiteral("3 4"));
    EXPECT_EQ(v->cellText(3, 3), QStringLiteral("4")); // the neighbour is untouched
}

TEST(SheetCopy, GivesTabTextAndAnHtmlTableOfTheShownValues)
{
    auto v = viewOf(priceList());
    v->setSelection({2, 0, 3, 3});
    press(*v, Qt::Key_C, Qt::ControlModifier);
    const QMimeData *mime = QApplication::clipboard()->mimeData();
    ASSERT_TRUE(mime);
    EXPECT_EQ(mime->text(), QStringLiteral("焊接钢管\t12.5\t4\t50.00\n镀锌钢管\t20\t2\t40.00\n"));
    const view::CellBlock expected{{QStringLiteral("焊接钢管"), QStringLiteral("12.5"), QStringLiteral("4"), QStringLiteral("50.00")},
                                   {QStringLiteral("镀锌钢管"), QStringLiteral("20"), QStringLiteral("2"), QStringLiteral("40.00")}};
    EXPECT_EQ(view::blockFromHtml(mime->html()), expected);

    // What was copied pastes back: the inputs of row 3 onto row 4.
    v->setSelection({2, 1, 2, 2});
    press(*v, Qt::Key_C, Qt::ControlModifier);
    v->setCurrentCell(4, 2);
    press(*v, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(v->cellText(4, 4), QStringLiteral("50.00"));
}

TEST(SheetCommit, CommandsThatReadTheSheetGetWhatIsTyped)
{
    const struct {
        const char *name;
        std::function<void(SpreadsheetView &)> command;
    } cases[] = {
        {"commit call", [](SpreadsheetView &v) { v.commitPendingEdit(); }},
        {"page hidden", [](SpreadsheetView &v) { v.hide(); }},
        {"selection changed", [](SpreadsheetView &v) { v.setSelection({0, 0, 1, 1}); }},
    };
    for (const auto &c : cases) {
        auto v = viewOf(priceList());
        v->setCurrentCell(4, 3);
        typeText(*v, QStringLiteral("5"));
        ASSERT_TRUE(v->isEditing());
        c.command(*v);
        EXPECT_FALSE(v->isEditing()) << c.name;
        EXPECT_EQ(v->cellText(5, 4), QStringLiteral("150.00")) << c.name;
        EXPECT_EQ(v->undoStack()->count(), 1) << c.name;
    }
}

} // namespace

// The unit prices B3:B4 of the price list taken as reference values: corrected on purpose,
// never changed in passing.
class ReferenceCellsTest : public ::testing::Test {
protected:
    ReferenceCellsTest() : v(viewOf(priceList()))
    {
        v->setReferenceCells({[](int row, int col) { return col == 1 && (row == 2 || row == 3); },
                              [this] {
                                  ++asked;
                                  return agree;
                              }});
    }
    std::unique_ptr<SpreadsheetView> v;
    int asked = 0;
    bool agree = false;
};

TEST_F(ReferenceCellsTest, TabVisitsOnlyTheCellsToFill)
{
    v->setCurrentCell(1, 1);
    const struct {
        int key;
        std::pair<int, int> to;
    } steps[] = {{Qt::Key_Tab, {3, 3}}, {Qt::Key_Tab, {4, 3}}, {Qt::Key_Tab, {3, 3}}, {Qt::Key_Backtab, {4, 3}}};
    for (const auto &s : steps) {
        press(*v, s.key);
        EXPECT_EQ(at(*v), s.to) << "key " << s.key;
    }
    // From inside an editor too: the entry is committed and the price is passed by.
    typeText(*v, QStringLiteral("5"));
    press(*v, Qt::Key_Tab);
    EXPECT_EQ(v->cellText(4, 3), QStringLiteral("5"));
    EXPECT_EQ(at(*v), std::pair(3, 3));
}

TEST_F(ReferenceCellsTest, ClearingOrCuttingABlockLeavesReferenceValuesUnlessTheyAloneAreSelected)
{
    const struct {
        const char *name;
        wb::CellRange selected;
        bool cut;
        const char *b3, *c3, *b4, *c4;
    } cases[] = {
        {"a whole row", {2, 0, 2, 3}, false, "12.5", "", "20", "2"},
        {"the block", {2, 1, 3, 2}, false, "12.5", "", "20", ""},
        {"the block, cut", {2, 1, 3, 2}, true, "12.5", "", "20", ""},
        {"the prices alone", {2, 1, 3, 1}, false, "", "4", "", "2"},
        {"one price, cut", {3, 1, 3, 1}, true, "12.5", "4", "", "2"},
    };
    for (const auto &c : cases) {
        v = viewOf(priceList());
        v->setReferenceCells({[](int row, int col) { return col == 1 && (row == 2 || row == 3); }, {}});
        v->setSelection(c.selected);
        press(*v, c.cut ? Qt::Key_X : Qt::Key_Delete, c.cut ? Qt::ControlModifier : Qt::NoModifier);
        EXPECT_EQ(v->cellText(3, 2), QString::fromLatin1(c.b3)) << c.name;
        EXPECT_EQ(v->cellText(3, 3), QString::fromLatin1(c.c3)) << c.name;
        EXPECT_EQ(v->cellText(4, 2), QString::fromLatin1(c.b4)) << c.name;
        EXPECT_EQ(v->cellText(4, 3), QString::fromLatin1(c.c4)) << c.name;
    }
}

TEST_F(ReferenceCellsTest, APasteThatWouldChangeAReferenceValueAsksFirst)
{
    QSignalSpy said(v.get(), &SpreadsheetView::statusMessage);
    v->setCurrentCell(3, 2);
    putOnClipboard(QStringLiteral("1\t2"));
    press(*v, Qt::Key_V, Qt::ControlModifier); // declined: nothing pasted
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(v->cellText(3, 2), QStringLiteral("12.5"));
    EXPECT_EQ(v->cellText(3, 3), QStringLiteral("4"));
    EXPECT_EQ(v->undoStack()->count(), 0);
    ASSERT_FALSE(said.isEmpty());
    EXPECT_EQ(said.last().at(0).toString(), QStringLiteral("未粘贴：参考值保持不变"));

    agree = true;
    press(*v, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(v->cellText(3, 2), QStringLiteral("1"));
    EXPECT_EQ(v->cellText(3, 3), QStringLiteral("2"));

    // A block that leaves the prices as they are, or misses them, is pasted unasked.
    putOnClipboard(QStringLiteral("1\t7"));
    press(*v, Qt::Key_V, Qt::ControlModifier);
    v->setCurrentCell(4, 3);
    putOnClipboard(QStringLiteral("9"));
    press(*v, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(v->cellText(3, 3), QStringLiteral("7"));
    EXPECT_EQ(v->cellText(4, 3), QStringLiteral("9"));
}
