// The run button of a duct page as the user meets it: it leaves the handbook database alone,
// keeps the cursor where the user was typing and is one step of the sheet's undo.

#include "support/fakehost.h"
#include "support/testdb.h"
#include "workbooks/view/spreadsheetcommands.h"
#include "workbooks/view/spreadsheetview.h"
#include "workbooks/workbookpages.h"

#include <QCryptographicHash>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlError>
#include <QSqlQuery>
#include <QApplication>
#include <QTest>
#include <QUndoStack>
#include <gtest/gtest.h>

namespace mhbk {
namespace {

class DuctPanelRun : public ::testing::Test {
protected:
    DuctPanelRun() : host_(copy_.path()) { installWorkbookPages(host_); }

    view::SpreadsheetView *show(int page)
    {
        host_.tabs().show();
        host_.showPage(page);
        view::SpreadsheetView *shown = view::pageSpreadsheet(host_.page(page));
        if (shown)
            shown->setFocus();
        return shown;
    }
    void click(int page) { host_.page(page)->findChild<QPushButton *>(QStringLiteral("btnRun%1").arg(page))->click(); }
    QStringList rows(const QString &statement)
    {
        QSqlQuery query(host_.database().connection());
        EXPECT_TRUE(query.exec(statement)) << query.lastError().text().toStdString();
        QStringList texts;
        while (query.next())
            texts << query.value(0).toString();
        return texts;
    }
    QByteArray fileHash() const
    {
        QFile file(copy_.path());
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
    }
    // Types into the current cell as the user does and leaves it with Enter.
    static void type(view::SpreadsheetView *shown, const QString &text)
    {
        QTest::keyClick(shown, text.at(0).toLatin1());
        auto *editor = shown->findChild<QLineEdit *>(QStringLiteral("CellEditor"));
        ASSERT_NE(editor, nullptr);
        QTest::keyClicks(editor, text.mid(1));
        QTest::keyClick(editor, Qt::Key_Return);
    }

    test::TestDatabaseCopy copy_;
    test::FakePageHost host_;
};

TEST_F(DuctPanelRun, LeavesTheHandbookDatabaseUntouched)
{
    rows(QStringLiteral("INSERT INTO tmp (bchd, deh, gwb) VALUES (9.5, 'left by an older version', 1)"));
    const QStringList tmpBefore = rows(QStringLiteral("SELECT deh FROM tmp"));
    const QStringList changesBefore = rows(QStringLiteral("SELECT total_changes()"));
    const QByteArray hashBefore = fileHash();
    for (int page : {45, 48}) {
        view::SpreadsheetView *shown = show(page);
        ASSERT_NE(shown, nullptr);
        shown->setCellText(3, 2, QStringLiteral("500"));
        shown->setCellText(3, 3, QStringLiteral("10"));
        shown->setCellText(3, 4, QStringLiteral("10"));
        click(page);
        EXPECT_FALSE(shown->cellText(page == 48 ? 21 : 20, 1).isEmpty()) << page;
    }
    EXPECT_TRUE(host_.recorder().empty());
    EXPECT_EQ(rows(QStringLiteral("SELECT deh FROM tmp")), tmpBefore);
    EXPECT_EQ(rows(QStringLiteral("SELECT total_changes()")), changesBefore);
    EXPECT_EQ(fileHash(), hashBefore);
}

TEST_F(DuctPanelRun, TheCursorStaysAndTheNextNumberIsTaken)
{
    view::SpreadsheetView *shown = show(45);
    ASSERT_NE(shown, nullptr);
    shown->setCurrentCell(3, 2);
    type(shown, QStringLiteral("1000"));
    shown->setCurrentCell(3, 3);
    type(shown, QStringLiteral("200"));
    shown->setCurrentCell(3, 4);
    type(shown, QStringLiteral("10"));
    shown->setCurrentCell(4, 2);
    // Clicked with the mouse, as the user does: the keys must stay with the sheet.
    QWidget *window = shown->window();
    QApplication::setActiveWindow(window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    shown->setFocus();
    QTest::mouseClick(host_.page(45)->findChild<QPushButton *>(QStringLiteral("btnRun45")), Qt::LeftButton);
    EXPECT_EQ(shown->cellText(20, 5), QStringLiteral("24"));
    EXPECT_EQ(shown->currentRow(), 4);
    EXPECT_EQ(shown->currentColumn(), 2);
    EXPECT_EQ(QApplication::focusWidget(), shown) << "the typing after a run goes to the sheet";
    type(shown, QStringLiteral("630"));
    EXPECT_EQ(shown->cellText(4, 2), QStringLiteral("630"));
    EXPECT_TRUE(host_.statusMessages().isEmpty()) << host_.statusMessages().join('\n').toStdString();
}

TEST_F(DuctPanelRun, CtrlZUndoesTheWholeRunThenTheTypedValue)
{
    view::SpreadsheetView *shown = show(45);
    ASSERT_NE(shown, nullptr);
    shown->setCellText(3, 2, QStringLiteral("1000"));
    shown->setCellText(3, 3, QStringLiteral("200"));
    shown->setCurrentCell(3, 4);
    type(shown, QStringLiteral("10"));
    click(45);
    ASSERT_EQ(shown->cellText(3, 10), QStringLiteral("0.75"));
    ASSERT_EQ(shown->cellText(20, 5), QStringLiteral("24"));
    EXPECT_EQ(shown->undoStack()->undoText(), QStringLiteral("执行运算"));

    QTest::keyClick(shown, Qt::Key_Z, Qt::ControlModifier);
    for (const auto &[row, col] : {std::pair{3, 10}, {3, 11}, {20, 1}, {20, 5}, {20, 9}})
        EXPECT_EQ(shown->cellText(row, col), QString()) << row << "," << col;
    EXPECT_EQ(shown->cellText(3, 4), QStringLiteral("10"));
    QTest::keyClick(shown, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(shown->cellText(3, 4), QString());
    // Redone, the run comes back whole.
    QTest::keyClick(shown, Qt::Key_Y, Qt::ControlModifier);
    QTest::keyClick(shown, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(shown->cellText(3, 10), QStringLiteral("0.75"));
    EXPECT_EQ(shown->cellText(20, 5), QStringLiteral("24"));
}

TEST_F(DuctPanelRun, AFailedRunIsReportedAndWhatItWroteIsOneStep)
{
    view::SpreadsheetView *shown = show(45);
    ASSERT_NE(shown, nullptr);
    shown->setCellText(3, 2, QStringLiteral("300"));
    shown->setCellText(4, 2, QStringLiteral("abc"));
    const int steps = shown->undoStack()->count();
    click(45);
    ASSERT_EQ(host_.recorder().size(), 1u);
    EXPECT_TRUE(host_.recorder().last().text.contains(QStringLiteral("abc")));
    EXPECT_EQ(shown->cellText(3, 10), QStringLiteral("0.5"));
    EXPECT_EQ(shown->undoStack()->count(), steps + 1);
    shown->undoStack()->undo();
    EXPECT_EQ(shown->cellText(3, 10), QString());
}

} // namespace
} // namespace mhbk
