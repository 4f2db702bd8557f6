// The material choice, the reverse calculation, the history and the result fields' copy
// actions on the bar, plate and pipe pages, through their real widgets.
#include "sectionfixture.h"

#include "widgets/resultfield.h"
#include "numbers/numtext.h"
#include "sections/weightpage.h"
#include "sections/weights.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QCompleter>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QMenu>

namespace mhbk::test {
namespace {

class MaterialPageTest : public SectionPagesTest {
protected:
    QComboBox *materialBox(int page, const char *pageName)
    {
        host->showPage(page);
        return widget<QComboBox>(page, (std::string(pageName) + "_Material").c_str());
    }

    void choose(int page, const char *pageName, const QString &name)
    {
        QComboBox *box = materialBox(page, pageName);
        const int index = box->findText(name);
        ASSERT_GE(index, 0) << name.toStdString();
        box->setCurrentIndex(index);
    }
};

// Today's figures for a table of inputs: with steel chosen (at first, and again after another
// material), every G and M is exactly what the page showed before there was a choice.
TEST_F(MaterialPageTest, SteelGivesTodaysFiguresAndOtherMaterialsScaleThem)
{
    struct Row {
        int page;
        const char *pageName;
        std::vector<std::pair<const char *, const char *>> dimensions;
        const char *g;
        const char *l;
        const char *m;
        const char *steelG;
        const char *steelM;
        const char *aluminiumG;
    };
    const Row rows[] = {
        {11, "Page_circle", {{"Edit1", "10"}}, "Edit2", "Edit42", "Edit43", "0.616539", "3.699234", "0.212058"},
        {12, "Page_sqare", {{"Edit4", "10"}}, "Edit3", "Edit45", "Edit44", "0.785", "4.71", "0.27"},
        {13, "Page_Rectangle", {{"Edit30", "10"}, {"Edit31", "20"}}, "Edit32", "Edit47", "Edit46", "1.57", "9.42", "0.54"},
        {14, "Page_Hexagon", {{"Edit6", "10"}}, "Edit5", "Edit49", "Edit48", "0.67981", "4.07886", "0.23382"},
        {15, "Page_BianG", {{"Edit27", "100"}, {"Edit28", "51"}}, "Edit29", "Edit51", "Edit50", "40.035", "240.21", "13.77"},
        {22, "Page_steelboard", {{"Edit7", "10"}}, "Edit8", "Edit53", "Edit52", "78.5", "471", "27"},
        {24, "Page_NoSewType", {{"Edit9", "60"}, {"Edit10", "3"}}, "Edit11", "Edit55", "Edit54", "4.21712676", "25.30276056", "1.45047672"},
        {28, "Page_SeelTube", {{"Edit33", "60"}, {"Edit34", "3"}}, "Edit35", "Edit71", "Edit70", "4.21712676", "25.30276056", "1.45047672"},
    };
    for (const Row &row : rows) {
        const auto figures = [&] {
            return std::pair{widget(row.page, row.g)->text().toStdString(), widget(row.page, row.m)->text().toStdString()};
        };
        for (const auto &[name, value] : row.dimensions)
            setAndEnter(widget(row.page, name), QString::fromLatin1(value));
        setAndEnter(widget(row.page, row.l), QStringLiteral("6"));
        EXPECT_EQ(figures(), std::pair(std::string(row.steelG), std::string(row.steelM))) << row.pageName;

        choose(row.page, row.pageName, QStringLiteral("纯铝"));
        EXPECT_EQ(widget(row.page, row.g)->text().toStdString(), row.aluminiumG) << row.pageName;
        EXPECT_EQ(widget(row.page, row.m)->text(), floatToStr(weights::lengthWeight(widget(row.page, row.g)->text(), QStringLiteral("6"))));
        EXPECT_EQ(widget<QLabel>(row.page, (std::string(row.pageName) + "_Density").c_str())->text(),
                  QStringLiteral("密度：2.7 g/cm3"));

        choose(row.page, row.pageName, QStringLiteral("钢"));
        EXPECT_EQ(figures(), std::pair(std::string(row.steelG), std::string(row.steelM))) << row.pageName;
        EXPECT_EQ(widget<QLabel>(row.page, (std::string(row.pageName) + "_Density").c_str())->text(),
                  QStringLiteral("密度：7.85 g/cm3"));
    }
    EXPECT_TRUE(messages().empty());
}

TEST_F(MaterialPageTest, TheChoiceComesFromTheDensityTableAndShowsRanges)
{
    QComboBox *box = materialBox(11, "Page_circle");
    const QStringList expected = {QStringLiteral("钢"), QStringLiteral("灰口铸铁"), QStringLiteral("纯铝"),
                                  QStringLiteral("59、62、65、68黄铜")};
    QStringList shown;
    for (int i = 0; i < box->count(); ++i)
        shown << box->itemText(i);
    EXPECT_EQ(shown, expected);
    EXPECT_EQ(box->currentIndex(), 0);
    choose(11, "Page_circle", QStringLiteral("灰口铸铁"));
    EXPECT_EQ(widget<QLabel>(11, "Page_circle_Density")->text(), QStringLiteral("密度：7 g/cm3（6.6~7.4 取中值）"));

    // An edited table is read again on the next showing; the choice stays by name.
    db.addDensityTable({{QStringLiteral("纯铝"), QStringLiteral("2.7")}, {QStringLiteral("灰口铸铁"), QStringLiteral("7.2")}});
    host->showPage(12);
    host->showPage(11);
    EXPECT_EQ(box->count(), 3);
    EXPECT_EQ(box->currentText(), QStringLiteral("灰口铸铁"));
    EXPECT_EQ(widget<QLabel>(11, "Page_circle_Density")->text(), QStringLiteral("密度：7.2 g/cm3"));

    // A database without the table is damaged: that is reported, and the choice stays as it was.
    db.dropTable(QStringLiteral("constdensity"));
    host->showPage(12);
    messages().clear();
    host->showPage(11);
    EXPECT_FALSE(messages().empty());
    EXPECT_EQ(box->count(), 3);
    EXPECT_EQ(box->currentText(), QStringLiteral("灰口铸铁"));
}

TEST_F(MaterialPageTest, ReverseCalculationFromM)
{
    struct Case {
        int page;
        const char *pageName;
        const char *dimension;
        const char *dimensionValue;
        const char *weight;
        const char *shown;
    };
    const Case cases[] = {
        {11, "Page_circle", "Edit1", "10", "100", "162.195741064231"},
        {11, "Page_circle", "Edit1", "10", "3.699234", "6"},
        {22, "Page_steelboard", "Edit7", "10", "157", "2"},
        {12, "Page_sqare", "Edit4", "10", "0", "0"},
    };
    for (const Case &c : cases) {
        setAndEnter(widget(c.page, c.dimension), QString::fromLatin1(c.dimensionValue));
        setAndEnter(widget(c.page, (std::string(c.pageName) + "_WeightM").c_str()), QString::fromLatin1(c.weight));
        EXPECT_EQ(widget(c.page, (std::string(c.pageName) + "_LengthL").c_str())->text().toStdString(), c.shown)
            << c.pageName << " " << c.weight;
    }
    EXPECT_TRUE(messages().empty());

    // The length follows the material.
    choose(11, "Page_circle", QStringLiteral("纯铝"));
    EXPECT_EQ(widget(11, "Page_circle_LengthL")->text(), floatToStr(*weights::lengthFromWeight(QStringLiteral("0.212058"),
                                                                                               QStringLiteral("3.699234"))));
    // No G yet, and a G of zero, are said; an empty weight clears the length silently.
    setAndEnter(widget(24, "Page_NoSewType_WeightM"), QStringLiteral("10"));
    EXPECT_EQ(messages().last().text, kNeedGMessage);
    setAndEnter(widget(24, "Edit9"), QStringLiteral("3"));
    setAndEnter(widget(24, "Edit10"), QStringLiteral("3"));
    setAndEnter(widget(24, "Page_NoSewType_WeightM"), QStringLiteral("10"));
    EXPECT_EQ(messages().last().text, weights::kNoLengthForWeight);
    EXPECT_TRUE(widget(24, "Page_NoSewType_LengthL")->text().isEmpty());
    setAndEnter(widget(11, "Page_circle_WeightM"), QString());
    EXPECT_TRUE(widget(11, "Page_circle_LengthL")->text().isEmpty());
}

TEST_F(MaterialPageTest, ResultsAreKeptWithTheirInputs)
{
    setAndEnter(widget(11, "Edit1"), QStringLiteral("10"));
    setAndEnter(widget(11, "Edit42"), QStringLiteral("6"));
    setAndEnter(widget(11, "Page_circle_WeightM"), QStringLiteral("100"));
    choose(11, "Page_circle", QStringLiteral("59、62、65、68黄铜")); // recomputes, keeps nothing new
    setAndEnter(widget(22, "Edit7"), QStringLiteral("3"));
    choose(22, "Page_steelboard", QStringLiteral("纯铝"));
    setAndEnter(widget(22, "Edit7"), QStringLiteral("3"));
    setAndEnter(widget(22, "Page_steelboard_WeightM"), QStringLiteral("81"));
    setAndEnter(widget(24, "Edit9"), QStringLiteral("60"));
    setAndEnter(widget(24, "Edit10"), QStringLiteral("3"));
    QStringList kept;
    for (const history::Entry &entry : history.entries()) {
        EXPECT_EQ(entry.kind, history::Kind::Weight);
        EXPECT_TRUE(entry.time.isValid());
        kept << history::entryText(entry);
    }
    const QStringList expected = {
        QStringLiteral("圆钢 d=10 → 0.616539 kg/m"),
        QStringLiteral("圆钢 d=10 L=6 → 3.699234 kg"),
        QStringLiteral("圆钢 d=10 M=100 → 162.195741064231 m"),
        QStringLiteral("钢板 d=3 → 23.55 kg/m2"),
        QStringLiteral("钢板 纯铝 2.7 g/cm3 d=3 → 8.1 kg/m2"),
        QStringLiteral("钢板 纯铝 2.7 g/cm3 d=3 M=81 → 10 m2"),
        QStringLiteral("热轧无缝钢管 R=60 d=3 → 4.21712676 kg/m"),
    };
    EXPECT_EQ(kept, expected);
}

TEST_F(MaterialPageTest, ResultFieldsCopyTheNumberOrTheNumberWithItsUnit)
{
    setAndEnter(widget(11, "Edit1"), QStringLiteral("10"));
    setAndEnter(widget(11, "Edit42"), QStringLiteral("6"));
    setAndEnter(widget(22, "Edit7"), QStringLiteral("10"));
    setAndEnter(widget(22, "Page_steelboard_WeightM"), QStringLiteral("157"));
    const std::tuple<int, const char *, const char *, const char *> fields[] = {
        {11, "Edit2", "0.616539", "0.616539 kg/m"},
        {11, "Edit43", "3.699234", "3.699234 kg"},
        {22, "Edit8", "78.5", "78.5 kg/m2"},
        {22, "Page_steelboard_LengthL", "2", "2 m2"},
    };
    for (const auto &[page, name, number, withUnit] : fields) {
        QLineEdit *field = widget(page, name);
        QApplication::clipboard()->clear();
        field->deselect();
        QTest::keyClick(field, Qt::Key_C, Qt::ControlModifier);
        EXPECT_EQ(QApplication::clipboard()->text().toStdString(), number) << name;

        auto *actions = field->findChild<ResultFieldActions *>();
        ASSERT_NE(actions, nullptr) << name;
        std::unique_ptr<QMenu> menu(actions->makeMenu(field));
        QStringList captions;
        for (QAction *action : menu->actions())
            if (!action->isSeparator())
                captions << action->text();
        EXPECT_EQ(captions, (QStringList{QStringLiteral("复制(&C)"), QStringLiteral("复制（带单位）(&U)"), QStringLiteral("全选(&A)")}));
        menu->findChild<QAction *>(QStringLiteral("ResultCopyWithUnit"))->trigger();
        EXPECT_EQ(QApplication::clipboard()->text().toStdString(), withUnit) << name;
        menu->findChild<QAction *>(QStringLiteral("ResultSelectAll"))->trigger();
        EXPECT_EQ(field->selectedText().toStdString(), number);
        // A selection is copied as it is.
        field->setSelection(0, 3);
        QTest::keyClick(field, Qt::Key_C, Qt::ControlModifier);
        EXPECT_EQ(QApplication::clipboard()->text(), QString::fromLatin1(number).left(3)) << name;
    }
    // An empty field offers nothing to copy.
    std::unique_ptr<QMenu> menu(widget(12, "Edit3")->findChild<ResultFieldActions *>()->makeMenu(nullptr));
    EXPECT_FALSE(menu->findChild<QAction *>(QStringLiteral("ResultCopy"))->isEnabled());
}

// A material is found by typing part of its name, and the ones last chosen are offered first on
// every calculator.
TEST_F(MaterialPageTest, TypedNamesCompleteAndTheLastChosenComeFirst)
{
    QTemporaryDir folder;
    host->setUserDataFolder(folder.path());
    QComboBox *box = materialBox(11, "Page_circle");
    ASSERT_TRUE(box->isEditable());
    ASSERT_NE(box->completer(), nullptr);
    box->completer()->setCompletionPrefix(QStringLiteral("黄铜")); // found inside the name
    ASSERT_EQ(box->completer()->completionCount(), 1);
    EXPECT_EQ(box->completer()->currentCompletion(), QStringLiteral("59、62、65、68黄铜"));

    box->lineEdit()->setText(QStringLiteral("纯铝"));
    QTest::keyClick(box->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(box->itemText(box->currentIndex()), QStringLiteral("纯铝"));
    EXPECT_TRUE(widget<QLabel>(11, "Page_circle_Density")->text().contains(QStringLiteral("2.7")));
    // A name of no material gives way to the one chosen.
    box->lineEdit()->setText(QStringLiteral("木材"));
    QTest::keyClick(box->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(box->currentText(), QStringLiteral("纯铝"));

    const auto order = [this](int page, const char *name) {
        QComboBox *b = materialBox(page, name);
        QStringList names;
        for (int i = 0; i < b->count(); ++i)
            names << b->itemText(i);
        return names.join(QLatin1Char('|'));
    };
    EXPECT_EQ(order(12, "Page_sqare"), weights::steel().name + QStringLiteral("|纯铝|灰口铸铁|59、62、65、68黄铜"));
    choose(12, "Page_sqare", QStringLiteral("59、62、65、68黄铜"));
    EXPECT_EQ(order(14, "Page_Hexagon"), weights::steel().name + QStringLiteral("|59、62、65、68黄铜|纯铝|灰口铸铁"));
}

// Rolled sections: the chosen row gives the designation and G; M gives the length.
TEST_F(MaterialPageTest, RolledSectionLengthFromTheChosenRow)
{
    host->showPage(18); // 工字钢: five fields a block, made-up rows "1.1" … "1.5", "2.1" … "2.5"
    StringGrid *g = grid(18, "StringGrid9");
    QLineEdit *rowG = widget(18, "Page_Ishaped_RowG");
    QLineEdit *length = widget(18, "Page_Ishaped_LengthL");
    auto *designation = widget<QLabel>(18, "Page_Ishaped_Row");

    // The first row is chosen until the user picks another.
    EXPECT_EQ(designation->text(), QStringLiteral("1.1"));
    g->setCurrentCell(8, 0);
    EXPECT_TRUE(rowG->text().isEmpty());
    setAndEnter(widget(18, "Page_Ishaped_WeightM"), QStringLiteral("3"));
    EXPECT_EQ(messages().last().text, kNeedRowMessage);

    const std::tuple<int, int, const char *, const char *, const char *, const char *> cases[] = {
        {1, 0, "1.1", "1.5", "3", "2.000"},
        {2, 3, "2.1", "2.5", "10", "4.000"},
        {3, 4, "3.1", "3.5", "7", "2.000"},
        {1, 2, "1.1", "1.5", "1", "0.667"}, // the page's three decimals, not fifteen digits
    };
    for (const auto &[row, column, name, weight, m, l] : cases) {
        g->setCurrentCell(row, column);
        EXPECT_EQ(designation->text().toStdString(), name);
        EXPECT_EQ(rowG->text().toStdString(), weight);
        EXPECT_TRUE(length->text().isEmpty());
        setAndEnter(widget(18, "Page_Ishaped_WeightM"), QString::fromLatin1(m));
        EXPECT_EQ(length->text().toStdString(), l) << name;
    }
    EXPECT_EQ(history::entryText(history.entries().back()), QStringLiteral("工字钢 1.1 M=1 → 0.667 m"));

    // A cell past the rows clears the choice.
    g->setCurrentCell(7, 1);
    EXPECT_TRUE(designation->text().isEmpty());
    EXPECT_TRUE(rowG->text().isEmpty());

    // The same material choice as the other calculators: G scales with the density.
    auto *box = widget<QComboBox>(18, "Page_Ishaped_Material");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->itemText(0), weights::steel().name);
    g->setCurrentCell(2, 3); // "2.1", G 2.5
    box->setCurrentIndex(box->findText(QStringLiteral("纯铝")));
    EXPECT_EQ(rowG->text(), QStringLiteral("0.860")); // 2.5 × 2.7 / 7.85
    setAndEnter(widget(18, "Page_Ishaped_WeightM"), QStringLiteral("10"));
    EXPECT_EQ(length->text(), QStringLiteral("11.628"));
    EXPECT_TRUE(history::entryText(history.entries().back()).contains(QStringLiteral("纯铝")));
    box->setCurrentIndex(0);
    EXPECT_EQ(rowG->text(), QStringLiteral("2.5"));
}

} // namespace
} // namespace mhbk::test
