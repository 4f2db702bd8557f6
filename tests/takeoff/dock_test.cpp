#include "common/errors.h"
#include "common/reporter.h"
#include "widgets/stringgrid.h"
#include "sections/sectionpages.h"
#include "sections/weightpagetables.h"
#include "support/fakehost.h"
#include "support/scratchhome.h"
#include "support/testdb.h"
#include "support/testwindow.h"
#include "takeoff/takeofffile.h"
#include "takeoff/ui/takeoffdock.h"
#include "takeoff/ui/takeoffmodel.h"
#include "takeoff/ui/takeoffprint.h"
#include "takeoff/ui/quantitydialog.h"
#include "common/pageregistry.h"

#include <QAbstractProxyModel>
#include <QComboBox>
#include <QLocale>
#include <QTimer>
#include <QFileSystemModel>
#include <QFileDialog>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QSettings>
#include <QPdfWriter>
#include <QPushButton>
#include <QShortcut>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>
#include <QUndoStack>
#include <gtest/gtest.h>

namespace mhbk::takeoff {
namespace {

Line line(const char *item, const char *designation, double quantity, double unitWeight)
{
    return Line{QString::fromUtf8(item), QString::fromUtf8(designation), QString(), quantity, QStringLiteral("m"), unitWeight, QString()};
}

QString itemsOf(const List &list)
{
    QStringList items;
    for (const Line &l : list)
        items << l.item;
    return items.join(QLatin1Char(','));
}

// The section pages on a fake window over the built handbook, with the list dock beside them.
class TakeoffPagesTest : public ::testing::Test {
protected:
    TakeoffPagesTest() : host(db.path()), dock(host.reporter(), QString())
    {
        installSectionPages(host);
        dock.setOfferings([this](int page) { return host.pageServices(page).takeoff; });
        dock.setQuantityAsker([this](const Line &offered) {
            asked.push_back(offered);
            return answer;
        });
    }

    void showPage(const char *name)
    {
        const int index = pages::indexOf(name);
        host.showPage(index);
        dock.setActivePage(index);
    }

    QLineEdit *edit(const char *page, const char *name)
    {
        return host.page(pages::indexOf(page))->findChild<QLineEdit *>(QString::fromLatin1(name));
    }

    void typeAndEnter(QLineEdit *edit, const QString &text)
    {
        edit->clear();
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Return);
    }

    test::TestDatabaseCopy db;
    test::FakePageHost host;
    TakeoffDock dock;
    std::vector<Line> asked;
    std::optional<double> answer = 2.5;
};

TEST_F(TakeoffPagesTest, CalculatorAddsItsFigures)
{
    showPage("Page_circle");
    typeAndEnter(edit("Page_circle", "Edit1"), QStringLiteral("10"));
    typeAndEnter(edit("Page_circle", "Edit42"), QStringLiteral("6"));
    const double g = edit("Page_circle", "Edit2")->text().toDouble();
    ASSERT_GT(g, 0.6);
    dock.addFromActivePage();
    ASSERT_EQ(dock.list().size(), 1u);
    const Line added = dock.list().front();
    EXPECT_EQ(added.item, QStringLiteral("圆钢"));
    EXPECT_EQ(added.designation, QStringLiteral("d=10"));
    if (auto *material = host.page(pages::indexOf("Page_circle"))->findChild<QComboBox *>(QStringLiteral("Page_circle_Material"))) {
        EXPECT_EQ(added.material, material->currentText());
    }
    EXPECT_EQ(added.quantity, 6);
    EXPECT_EQ(added.unit, QStringLiteral("m"));
    EXPECT_EQ(added.unitWeight, g);
    EXPECT_NEAR(added.totalWeight(), edit("Page_circle", "Edit43")->text().toDouble(), 1e-3);
    EXPECT_TRUE(asked.empty()) << "the length was on the page";

    // Another material: the line names it and carries the G weighed with it.
    auto *material = host.page(pages::indexOf("Page_circle"))->findChild<QComboBox *>(QStringLiteral("Page_circle_Material"));
    ASSERT_NE(material, nullptr);
    ASSERT_GE(material->count(), 2);
    material->setCurrentIndex(1);
    typeAndEnter(edit("Page_circle", "Edit1"), QStringLiteral("10"));
    typeAndEnter(edit("Page_circle", "Edit42"), QStringLiteral("6"));
    dock.addFromActivePage();
    ASSERT_EQ(dock.list().size(), 2u);
    EXPECT_EQ(dock.list().back().material, material->currentText());
    EXPECT_NE(dock.list().back().material, added.material);
    EXPECT_EQ(dock.list().back().unitWeight, edit("Page_circle", "Edit2")->text().toDouble());
}

TEST_F(TakeoffPagesTest, CalculatorWithoutLengthAsksForItAndPlateUsesArea)
{
    showPage("Page_steelboard");
    typeAndEnter(edit("Page_steelboard", "Edit7"), QStringLiteral("10"));
    dock.addFromActivePage();
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked.front().unit, QStringLiteral("m2"));
    ASSERT_EQ(dock.list().size(), 1u);
    EXPECT_EQ(dock.list().front().quantity, 2.5);
    EXPECT_NEAR(dock.list().front().totalWeight(), 2.5 * 78.5, 1e-9);
}

TEST_F(TakeoffPagesTest, TableRowAddsWithTheLengthAskedFor)
{
    showPage("Page_Ishaped");
    auto *grid = host.page(pages::indexOf("Page_Ishaped"))->findChild<StringGrid *>();
    ASSERT_NE(grid, nullptr);
    // The second block's third row: the record is taken from its block, whichever cell of it is current.
    const int fields = 5;
    grid->setCurrentCell(3, fields + 2);
    const QString designation = grid->cell(fields, 3);
    const QString weight = grid->cell(2 * fields - 1, 3);
    ASSERT_FALSE(designation.isEmpty());
    dock.addFromActivePage();
    ASSERT_EQ(asked.size(), 1u);
    ASSERT_EQ(dock.list().size(), 1u);
    EXPECT_EQ(dock.list().front().item, QStringLiteral("工字钢"));
    EXPECT_EQ(dock.list().front().designation, designation);
    EXPECT_EQ(dock.list().front().unitWeight, weight.toDouble());
    EXPECT_EQ(dock.list().front().quantity, 2.5);

    answer.reset(); // 取消 in the length dialog adds nothing
    dock.addFromActivePage();
    EXPECT_EQ(dock.list().size(), 1u);
}

QString gridNameOf(const char *page)
{
    for (const auto *descriptions : {&barPageDescriptions(), &pipePageDescriptions()})
        for (const WeightPageDescription &d : *descriptions)
            if (pages::indexOf(d.page) == pages::indexOf(page))
                return QString::fromLatin1(d.gridName);
    return {};
}

// A cell picked in a bar, plate or pipe table offers its row, named as the grid writes it;
// Ctrl+Enter asks for the length (the area for plates) and adds the line.
TEST_F(TakeoffPagesTest, PickedTableCellAddsItsRowWithCtrlEnter)
{
    const struct {
        const char *page;
        int column, row;
        const char *item, *designation, *unit, *remark;
        int weightColumn; // the cell whose text is the unit weight
        int designationColumn; // the cell whose text is the designation, when none is given
    } cases[] = {
        {"Page_NoSewType", 0, 1, "热轧无缝钢管", nullptr, "m", "", 1, 0},
        {"Page_NoSewType", 3, 2, "热轧无缝钢管", nullptr, "m", "", 3, 2}, // the weight cell of the second block
        {"Page_stainlessCold", 2, 4, nullptr, nullptr, "m", "", 3, 2},
        {"Page_ScrewTube", 1, 1, nullptr, "219×6", "m", "", 2, -1},
        {"Page_SeelTube", 1, 4, nullptr, "DN15 21.3×2.8", "m", "普通钢管", 3, -1},
        {"Page_SeelTube", 5, 4, nullptr, "DN15 21.3×3.5", "m", "加厚钢管", 5, -1},
        {"Page_SleeveTube", 3, 1, nullptr, "DN13 12.70×1.60", "m", "", 3, -1},
        {"Page_circle", 1, 1, "圆钢", nullptr, "m", "", 1, 0},
        {"Page_Rectangle", 0, 1, nullptr, "3×10", "m", "", 2, -1},
        {"Page_steelboard", 0, 2, nullptr, nullptr, "m2", "", 1, 0},
        {"Page_BianG", 2, 3, nullptr, nullptr, "m", "", 2, -1},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.page) + " " + std::to_string(c.column) + "," + std::to_string(c.row));
        showPage(c.page);
        QWidget *page = host.page(pages::indexOf(c.page));
        auto *grid = page->findChild<StringGrid *>(gridNameOf(c.page));
        ASSERT_NE(grid, nullptr);
        page->window()->show();
        page->window()->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(page->window()));
        QCoreApplication::processEvents(); // a page built while the window is shown shows its widgets from a queued call
        grid->setFocus();
        grid->setCurrentCell(c.row, c.column);
        ASSERT_TRUE(grid->hasFocus());
        asked.clear();
        const std::size_t before = dock.list().size();
        QShortcut shortcut(QKeySequence(Qt::CTRL | Qt::Key_Return), page->window());
        QObject::connect(&shortcut, &QShortcut::activated, &dock, [this] { dock.addFromActivePage(); });
        QTest::keyClick(grid, Qt::Key_Return, Qt::ControlModifier);
        ASSERT_EQ(asked.size(), 1u) << "the quantity is asked for; " << (host.recorder().empty() ? std::string() : host.recorder().last().text.toStdString());
        ASSERT_EQ(dock.list().size(), before + 1);
        const Line &added = dock.list().back();
        if (c.item) {
            EXPECT_EQ(added.item, QString::fromUtf8(c.item));
        }
        EXPECT_EQ(added.item, QString::fromUtf8(pages::at(pages::indexOf(c.page)).caption));
        QString designation = c.designation ? QString::fromUtf8(c.designation) : grid->cell(c.designationColumn, c.row);
        if (QString::fromLatin1(c.page) == QLatin1String("Page_BianG")) // width down the side, thickness on top
            designation = grid->cell(0, c.row).mid(1).trimmed() + QStringLiteral("×") + grid->cell(c.column, 0).mid(1).trimmed();
        EXPECT_EQ(added.designation, designation);
        EXPECT_EQ(added.unitWeight, grid->cell(c.weightColumn, c.row).toDouble());
        EXPECT_GT(added.unitWeight, 0);
        EXPECT_EQ(added.unit, QString::fromLatin1(c.unit));
        EXPECT_EQ(added.remark, QString::fromUtf8(c.remark));
        EXPECT_EQ(added.quantity, 2.5);
    }
}

// The checkered plate: the chosen thickness and pattern with its figure per m2, the area from the
// typed width and length, else asked; a cell of the table picks the pattern by its column.
TEST_F(TakeoffPagesTest, CheckeredPlateAddsThePatternChosen)
{
    const struct {
        const char *name;
        const char *thickness, *pattern, *width, *length;
        int gridRow, gridColumn; // -1: the calculator, not the table
        const char *designation;
        const char *figureField; // the output edit whose text is the weight per m2; empty: the grid's cell
        int figureColumn;
        bool asked;
        double quantity;
    } cases[] = {
        {"rhombic, area asked", "3.0", "菱形", "", "", -1, -1, "δ3.0 菱形", "edtLXLLZL", 0, true, 2.5},
        {"lentil, area typed", "3.0", "扁豆形", "1000", "2000", -1, -1, "δ3.0 扁豆形", "edtBDLLZL", 0, false, 2.0},
        {"table cell, lentil column", "", "菱形", "", "", 1, 4, "δ2.5 扁豆形", "", 4, true, 2.5},
        {"table cell, rhombic column", "", "扁豆形", "", "", 2, 1, "δ3.0 菱形", "", 2, true, 2.5},
        {"table cell, thickness column: the chosen pattern", "", "扁豆形", "", "", 2, 0, "δ3.0 扁豆形", "", 4, true, 2.5},
    };
    const char *pageName = "TabSheet7";
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        showPage(pageName);
        QWidget *page = host.page(pages::indexOf(pageName));
        page->window()->show();
        page->window()->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(page->window()));
        QCoreApplication::processEvents(); // widgets of a page built while the window is shown appear from a queued call
        auto *thickness = page->findChild<QComboBox *>(QStringLiteral("cbJBHD_HWGB"));
        auto *pattern = page->findChild<QComboBox *>(QStringLiteral("cbPattern_HWGB"));
        auto *width = page->findChild<QComboBox *>(QStringLiteral("cbKD"));
        auto *length = page->findChild<QComboBox *>(QStringLiteral("cbCD"));
        auto *grid = page->findChild<StringGrid *>(QStringLiteral("sgridHWGB"));
        ASSERT_TRUE(thickness && pattern && width && length && grid);
        if (*c.thickness)
            thickness->setCurrentIndex(thickness->findText(QString::fromLatin1(c.thickness)));
        pattern->setCurrentIndex(pattern->findText(QString::fromUtf8(c.pattern)));
        width->setEditText(QString::fromLatin1(c.width));
        length->setEditText(QString::fromLatin1(c.length));
        if (c.gridRow >= 0) {
            grid->setFocus();
            grid->setCurrentCell(c.gridRow, c.gridColumn);
            ASSERT_TRUE(grid->hasFocus());
        } else {
            pattern->setFocus();
        }
        asked.clear();
        const std::size_t before = dock.list().size();
        dock.addFromActivePage();
        ASSERT_EQ(dock.list().size(), before + 1);
        const Line &added = dock.list().back();
        EXPECT_EQ(added.item, QStringLiteral("花纹钢板"));
        EXPECT_EQ(added.designation, QString::fromUtf8(c.designation));
        const QString figure = *c.figureField ? page->findChild<QLineEdit *>(QString::fromLatin1(c.figureField))->text()
                                              : grid->cell(c.figureColumn, c.gridRow);
        EXPECT_GT(figure.toDouble(), 0);
        EXPECT_EQ(added.unitWeight, figure.toDouble());
        EXPECT_EQ(added.unit, QStringLiteral("m2"));
        EXPECT_EQ(asked.size(), c.asked ? 1u : 0u);
        EXPECT_DOUBLE_EQ(added.quantity, c.quantity);
    }
    // Nothing chosen yet: said, not added.
    auto *thickness = host.page(pages::indexOf(pageName))->findChild<QComboBox *>(QStringLiteral("cbJBHD_HWGB"));
    thickness->setCurrentIndex(-1);
    host.page(pages::indexOf(pageName))->findChild<QLineEdit *>(QStringLiteral("edtLXLLZL"))->clear();
    thickness->setFocus();
    const std::size_t before = dock.list().size();
    dock.addFromActivePage();
    EXPECT_EQ(dock.list().size(), before);
    ASSERT_FALSE(host.recorder().empty());
    EXPECT_EQ(host.recorder().last().text, QStringLiteral("请先选择钢板基本厚度"));
}

TEST_F(TakeoffPagesTest, NothingToAddIsSaidNotAdded)
{
    const struct {
        const char *page;
        const char *message;
    } cases[] = {
        {"Page_sqare", "请先算出理论重量G"},        // calculator not run
        {"Page_NoSewType", "请先算出理论重量G"},
        {"Page_Calculate", "本页没有可加入清单的内容"}, // a page without a source
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.page);
        showPage(c.page);
        host.recorder().clear();
        dock.addFromActivePage();
        EXPECT_TRUE(dock.list().empty());
        ASSERT_FALSE(host.recorder().empty());
        EXPECT_EQ(host.recorder().last().text, QString::fromUtf8(c.message));
    }
}

TEST(TakeoffQuantityDialog, AcceptsOnlyAPositiveNumber)
{
    QuantityDialog dialog(line("工字钢", "20a", 0, 27.929));
    QPushButton *ok = nullptr;
    for (QPushButton *b : dialog.findChildren<QPushButton *>())
        if (b->text() == QStringLiteral("确定"))
            ok = b;
    ASSERT_NE(ok, nullptr);
    const struct {
        const char *typed;
        bool enabled;
    } cases[] = {{"", false}, {"abc", false}, {"0", false}, {"-2", false}, {"6", true}, {"2.5", true}};
    for (const auto &c : cases) {
        dialog.edit()->clear();
        QTest::keyClicks(dialog.edit(), QString::fromLatin1(c.typed));
        EXPECT_EQ(ok->isEnabled(), c.enabled) << c.typed;
    }
    EXPECT_EQ(dialog.quantity(), 2.5);
}

class TakeoffDockTest : public ::testing::Test {
protected:
    TakeoffDockTest() : dock(reporter, QString())
    {
        dock.model().setList({line("A", "1", 1, 10), line("B", "2", 2, 10), line("C", "3", 3, 10)});
        dock.show();
    }

    void typeInto(int row, int column, const QString &text)
    {
        QTableView *table = dock.table();
        table->setCurrentIndex(dock.model().index(row, column));
        table->setFocus();
        QTest::keyClick(table, Qt::Key_F2);
        auto *editor = table->viewport()->findChild<QLineEdit *>();
        ASSERT_NE(editor, nullptr);
        editor->selectAll();
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents(); // the view commits the editor's text from a queued call
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); // and the closed editor goes
    }

    RecordingReporter reporter;
    TakeoffDock dock;
};

TEST_F(TakeoffDockTest, EditsGoThroughTheTableAndUndo)
{
    typeInto(1, TakeoffModel::Quantity, QStringLiteral("4"));
    EXPECT_EQ(dock.list()[1].quantity, 4);
    EXPECT_EQ(dock.model().data(dock.model().index(1, TakeoffModel::Total), Qt::DisplayRole).toString(), QStringLiteral("40.000"));
    EXPECT_EQ(dock.grandTotalLabel()->text(), QStringLiteral("总计：80.000 kg（3 行）"));
    // Refused with a word, and the cell keeps 4: no number, no quantity at all, a negative weight.
    const struct {
        int column;
        const char *typed;
        const char *said;
    } refusals[] = {{TakeoffModel::Quantity, "many", "数量"},
                    {TakeoffModel::Quantity, "0", "大于 0"},
                    {TakeoffModel::Quantity, "-3", "大于 0"},
                    {TakeoffModel::UnitWeight, "-1", "单重"}};
    for (const auto &r : refusals) {
        reporter.clear();
        typeInto(1, r.column, QString::fromUtf8(r.typed));
        EXPECT_EQ(dock.list()[1].quantity, 4) << r.typed;
        EXPECT_EQ(dock.list()[1].unitWeight, 10) << r.typed;
        ASSERT_EQ(reporter.size(), 1u) << r.typed;
        EXPECT_TRUE(reporter.last().text.contains(QString::fromUtf8(r.said))) << reporter.last().text.toStdString();
    }
    typeInto(0, TakeoffModel::Designation, QStringLiteral("20a"));
    EXPECT_EQ(dock.list()[0].designation, QStringLiteral("20a"));
    EXPECT_EQ(dock.undoStack().count(), 2);

    dock.undoStack().undo();
    EXPECT_EQ(dock.list()[0].designation, QStringLiteral("1"));
    dock.undoStack().undo();
    EXPECT_EQ(dock.list()[1].quantity, 2);
    EXPECT_EQ(dock.grandTotalLabel()->text(), QStringLiteral("总计：60.000 kg（3 行）"));
    dock.undoStack().redo();
    EXPECT_EQ(dock.list()[1].quantity, 4);
}

TEST_F(TakeoffDockTest, TotalsShowWeightsToThreeDecimalsAndEditingKeepsTheWholeFigure)
{
    dock.model().setList({line("圆钢", "d=10", 1, 0.616539), line("圆钢", "d=12", 2, 20), line("工字钢", "", 1.5, 20)});
    QStringList shown;
    const QTreeWidget *totals = dock.totalsTree();
    for (int i = 0; i < totals->topLevelItemCount(); ++i) {
        const QTreeWidgetItem *item = totals->topLevelItem(i);
        shown << item->text(0) + QLatin1Char('=') + item->text(1);
        for (int c = 0; c < item->childCount(); ++c)
            shown << QStringLiteral("  ") + item->child(c)->text(0) + QLatin1Char('=') + item->child(c)->text(1);
    }
    EXPECT_EQ(shown.join(QLatin1Char('|')),
              QStringLiteral("圆钢=40.617|  d=10=0.617|  d=12=40.000|工字钢=30.000|  （无规格）=30.000"));
    EXPECT_EQ(dock.grandTotalLabel()->text(), QStringLiteral("总计：70.617 kg（3 行）"));
    const std::vector<PrintRow> rows = printRows(dock.list());
    EXPECT_EQ(rows.front().cells.value(6), QStringLiteral("0.617"));
    EXPECT_EQ(rows.back().cells.value(7), QStringLiteral("70.617"));

    // Opening the editor and leaving it unchanged keeps the figure the column rounds.
    for (const int column : {int(TakeoffModel::UnitWeight), int(TakeoffModel::Quantity)}) {
        dock.model().setList({line("圆钢", "d=10", 2.34567, 0.616539)});
        QTableView *table = dock.table();
        table->setCurrentIndex(dock.model().index(0, column));
        table->setFocus();
        QTest::keyClick(table, Qt::Key_F2);
        auto *editor = table->viewport()->findChild<QLineEdit *>();
        ASSERT_NE(editor, nullptr) << column;
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(dock.list()[0].unitWeight, 0.616539) << column;
        EXPECT_EQ(dock.list()[0].quantity, 2.34567) << column;
    }
}

TEST_F(TakeoffDockTest, ReorderAndDeleteWithUndo)
{
    const struct {
        const char *step;
        std::function<void(TakeoffDock &)> run;
        const char *order;
    } steps[] = {
        {"down from the top", [](TakeoffDock &d) { d.table()->setCurrentIndex(d.model().index(0, 0)); d.moveCurrent(1); }, "B,A,C"},
        {"down again follows the line", [](TakeoffDock &d) { d.moveCurrent(1); }, "B,C,A"},
        {"down past the end does nothing", [](TakeoffDock &d) { d.moveCurrent(1); }, "B,C,A"},
        {"up", [](TakeoffDock &d) { d.moveCurrent(-1); }, "B,A,C"},
        {"delete the current line", [](TakeoffDock &d) { d.deleteSelected(); }, "B,C"},
        {"undo the delete", [](TakeoffDock &d) { d.undoStack().undo(); }, "B,A,C"},
        {"undo the moves", [](TakeoffDock &d) { d.undoStack().undo(); d.undoStack().undo(); d.undoStack().undo(); }, "A,B,C"},
        {"clear", [](TakeoffDock &d) { d.clearList(); }, ""},
        {"undo the clear", [](TakeoffDock &d) { d.undoStack().undo(); }, "A,B,C"},
    };
    for (const auto &s : steps) {
        s.run(dock);
        EXPECT_EQ(itemsOf(dock.list()), QString::fromLatin1(s.order)) << s.step;
    }
}

TEST_F(TakeoffDockTest, TotalsTreeShowsItemsWithTheirDesignations)
{
    dock.model().setList({line("圆钢", "d=10", 6, 0.617), line("工字钢", "20a", 2, 27.929), line("圆钢", "d=12", 1, 0.888)});
    QTreeWidget *tree = dock.totalsTree();
    ASSERT_EQ(tree->topLevelItemCount(), 2);
    EXPECT_EQ(tree->topLevelItem(0)->text(0), QStringLiteral("圆钢"));
    EXPECT_EQ(tree->topLevelItem(0)->text(1), QStringLiteral("4.590"));
    ASSERT_EQ(tree->topLevelItem(0)->childCount(), 2);
    EXPECT_EQ(tree->topLevelItem(0)->child(1)->text(0), QStringLiteral("d=12"));
    EXPECT_EQ(tree->topLevelItem(1)->text(1), QStringLiteral("55.858"));
}

TEST(TakeoffDockFiles, AutosaveKeepsTheListAcrossRunsAndDamagedOnesAreKeptAside)
{
    QTemporaryDir dir;
    // The user's data folder does not exist before the first run that keeps something.
    const QString path = dir.filePath(QStringLiteral("user/data/takeoff.mhbkl"));
    RecordingReporter reporter;
    {
        TakeoffDock dock(reporter, path);
        EXPECT_FALSE(QFile::exists(path)) << "nothing to keep before the first change";
        dock.model().addLine(line("圆钢", "d=10", 6, 0.617));
        dock.model().addLine(line("钢板", "10", 2, 78.5));
    }
    {
        TakeoffDock dock(reporter, path);
        EXPECT_EQ(itemsOf(dock.list()), QStringLiteral("圆钢,钢板"));
    }
    EXPECT_TRUE(reporter.empty());
    QFile damaged(path);
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write("{\"format\":\"mhbk-takeoff-list\",\"version\":1,\"lines\":[{");
    damaged.close();
    TakeoffDock dock(reporter, path);
    EXPECT_TRUE(dock.list().empty());
    ASSERT_FALSE(reporter.empty());
    EXPECT_TRUE(reporter.last().text.contains(QStringLiteral(".damaged"))) << reporter.last().text.toStdString();
    EXPECT_TRUE(QFile::exists(path + QStringLiteral(".damaged")));
}

// The kept list comes back as its file's list after a restart or a crash: with the file's name,
// and unsaved when it had changed since.
TEST(TakeoffDockFiles, TheRestoredListKeepsItsFileName)
{
    QTemporaryDir dir;
    const QString kept = dir.filePath(QStringLiteral("user/takeoff.mhbkl"));
    const QString file = dir.filePath(QStringLiteral("三号楼.mhbkl"));
    RecordingReporter reporter;
    for (const bool changedAfterSaving : {false, true}) {
        {
            TakeoffDock dock(reporter, kept);
            dock.model().setList({line("圆钢", "d=10", 6, 0.617)});
            dock.saveToPath(file);
            if (changedAfterSaving)
                dock.model().addLine(line("钢板", "10", 2, 78.5));
        } // as a crash leaves it: no question asked
        TakeoffDock dock(reporter, kept);
        EXPECT_EQ(dock.filePath(), file) << changedAfterSaving;
        EXPECT_EQ(dock.hasUnsavedChanges(), changedAfterSaving);
        EXPECT_EQ(dock.windowTitle(), QStringLiteral("工程量清单 — 三号楼.mhbkl") +
                                          (changedAfterSaving ? QStringLiteral("*") : QString()));
    }
    EXPECT_TRUE(reporter.empty());
}

TEST(TakeoffDockFiles, SaveOpenAndTheQuestionBeforeLeavingChanges)
{
    QTemporaryDir dir;
    RecordingReporter reporter;
    TakeoffDock dock(reporter, QString());
    QString chosen;
    dock.setFileChooser([&](FileRequest) { return chosen; });
    const QString first = dir.filePath(QStringLiteral("一.mhbkl"));
    const QString second = dir.filePath(QStringLiteral("二.mhbkl"));
    saveList({line("X", "", 1, 1)}, second);

    dock.model().addLine(line("A", "", 1, 1));
    chosen = first;
    dock.save(); // no file yet: asks where
    EXPECT_EQ(dock.filePath(), first);
    EXPECT_FALSE(dock.hasUnsavedFile());
    EXPECT_EQ(dock.windowTitle(), QStringLiteral("工程量清单 — 一.mhbkl"));
    dock.model().addLine(line("B", "", 1, 1));
    EXPECT_TRUE(dock.hasUnsavedFile());
    EXPECT_EQ(dock.windowTitle(), QStringLiteral("工程量清单 — 一.mhbkl*"));

    chosen = second;
    reporter.answerWith({Answer::Cancel});
    dock.openFile(); // 取消: nothing changes
    EXPECT_EQ(itemsOf(dock.list()), QStringLiteral("A,B"));
    reporter.answerWith({Answer::Save});
    dock.openFile();
    EXPECT_EQ(itemsOf(dock.list()), QStringLiteral("X"));
    EXPECT_EQ(itemsOf(loadList(first)), QStringLiteral("A,B"));
    dock.undoStack().undo(); // opening is a step too
    EXPECT_EQ(itemsOf(dock.list()), QStringLiteral("A,B"));

    // Closing the window asks the same question about the file, and saves it on 保存.
    dock.model().addLine(line("C", "", 1, 1));
    ASSERT_TRUE(dock.hasUnsavedChanges());
    EXPECT_EQ(saveQuestion(dock.unsavedDescription()), QStringLiteral("是否保存对清单“二.mhbkl”的修改？"));
    reporter.answerWith({Answer::Cancel});
    EXPECT_FALSE(settleUnsavedWork({&dock}, reporter));
    reporter.answerWith({Answer::Save});
    EXPECT_TRUE(settleUnsavedWork({&dock}, reporter));
    EXPECT_EQ(itemsOf(loadList(second)), QStringLiteral("A,B,C"));
    EXPECT_FALSE(dock.hasUnsavedChanges());

    // A damaged file changes nothing.
    const QString bad = dir.filePath(QStringLiteral("bad.mhbkl"));
    QFile file(bad);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a list");
    file.close();
    EXPECT_THROW(dock.openPath(bad), AppError);
    EXPECT_EQ(itemsOf(dock.list()), QStringLiteral("A,B,C"));
}

// The dialogs start where the workbook dialogs do, never in the working folder; once the user
// has chosen a file, in that file's folder for every kind of request.
TEST(TakeoffDockFiles, DialogsStartInTheLastFolderElseDocumentsElseHome)
{
    const FileRequest requests[] = {FileRequest::Open, FileRequest::SaveAs, FileRequest::ExportXlsx,
                                    FileRequest::ExportXls};
    const auto folderOf = [](const QString &suggested, FileRequest request) {
        return QDir(request == FileRequest::Open ? suggested : QFileInfo(suggested).absolutePath()).absolutePath();
    };
    for (const bool documents : {true, false}) {
        test::ScratchHome home(documents);
        RecordingReporter reporter;
        TakeoffDock dock(reporter, QString());
        const QString start = QDir(documents ? home.documents() : home.path()).absolutePath();
        for (const FileRequest request : requests)
            EXPECT_EQ(folderOf(dock.suggestedPath(request), request), start) << documents << int(request);
        EXPECT_EQ(QFileInfo(dock.suggestedPath(FileRequest::SaveAs)).fileName(), QStringLiteral("工程量清单.mhbkl"));
        EXPECT_EQ(QFileInfo(dock.suggestedPath(FileRequest::ExportXls)).fileName(), QStringLiteral("工程量清单.xls"));

        QTemporaryDir chosenFolder;
        const QString exported = chosenFolder.filePath(QStringLiteral("导出.xlsx"));
        dock.setFileChooser([&](FileRequest) { return exported; });
        dock.exportExcel(xlsout::ExcelFormat::Xlsx);
        for (const FileRequest request : requests)
            EXPECT_EQ(folderOf(dock.suggestedPath(request), request), QDir(chosenFolder.path()).absolutePath())
                << int(request);

        const QString saved = chosenFolder.filePath(QStringLiteral("清单.mhbkl"));
        dock.saveToPath(saved);
        EXPECT_EQ(dock.suggestedPath(FileRequest::SaveAs), saved); // its own file is offered again

        chosenFolder.remove(); // the folder has gone since: back to documents or home
        EXPECT_EQ(folderOf(dock.suggestedPath(FileRequest::Open), FileRequest::Open), start);
    }
}

// The real dialogs: they open in the suggested folder and word their details in Chinese.
TEST(TakeoffDockFiles, TheDialogsOpenInTheStartFolderWithChineseDetails)
{
    test::ScratchHome home(true);
    QDir(home.documents()).mkdir(QStringLiteral("图纸"));
    QFile file(QDir(home.documents()).filePath(QStringLiteral("旧.mhbkl")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(2048, 'x'));
    file.close();
    RecordingReporter reporter;
    TakeoffDock dock(reporter, QString());
    for (const bool saving : {false, true}) {
        QString folder, folderType, fileSize, fileType;
        QTimer::singleShot(0, [&] {
            auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            folder = dialog->directory().absolutePath();
            QAbstractProxyModel *shown = dialog->proxyModel();
            const auto *files = shown ? qobject_cast<QFileSystemModel *>(shown->sourceModel()) : nullptr;
            if (files) {
                // The model reads the folder in a thread of its own.
                EXPECT_TRUE(QTest::qWaitFor([&] { return files->rowCount(files->index(home.documents())) >= 2; }));
                const QModelIndex dir = shown->mapFromSource(files->index(QDir(home.documents()).filePath(QStringLiteral("图纸"))));
                const QModelIndex kept = shown->mapFromSource(files->index(file.fileName()));
                folderType = dir.siblingAtColumn(2).data().toString();
                fileSize = kept.siblingAtColumn(1).data().toString();
                fileType = kept.siblingAtColumn(2).data().toString();
            }
            dialog->reject();
        });
        if (saving)
            dock.saveAs();
        else
            dock.openFile();
        EXPECT_EQ(folder, QDir(home.documents()).absolutePath()) << saving;
        EXPECT_EQ(folderType, QStringLiteral("文件夹")) << saving;
        EXPECT_EQ(fileSize, QLocale(QLocale::Chinese, QLocale::China).formattedDataSize(2048, 1, QLocale::DataSizeTraditionalFormat)) << saving;
        EXPECT_FALSE(fileType.isEmpty()) << saving;
    }
    EXPECT_TRUE(dock.filePath().isEmpty());
}

TEST(TakeoffPrint, PagesAreNumberedAndTotalsFollowTheLines)
{
    List many;
    for (int i = 0; i < 120; ++i)
        many.push_back(line(i % 2 ? "圆钢" : "工字钢", i % 3 ? "d=10" : "20a", 1, 1));
    const std::vector<PrintRow> rows = printRows(many);
    // 120 lines, 2 item totals and 4 designation totals with their two captions, the grand total.
    ASSERT_EQ(rows.size(), 120u + 1 + 2 + 1 + 4 + 1);
    EXPECT_EQ(rows.back().cells.value(1), QStringLiteral("总计"));
    EXPECT_EQ(rows.back().cells.value(7), QStringLiteral("120.000"));

    QTemporaryDir dir;
    RecordingReporter reporter;
    TakeoffDock dock(reporter, QString());
    int pagesFew = 0, pagesMany = 0;
    {
        QPdfWriter pdf(dir.filePath(QStringLiteral("few.pdf")));
        dock.model().setList({line("A", "", 1, 1)});
        pagesFew = dock.print(pdf);
    }
    {
        QPdfWriter pdf(dir.filePath(QStringLiteral("many.pdf")));
        dock.model().setList(many);
        pagesMany = dock.print(pdf);
    }
    EXPECT_EQ(pagesFew, 1);
    EXPECT_GT(pagesMany, 2);
}

// An empty list takes a strip of the window, not the calculator's room; it floats and is resized
// as any dock, comes back at the height the user gave it, and names its commands for the list.
TEST(TakeoffMainWindow, TheDockStartsSmallFloatsAndComesBackAtItsKeptHeight)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("takeoff.mhbkl"));
    RecordingReporter reporter;
    {
        QMainWindow main;
        main.setCentralWidget(new QWidget);
        auto *dock = new TakeoffDock(reporter, path, &main);
        main.addDockWidget(Qt::BottomDockWidgetArea, dock);
        main.resize(1280, 720);
        main.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
        EXPECT_LT(dock->height(), 200) << "an empty list stands in the way of the page";
        EXPECT_TRUE(dock->features().testFlag(QDockWidget::DockWidgetFloatable));
        EXPECT_TRUE(dock->features().testFlag(QDockWidget::DockWidgetMovable));
        const QString deleteText = dock->findChild<QAction *>(QStringLiteral("actTakeoffDelete"))->text();
        const QString saveText = dock->findChild<QAction *>(QStringLiteral("actTakeoffSave"))->text();
        EXPECT_NE(deleteText, QStringLiteral("删除"));
        EXPECT_NE(saveText, QStringLiteral("保存"));
        EXPECT_TRUE(saveText.contains(QStringLiteral("清单"))) << saveText.toStdString();
    }
    // A height kept from an earlier run is the one the dock asks for.
    QSettings(dir.filePath(QStringLiteral("takeoff-dock.ini")), QSettings::IniFormat)
        .setValue(QStringLiteral("dock/height"), 333);
    QMainWindow main;
    main.setCentralWidget(new QWidget);
    auto *dock = new TakeoffDock(reporter, path, &main);
    main.addDockWidget(Qt::BottomDockWidgetArea, dock);
    main.resize(1280, 720);
    main.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
    EXPECT_EQ(dock->sizeHint().height(), 333);
    EXPECT_NEAR(dock->height(), 333, 8);
}

TEST(TakeoffMainWindow, BottomBarMenuAndCtrlEnter)
{
    test::TestDatabaseCopy db;
    RecordingReporter reporter;
    auto window = test::makeMainWindow(reporter, db.path());
    auto *dock = window->findChild<TakeoffDock *>(QStringLiteral("dockTakeoff"));
    ASSERT_NE(dock, nullptr);
    auto *add = window->findChild<QToolButton *>(QStringLiteral("sbAddToList"));
    ASSERT_NE(add, nullptr);
    QAction *menuAction = window->popupMenu()->findChild<QAction *>(QStringLiteral("miTakeoff"));
    if (!menuAction) {
        for (QAction *a : window->popupMenu()->actions())
            if (a->objectName() == QLatin1String("miTakeoff"))
                menuAction = a;
    }
    ASSERT_NE(menuAction, nullptr);
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    EXPECT_FALSE(dock->isVisible());
    menuAction->trigger();
    EXPECT_TRUE(dock->isVisible());

    window->selectPage(pages::indexOf("Page_Calculate"));
    EXPECT_FALSE(add->isEnabled());
    window->selectPage(pages::indexOf("Page_circle"));
    EXPECT_TRUE(add->isEnabled());
    auto *d = window->findChild<QLineEdit *>(QStringLiteral("Edit1"));
    auto *length = window->findChild<QLineEdit *>(QStringLiteral("Edit42"));
    ASSERT_TRUE(d && length);
    d->setFocus();
    QTest::keyClicks(d, QStringLiteral("12"));
    QTest::keyClick(d, Qt::Key_Return);
    QTest::keyClicks(length, QStringLiteral("3"));
    QTest::keyClick(length, Qt::Key_Return);
    QTest::keyClick(length, Qt::Key_Return, Qt::ControlModifier);
    ASSERT_EQ(dock->list().size(), 1u);
    EXPECT_EQ(dock->list().front().designation, QStringLiteral("d=12"));
    EXPECT_EQ(dock->list().front().quantity, 3);
}

} // namespace
} // namespace mhbk::takeoff
