// Hostile texts typed into the input cells of every estimating workbook: a formula may answer
// with an error value, but no cell may show a number that is not a number, and nothing crashes.
#include "app/mainwindow.h"
#include "common/reporter.h"
#include "hardening/hostile.h"
#include "support/testdb.h"
#include "support/testwindow.h"
#include "workbooks/engine/workbook.h"
#include "workbooks/view/spreadsheetview.h"

#include <QApplication>
#include <QTest>
#include <QUrl>
#include <cmath>
#include <gtest/gtest.h>

namespace {

const int kWorkbookPages[] = {7, 8, 9, 10, 33, 34, 35, 36, 37, 38, 39, 40,
                              41, 42, 43, 44, 45, 46, 47, 48, 49, 50, 51};

mhbk::view::SpreadsheetView *bookOn(QWidget *page)
{
    const auto children = page->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly);
    return children.isEmpty() ? nullptr : qobject_cast<mhbk::view::SpreadsheetView *>(children.first());
}

void expectNoBrokenNumber(const mhbk::wb::Workbook &book, int page)
{
    for (int s = 0; s < book.sheetCount(); ++s) {
        const auto &sheet = book.sheet(s);
        for (int r = 0; r < sheet.rowCount(); ++r) {
            for (int c = 0; c < sheet.columnCount(); ++c) {
                const auto value = book.value(s, r, c);
                EXPECT_FALSE(value.isNumber() && !std::isfinite(value.asNumber())) << page << " " << r << "," << c;
                EXPECT_FALSE(value.isNumber() && mhbk::test::looksBroken(book.displayText(s, r, c)))
                    << page << " " << r << "," << c;
            }
        }
    }
}

TEST(HostileWorkbookInput, EveryInputCellOfEveryWorkbook)
{
    mhbk::test::TestDatabaseCopy db;
    mhbk::RecordingReporter reporter;
    auto owner = mhbk::test::makeMainWindow(reporter, db.path());
    mhbk::MainWindow &window = *owner;
    window.show();

    const QStringList texts = mhbk::test::hostileTexts();
    for (int page : kWorkbookPages) {
        window.selectPage(page);
        QApplication::processEvents();
        mhbk::view::SpreadsheetView *book = bookOn(window.page(page));
        ASSERT_NE(book, nullptr) << page;
        const auto &model = book->workbook();
        const int sheet = model.activeSheet();
        int typed = 0;
        for (int r = 0; r < model.sheet(sheet).rowCount() && typed < 40; ++r) {
            for (int c = 0; c < model.sheet(sheet).columnCount() && typed < 40; ++c) {
                if (!model.isEditable(sheet, r, c))
                    continue;
                book->setCurrentCell(r + 1, c + 1);
                book->setFocus();
                mhbk::test::typeText(book, texts[typed % texts.size()].left(200));
                QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : book, Qt::Key_Return);
                ++typed;
            }
        }
        EXPECT_GT(typed, 0) << "page " << page << " has no input cell";
        expectNoBrokenNumber(model, page);
    }
}

} // namespace
