#include "sectionfixture.h"

#include "data/database.h"
#include "data/datasets.h"
#include "sections/checkered.h"
#include "widgets/resultfield.h"

#include <QComboBox>

namespace mhbk::test {
namespace {

class CheckeredPageTest : public SectionPagesTest {
protected:
    QComboBox *combo(const char *name) { return widget<QComboBox>(23, name); }
    QString out(const char *name) { return widget(23, name)->text(); }
    void typeInto(const char *comboName, const QString &keys) { QTest::keyClicks(combo(comboName)->lineEdit(), keys); }
};

TEST_F(CheckeredPageTest, FillsGridAndThicknessListOnFirstShowing)
{
    EXPECT_EQ(host->page(23)->findChild<QWidget *>(QStringLiteral("sgridHWGB")), nullptr)
        << "the page is built when it is first shown";
    EXPECT_EQ(combo("cbKD")->count(), 25);
    EXPECT_EQ(combo("cbKD")->itemText(24), QStringLiteral("1800"));
    EXPECT_EQ(combo("cbCD")->count(), 115);
    EXPECT_EQ(combo("cbCD")->itemText(114), QStringLiteral("12000"));
    EXPECT_TRUE(combo("cbKD")->currentText().isEmpty());

    host->showPage(23);
    StringGrid *g = grid(23, "sgridHWGB");
    EXPECT_EQ(g->cell(0, 0), QStringLiteral("基本厚度"));
    EXPECT_EQ(g->cell(2, 2), QStringLiteral("25.6"));
    EXPECT_EQ(combo("cbJBHD_HWGB")->count(), 2);
    EXPECT_EQ(combo("cbJBHD_HWGB")->currentIndex(), -1) << "nothing picked yet";
    EXPECT_TRUE(out("edtLXLLZL").isEmpty());
    host->showPage(23);
    EXPECT_EQ(combo("cbJBHD_HWGB")->count(), 2);
}

TEST_F(CheckeredPageTest, ElevenThicknessesListedTenInTheGrid)
{
    std::vector<QStringList> rows;
    for (int i = 1; i <= 11; ++i)
        rows.push_back({QString::number(i), "1", QString::number(i * 8), "1", QString::number(i * 7)});
    db.addCheckeredTable(rows);
    host->showPage(23);
    EXPECT_EQ(combo("cbJBHD_HWGB")->count(), 11);
    StringGrid *g = grid(23, "sgridHWGB");
    EXPECT_EQ(g->rowCount(), 11);
    EXPECT_EQ(g->colCount(), 5);
    EXPECT_EQ(g->cell(0, 10), QStringLiteral("10"));
    EXPECT_TRUE(messages().empty());
}

TEST_F(CheckeredPageTest, LiveWeights)
{
    host->showPage(23);
    // Before a thickness is picked the weights per m² count as 0.
    typeInto("cbKD", QStringLiteral("1000"));
    typeInto("cbCD", QStringLiteral("2000"));
    EXPECT_EQ(out("edtLXZL"), QStringLiteral("0"));
    EXPECT_EQ(out("edtBDZL"), QStringLiteral("0"));

    combo("cbJBHD_HWGB")->setCurrentIndex(1);
    EXPECT_EQ(out("edtLXWG"), QStringLiteral("1.0"));
    EXPECT_EQ(out("edtLXLLZL"), QStringLiteral("25.6"));
    EXPECT_EQ(out("edtBDLLZL"), QStringLiteral("24.4"));
    EXPECT_EQ(out("edtLXZL"), QStringLiteral("51.2"));
    EXPECT_EQ(out("edtBDZL"), QStringLiteral("48.8"));
    // The weights per area are copied with the unit of an area.
    for (const char *name : {"edtLXLLZL", "edtBDLLZL"}) {
        auto *actions = widget(23, name)->findChild<ResultFieldActions *>();
        ASSERT_NE(actions, nullptr) << name;
        EXPECT_EQ(actions->unit(), QStringLiteral("kg/m2")) << name;
    }

    // Picking a width from the list recomputes at once.
    combo("cbKD")->setCurrentIndex(combo("cbKD")->findText(QStringLiteral("1500")));
    EXPECT_EQ(out("edtLXZL"), QStringLiteral("76.8"));
    combo("cbCD")->setEditText(QString());
    EXPECT_EQ(out("edtLXZL"), QStringLiteral("0"));
    EXPECT_EQ(out("edtBDZL"), QStringLiteral("0"));
    EXPECT_TRUE(messages().empty());
}

TEST_F(CheckeredPageTest, LetterInWidthShowsMessageAndKeepsWeights)
{
    host->showPage(23);
    combo("cbJBHD_HWGB")->setCurrentIndex(0);
    combo("cbKD")->setEditText(QString());
    typeInto("cbKD", QStringLiteral("15"));
    typeInto("cbCD", QStringLiteral("1000"));
    ASSERT_EQ(out("edtLXZL"), QStringLiteral("0.324"));
    typeInto("cbKD", QStringLiteral("x"));
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages().last().text, QStringLiteral("“钢板宽度”与“长度”需要输入数值型参数！"));
    EXPECT_EQ(out("edtLXZL"), QStringLiteral("0.324"));
    QTest::keyClick(combo("cbKD")->lineEdit(), Qt::Key_Backspace);
    EXPECT_EQ(messages().size(), 1u);
    EXPECT_EQ(out("edtBDZL"), QStringLiteral("0.3195"));
}

TEST_F(CheckeredPageTest, KeyWithQuoteIsBoundNotPasted)
{
    db.addCheckeredTable({{"3\" OR \"1\"=\"1", "9", "99", "9", "98"}, {"3.0", "1.0", "25.6", "1.0", "24.4"}});
    host->showPage(23);
    combo("cbJBHD_HWGB")->setCurrentIndex(0);
    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(out("edtLXLLZL"), QStringLiteral("99"));
}

TEST_F(CheckeredPageTest, NoMatchingRecordChangesNothing)
{
    host->showPage(23);
    combo("cbJBHD_HWGB")->setCurrentIndex(0);
    ASSERT_EQ(out("edtLXLLZL"), QStringLiteral("21.6"));
    db.addCheckeredTable({{"9.9", "1", "2", "3", "4"}});
    combo("cbJBHD_HWGB")->setCurrentIndex(1);
    EXPECT_EQ(out("edtLXLLZL"), QStringLiteral("21.6"));
    EXPECT_TRUE(messages().empty());
}

TEST(CheckeredLookup, KeyIsComparedAsTextAndNeverPastedIntoTheStatement)
{
    SmallHandbook small;
    small.addCheckeredTable({{"3.0", "1.0", "25.6", "1.0", "24.4"}, {"4.0", "1.5", "34.4", "1.5", "32.4"}});
    HandbookDatabase db(small.path());
    QueryDataset query(db);
    const struct {
        const char *key;
        const char *rhombicWeight; // nullptr: no record
    } cases[] = {
        {"4.0", "34.4"},
        {" 3.0 ", "25.6"}, // the typed key is trimmed
        {"4", nullptr},    // text, not a number
        {"4.0\"", nullptr},
        {"\" OR \"\"=\"", nullptr},
        {"4.0' OR '1'='1", nullptr},
        {"\"; DELETE FROM steelboard_HW; --", nullptr},
    };
    for (const auto &c : cases) {
        const auto found = checkered::lookup(query, QString::fromUtf8(c.key));
        ASSERT_EQ(found.has_value(), c.rhombicWeight != nullptr) << c.key;
        if (found) {
            EXPECT_EQ(found->rhombicWeight, QLatin1String(c.rhombicWeight)) << c.key;
        }
    }
    TableDataset table(db);
    table.open(checkered::kTable);
    EXPECT_EQ(table.recordCount(), 3) << "captions and both plates still there";
}

} // namespace
} // namespace mhbk::test
