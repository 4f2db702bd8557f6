// The user's corrected reference values across two runs: two page hosts, one after the other,
// on the same user data folder, as two starts of the program.
#include "support/fakehost.h"
#include "support/testdb.h"
#include "workbooks/engine/workbook.h"
#include "common/unsavedwork.h"
#include "workbooks/pages/referencevalues.h"
#include "workbooks/pages/workbookdocuments.h"
#include "workbooks/view/spreadsheetcommands.h"
#include "workbooks/view/spreadsheetview.h"
#include "workbooks/workbookpages.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>
#include <gtest/gtest.h>
#include <memory>

namespace mhbk {
namespace {

class ReferenceRuns : public ::testing::Test {
protected:
    // One start of the program: a window with the workbook pages, showing `page`.
    std::unique_ptr<test::FakePageHost> start(int page)
    {
        auto host = std::make_unique<test::FakePageHost>(copy_.path());
        host->setUserDataFolder(folder_.path());
        installWorkbookPages(*host);
        host->tabs().show();
        host->showPage(page);
        return host;
    }
    static view::SpreadsheetView *book(test::FakePageHost &host, int page)
    {
        return view::pageSpreadsheet(host.page(page));
    }
    static QAction *restore(test::FakePageHost &host, int page)
    {
        return book(host, page)->findChild<QAction *>(QStringLiteral("actRestoreDefaults%1").arg(page));
    }
    // The first green cell of the page's sheet (1-based row and column).
    static std::pair<int, int> firstReferenceCell(view::SpreadsheetView &v)
    {
        const auto cells = workbooks::referenceCells(v.workbook(), v.workbook().activeSheet());
        EXPECT_FALSE(cells.empty());
        return cells.empty() ? std::pair(1, 1) : std::pair(cells.front().row + 1, cells.front().col + 1);
    }
    static QString inputAt(view::SpreadsheetView &v, std::pair<int, int> cell)
    {
        return v.workbook().sheet(v.workbook().activeSheet()).input(cell.first - 1, cell.second - 1);
    }
    static void typeInto(view::SpreadsheetView &v, int row, int col, const QString &text)
    {
        v.setFocus();
        v.setCurrentCell(row, col);
        QTest::keyClick(&v, text.at(0).toLatin1()); // the first key opens the editor, the rest go into it
        auto *editor = v.findChild<QLineEdit *>(QStringLiteral("CellEditor"));
        ASSERT_TRUE(editor && v.isEditing());
        QTest::keyClicks(editor, text.mid(1));
        QTest::keyClick(editor, Qt::Key_Return);
    }

    // Closing the window: every page's question, answered from `answers`; a page without a
    // file is saved into the scratch folder.
    bool close(test::FakePageHost &host, std::vector<Answer> answers)
    {
        // The host keeps every registration; this closing asks only the documents made for it.
        const std::size_t earlier = host.unsavedWork().size();
        workbooks::WorkbookDocuments documents(
            host, [this](int page) { return std::optional(files_.filePath(QStringLiteral("p%1.mhbk").arg(page))); },
            nullptr);
        std::vector<UnsavedWork *> work;
        for (std::size_t i = earlier; i < host.unsavedWork().size(); ++i)
            work.push_back(host.unsavedWork()[i].work);
        host.recorder().answerWith(std::move(answers));
        return settleUnsavedWork(work, host.reporter());
    }

    test::TestDatabaseCopy copy_;
    QTemporaryDir folder_;
    QTemporaryDir files_;
};

TEST_F(ReferenceRuns, ClosingWithoutSavingForgetsTheCorrectionsMadeSinceTheLastSave)
{
    struct Case {
        const char *label;
        std::vector<Answer> answers; // to the one question on closing
        bool kept;
    };
    const Case cases[] = {
        {"不保存", {Answer::Discard}, false},
        {"保存", {Answer::Save}, true},
    };
    for (const Case &c : cases) {
        std::pair<int, int> cell;
        QString shipped;
        {
            auto first = start(45);
            view::SpreadsheetView *v = book(*first, 45);
            ASSERT_NE(v, nullptr);
            cell = firstReferenceCell(*v);
            shipped = inputAt(*v, cell);
            typeInto(*v, cell.first, cell.second, QStringLiteral("0.7"));
            const std::size_t before = first->recorder().questionCount();
            EXPECT_TRUE(close(*first, c.answers)) << c.label;
            EXPECT_EQ(first->recorder().questionCount(), before + 1) << c.label;
        }
        auto second = start(45);
        EXPECT_EQ(inputAt(*book(*second, 45), cell), c.kept ? QStringLiteral("0.7") : shipped) << c.label;
        EXPECT_EQ(QDir(folder_.path()).isEmpty(), !c.kept) << c.label;
        second.reset();
        QDir(folder_.path()).removeRecursively();
        QDir().mkpath(folder_.path());
    }
}

TEST_F(ReferenceRuns, DiscardingGoesBackToTheCorrectionsAsSavedNotToTheShippedValues)
{
    std::pair<int, int> cell;
    {
        auto first = start(40);
        view::SpreadsheetView *v = book(*first, 40);
        cell = firstReferenceCell(*v);
        typeInto(*v, cell.first, cell.second, QStringLiteral("12.5"));
        EXPECT_TRUE(close(*first, {Answer::Save}));
    }
    {
        auto second = start(40);
        view::SpreadsheetView *v = book(*second, 40);
        typeInto(*v, cell.first, cell.second, QStringLiteral("13"));
        EXPECT_TRUE(close(*second, {Answer::Discard}));
    }
    auto third = start(40);
    EXPECT_EQ(inputAt(*book(*third, 40), cell), QStringLiteral("12.5"));
}

TEST_F(ReferenceRuns, ARestoreConfirmedIsNotAskedAboutAgainOnClosing)
{
    std::pair<int, int> cell;
    QString shipped;
    {
        auto first = start(45);
        view::SpreadsheetView *v = book(*first, 45);
        cell = firstReferenceCell(*v);
        shipped = inputAt(*v, cell);
        typeInto(*v, cell.first, cell.second, QStringLiteral("0.7"));
        EXPECT_TRUE(close(*first, {Answer::Save}));
    }
    {
        auto second = start(45);
        view::SpreadsheetView *v = book(*second, 45);
        second->recorder().answerWith({Answer::Yes});
        restore(*second, 45)->trigger();
        EXPECT_EQ(inputAt(*v, cell), shipped);
        EXPECT_EQ(second->recorder().questionCount(), 1u);
        EXPECT_TRUE(close(*second, {}));
        EXPECT_EQ(second->recorder().questionCount(), 1u); // the restore's question only
        // Undoing the restore brings the correction back as a change to ask about.
        QTest::keyClick(v, Qt::Key_Z, Qt::ControlModifier);
        EXPECT_EQ(inputAt(*v, cell), QStringLiteral("0.7"));
        EXPECT_TRUE(close(*second, {Answer::Discard}));
        EXPECT_EQ(second->recorder().questionCount(), 2u);
    }
    auto third = start(45);
    EXPECT_EQ(inputAt(*book(*third, 45), cell), shipped);
}

TEST_F(ReferenceRuns, ACorrectionIsShownAtTheNextStartUntilRestored)
{
    const struct {
        int page;
        const char *typed;
    } cases[] = {{40, "12.5"}, {45, "0.8"}, {48, "9-99"}, {33, "34"}};
    for (const auto &c : cases) {
        const QString typed = QString::fromUtf8(c.typed);
        QString shipped;
        std::pair<int, int> cell;
        {
            auto first = start(c.page);
            view::SpreadsheetView *v = book(*first, c.page);
            ASSERT_NE(v, nullptr) << c.page;
            cell = firstReferenceCell(*v);
            shipped = inputAt(*v, cell);
            typeInto(*v, cell.first, cell.second, typed);
            EXPECT_EQ(inputAt(*v, cell), typed) << c.page;
            EXPECT_TRUE(first->recorder().empty()) << c.page;
        }
        {
            auto second = start(c.page);
            view::SpreadsheetView *v = book(*second, c.page);
            EXPECT_EQ(inputAt(*v, cell), typed) << c.page;
            EXPECT_TRUE(v->undoStack()->isClean()) << c.page; // what was kept is no new work

            second->recorder().answerWith({Answer::No});
            restore(*second, c.page)->trigger();
            EXPECT_EQ(inputAt(*v, cell), typed) << c.page;
            second->recorder().answerWith({Answer::Yes});
            restore(*second, c.page)->trigger();
            EXPECT_EQ(inputAt(*v, cell), shipped) << c.page;
            EXPECT_EQ(second->recorder().questionCount(), 2u) << c.page;
            ASSERT_FALSE(second->statusMessages().isEmpty()) << c.page;
            EXPECT_EQ(second->statusMessages().last(), QStringLiteral("本页的参考值已恢复为默认值")) << c.page;
        }
        auto third = start(c.page);
        EXPECT_EQ(inputAt(*book(*third, c.page), cell), shipped) << c.page;
        EXPECT_TRUE(QDir(folder_.path()).isEmpty()) << c.page;
    }
}

TEST_F(ReferenceRuns, UndoingACorrectionForgetsIt)
{
    std::pair<int, int> cell;
    QString shipped;
    {
        auto first = start(41);
        view::SpreadsheetView *v = book(*first, 41);
        cell = firstReferenceCell(*v);
        shipped = inputAt(*v, cell);
        typeInto(*v, cell.first, cell.second, QStringLiteral("3"));
        QTest::keyClick(v, Qt::Key_Z, Qt::ControlModifier);
    }
    auto second = start(41);
    EXPECT_EQ(inputAt(*book(*second, 41), cell), shipped);
}

TEST_F(ReferenceRuns, TabAndClearingARowPassTheGreenCellsBy)
{
    for (const int page : {35, 49}) {
        auto host = start(page);
        view::SpreadsheetView *v = book(*host, page);
        ASSERT_NE(v, nullptr) << page;
        const int sheet = v->workbook().activeSheet();
        const std::pair<int, int> cell = firstReferenceCell(*v);
        const QString shipped = inputAt(*v, cell);
        // A whole row's inputs cleared: the reference value in it stays.
        v->setSelection({cell.first - 1, 0, cell.first - 1, v->workbook().sheet(sheet).columnCount() - 1});
        QTest::keyClick(v, Qt::Key_Delete);
        EXPECT_EQ(inputAt(*v, cell), shipped) << page;
        // Tab goes round every cell to fill and never stops on a green one.
        v->setCurrentCell(1, 1);
        for (int step = 0; step < 60; ++step) {
            QTest::keyClick(v, Qt::Key_Tab);
            EXPECT_FALSE(workbooks::isReferenceCell(v->workbook(), sheet, v->currentRow() - 1, v->currentColumn() - 1))
                << page << " at " << v->currentRow() << "," << v->currentColumn();
        }
    }
}

TEST_F(ReferenceRuns, ADamagedFileIsReportedAndTheShippedValuesStay)
{
    QFile broken(workbooks::ReferenceStore(folder_.path()).filePath(42));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("{");
    broken.close();
    auto host = start(42);
    ASSERT_NE(book(*host, 42), nullptr);
    ASSERT_EQ(host->recorder().size(), 1u);
    EXPECT_TRUE(host->recorder().last().text.contains(QStringLiteral("已损坏"))) << host->recorder().last().text.toStdString();
}

TEST_F(ReferenceRuns, PagesWithoutGreenCellsOfferNoRestore)
{
    auto host = start(7);
    ASSERT_NE(book(*host, 7), nullptr);
    EXPECT_EQ(restore(*host, 7), nullptr);
}

} // namespace
} // namespace mhbk
