#include "common/pageregistry.h"
#include "common/reporter.h"
#include "data/database.h"
#include "data/datasets.h"
#include "widgets/stringgrid.h"
#include "search/handbooksources.h"
#include "search/searchpanel.h"
#include "sections/sectionpages.h"
#include "support/missingtool.h"
#include "support/testdb.h"
#include "support/testwindow.h"

#include <QApplication>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>
#include <set>
#include <string>

namespace mhbk::test {
namespace {

class SearchPanelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!QFileInfo::exists(builtDatabasePath()))
            MHBK_SKIP_WITHOUT("System.dat");
        db = std::make_unique<TestDatabaseCopy>();
        window = makeMainWindow(reporter, db->path());
        window->show();
        QApplication::setActiveWindow(window.get());
        panel = window->findChild<SearchPanel *>();
        ASSERT_NE(panel, nullptr);
        field = window->findChild<QLineEdit *>(QStringLiteral("edtSearch"));
        list = window->findChild<QListWidget *>(QStringLiteral("lstSearchResults"));
        ASSERT_TRUE(field && list);
    }

    // Key events with the characters as their text, as an input method delivers Chinese
    // (QTest::keyClicks takes ASCII only).
    static void typeInto(QWidget *widget, const QString &text)
    {
        for (const QChar c : text) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(widget, &press);
            QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(widget, &release);
        }
    }
    void type(const QString &text)
    {
        field->setFocus();
        typeInto(field, text);
    }
    StringGrid *grid(int page) { return window->page(page)->findChild<StringGrid *>(); }
    int historyCount()
    {
        auto *history = window->findChild<QListView *>(QStringLiteral("HistoryList"));
        return history ? history->model()->rowCount() : -1;
    }
    QString editText(int page, const char *name)
    {
        auto *edit = window->page(page)->findChild<QLineEdit *>(QString::fromLatin1(name));
        return edit ? edit->text() : QStringLiteral("<none>");
    }

    std::unique_ptr<TestDatabaseCopy> db;
    RecordingReporter reporter;
    std::unique_ptr<MainWindow> window;
    SearchPanel *panel = nullptr;
    QLineEdit *field = nullptr;
    QListWidget *list = nullptr;
};

struct OpenCase {
    const char *query;
    int page;
    const char *currentCell; // the text of the grid's current cell after opening
    int selectedCells;
    // Calculator inputs and the G they produce, as (object name, text); empty names end it.
    std::array<std::pair<const char *, const char *>, 3> inputs;
};

class SearchOpensTest : public SearchPanelTest, public ::testing::WithParamInterface<OpenCase> {};

// Typing, Down into the list, Enter: the page opens with the row selected and the calculator
// filled and computed. The history keeps what the user calculates, not what a search showed.
TEST_P(SearchOpensTest, DownAndEnterOpenThePageOnTheRow)
{
    const OpenCase &c = GetParam();
    const int historyBefore = historyCount();
    ASSERT_GE(historyBefore, 0);
    type(QString::fromUtf8(c.query));
    ASSERT_TRUE(list->isVisible());
    ASSERT_GT(list->count(), 0);
    QTest::keyClick(field, Qt::Key_Down);
    EXPECT_TRUE(list->hasFocus());
    EXPECT_EQ(list->currentRow(), 0);
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_FALSE(list->isVisible()) << "the opened result's list stays in the tree's way";

    EXPECT_EQ(window->activePage(), c.page);
    StringGrid *g = grid(c.page);
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(g->currentItem() ? g->currentItem()->text().toStdString() : std::string(), c.currentCell);
    EXPECT_EQ(static_cast<int>(g->selectedItems().size()), c.selectedCells);
    for (const auto &[name, text] : c.inputs) {
        if (name) {
            EXPECT_EQ(editText(c.page, name).toStdString(), text) << name;
        }
    }
    EXPECT_EQ(historyCount(), historyBefore);
    if (const char *firstInput = c.inputs[0].first) {
        auto *edit = window->page(c.page)->findChild<QLineEdit *>(QString::fromLatin1(firstInput));
        ASSERT_NE(edit, nullptr);
        QTest::keyClick(edit, Qt::Key_Return); // the user's own Enter is a calculation
        EXPECT_EQ(historyCount(), historyBefore + 1);
    }
    EXPECT_TRUE(reporter.empty()) << reporter.last().text.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Rows, SearchOpensTest, ::testing::Values(
    OpenCase{"圆钢 12", 11, "12", 2, {{{"Edit1", "12"}, {"Edit2", "0.88781616"}, {}}}},
    OpenCase{"Φ89×4", 24, "89×4", 2, {{{"Edit9", "89"}, {"Edit10", "4"}, {"Edit11", "8.3849304"}}}},
    OpenCase{"DN100", 28, "100", 6, {{{"Edit33", "114.3"}, {"Edit34", "4"}, {}}}},
    OpenCase{"钢板 10", 22, "10", 2, {{{"Edit7", "10"}, {"Edit8", "78.5"}, {}}}},
    OpenCase{"扁钢 20×5", 15, "0.785", 1, {{{"Edit27", "20"}, {"Edit28", "5"}, {"Edit29", "0.785"}}}},
    OpenCase{"I20a", 18, "20a", 5, {}},
    OpenCase{"L63×40×5", 17, "6.3/4", 5, {}},
    OpenCase{"马力", 2, "1 米制马力", 3, {}}));

TEST_F(SearchPanelTest, AClickOpensTheResultClicked)
{
    type(QStringLiteral("89*4"));
    ASSERT_GT(list->count(), 1);
    const QString second = list->item(1)->toolTip();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(1)).center());
    EXPECT_EQ(QString::fromUtf8(pages::at(window->activePage()).caption), second.section(QLatin1Char(' '), 0, 0));
    EXPECT_EQ(grid(window->activePage())->currentItem()->text(), QStringLiteral("89×4"));
    EXPECT_FALSE(list->isVisible());
    // Down in the field brings the same results back.
    QTest::keyClick(field, Qt::Key_Down);
    EXPECT_TRUE(list->isVisible());
    EXPECT_EQ(list->item(1)->toolTip(), second);
}

// The index is built once the shown window has been idle, not by the first keystroke.
TEST_F(SearchPanelTest, TheIndexIsBuiltWhenIdleAfterTheWindowShows)
{
    for (int i = 0; i < 5 && !panel->indexReady(); ++i)
        QApplication::processEvents();
    EXPECT_TRUE(panel->indexReady());
    EXPECT_TRUE(field->text().isEmpty());
    type(QStringLiteral("工字钢"));
    EXPECT_EQ(list->item(0)->text(), QStringLiteral("工字钢"));
}

TEST_F(SearchPanelTest, ResultsFollowTheTypingAndSayWhenNothingIsFound)
{
    type(QStringLiteral("工字钢"));
    EXPECT_EQ(list->item(0)->text(), QStringLiteral("工字钢"));
    type(QStringLiteral("20a"));
    // The page above the row, the whole line as the tip.
    EXPECT_EQ(list->item(0)->text(), QStringLiteral("工字钢\n20a  27.929 kg/m"));
    EXPECT_EQ(list->item(0)->toolTip(), QStringLiteral("工字钢 20a  27.929 kg/m"));
    type(QStringLiteral("zz"));
    ASSERT_EQ(list->count(), 1);
    EXPECT_EQ(list->item(0)->text(), QStringLiteral("未找到“工字钢20azz”"));
    // Enter and Down on "nothing found" open nothing and stay in the field.
    QTest::keyClick(field, Qt::Key_Down);
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_TRUE(field->hasFocus());
    EXPECT_EQ(window->activePage(), 0);
}

TEST_F(SearchPanelTest, CtrlFFocusesTheFieldAndEscClearsThenReturnsToTheTree)
{
    auto *tree = window->findChild<QTreeWidget *>(QStringLiteral("TreeView1"));
    tree->setFocus();
    QTest::keyClick(tree, Qt::Key_F, Qt::ControlModifier);
    EXPECT_TRUE(field->hasFocus());
    typeInto(field, QStringLiteral("英寸"));
    EXPECT_TRUE(list->isVisible());
    QTest::keyClick(field, Qt::Key_Escape);
    EXPECT_TRUE(field->text().isEmpty());
    EXPECT_FALSE(list->isVisible());
    EXPECT_TRUE(field->hasFocus());
    QTest::keyClick(field, Qt::Key_Escape);
    EXPECT_TRUE(tree->hasFocus());
}

TEST_F(SearchPanelTest, UpFromTheFirstResultAndEscInTheListGoBackToTheField)
{
    type(QStringLiteral("铜 密度"));
    QTest::keyClick(field, Qt::Key_Down);
    ASSERT_TRUE(list->hasFocus());
    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(list->currentRow(), 1);
    QTest::keyClick(list, Qt::Key_Escape);
    EXPECT_TRUE(field->hasFocus());
    QTest::keyClick(field, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Up);
    EXPECT_TRUE(field->hasFocus());
    QTest::keyClick(field, Qt::Key_Return); // Enter in the field opens the current result
    EXPECT_EQ(window->activePage(), 3);
}

// A material saved into the density table is found from the next search on.
TEST_F(SearchPanelTest, ASavedTableChangeIsFoundByTheNextSearch)
{
    type(QStringLiteral("测试合金"));
    EXPECT_EQ(list->item(0)->text(), QStringLiteral("未找到“测试合金”"));
    {
        HandbookDatabase database(db->path());
        TableDataset table(database);
        table.open(QStringLiteral("constdensity"));
        table.append();
        table.setField(0, table.recordCount());
        table.setField(1, QStringLiteral("测试合金"));
        table.setField(2, QStringLiteral("9.9"));
        table.post();
    }
    // The file's time is set ahead, so the change shows however soon it follows the first search.
    QFile file(db->path());
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(QDateTime::currentDateTime().addSecs(60), QFileDevice::FileModificationTime));
    file.close();
    field->clear();
    type(QStringLiteral("测试合金"));
    EXPECT_EQ(list->item(0)->toolTip(), QStringLiteral("常用材料密度 测试合金  9.9 g/cm3"));
}

// The search reads the same table for each page as the page itself shows.
TEST(SearchSources, EverySizeTablePageIsIndexedFromItsOwnTable)
{
    std::set<std::pair<PageKey, std::string>> shown, indexed;
    for (const auto &[page, table] : sectionPageTables())
        shown.emplace(page, table.toStdString());
    for (const auto &[page, table] : search::indexedSizeTables())
        indexed.emplace(page, table);
    EXPECT_EQ(indexed, shown);
}

} // namespace
} // namespace mhbk::test
