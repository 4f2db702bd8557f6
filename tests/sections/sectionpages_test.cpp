#include "sectionfixture.h"

#include "common/reporter.h"

#include <QVBoxLayout>

namespace mhbk::test {
namespace {

struct CalculatorCase {
    int page;
    std::vector<const char *> inputs;
    std::vector<const char *> values;
    const char *gEdit;
    const char *shownG;
};

TEST_F(SectionPagesTest, EnterComputesGOnEveryBarAndPlatePage)
{
    const CalculatorCase cases[] = {
        {11, {"Edit1"}, {"10"}, "Edit2", "0.616539"},
        {12, {"Edit4"}, {"10"}, "Edit3", "0.785"},
        {13, {"Edit30", "Edit31"}, {"10", "20"}, "Edit32", "1.57"},
        {14, {"Edit6"}, {"10"}, "Edit5", "0.67981"},
        {15, {"Edit27", "Edit28"}, {"10", "3"}, "Edit29", "0.2355"},
        {22, {"Edit7"}, {"10"}, "Edit8", "78.5"},
    };
    for (const CalculatorCase &c : cases) {
        for (std::size_t i = 0; i < c.inputs.size(); ++i)
            type(widget(c.page, c.inputs[i]), QString::fromLatin1(c.values[i]), false);
        EXPECT_TRUE(widget(c.page, c.gEdit)->text().isEmpty()) << "computed before Enter";
        QTest::keyClick(widget(c.page, c.inputs.back()), Qt::Key_Return);
        EXPECT_EQ(widget(c.page, c.gEdit)->text().toStdString(), c.shownG) << c.page;
    }
    EXPECT_TRUE(messages().empty());
}

TEST_F(SectionPagesTest, RoundBarLengthGivesM)
{
    type(widget(11, "Edit1"), QStringLiteral("10"));
    type(widget(11, "Edit42"), QStringLiteral("2"));
    EXPECT_EQ(widget(11, "Edit43")->text(), QStringLiteral("1.233078"));
    // Nothing is recomputed on its own: a new d leaves G and M until Enter.
    type(widget(11, "Edit1"), QStringLiteral("0"), false);
    EXPECT_EQ(widget(11, "Edit2")->text(), QStringLiteral("0.616539"));
    QTest::keyClick(widget(11, "Edit1"), Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_EQ(widget(11, "Edit2")->text(), QStringLiteral("61.6539"));
    EXPECT_EQ(widget(11, "Edit43")->text(), QStringLiteral("1.233078"));
}

struct PipePage {
    int page;
    const char *r, *d, *g, *l, *m;
    bool pageMessage;
};

const PipePage kPipes[] = {
    {24, "Edit9", "Edit10", "Edit11", "Edit55", "Edit54", true},
    {25, "Edit12", "Edit13", "Edit14", "Edit57", "Edit56", true},
    {26, "Edit15", "Edit16", "Edit17", "Edit59", "Edit58", true},
    {27, "Edit18", "Edit19", "Edit20", "Edit61", "Edit60", true},
    {28, "Edit33", "Edit34", "Edit35", "Edit71", "Edit70", false},
    {29, "Edit36", "Edit37", "Edit38", "Edit63", "Edit62", false},
    {30, "Edit39", "Edit40", "Edit41", "Edit65", "Edit64", false},
    {31, "Edit21", "Edit22", "Edit23", "Edit67", "Edit66", true},
    {32, "Edit24", "Edit25", "Edit26", "Edit69", "Edit68", true},
};

TEST_F(SectionPagesTest, EveryPipePageUsesTheOneFormula)
{
    const std::tuple<const char *, const char *, const char *> values[] = {
        {"60", "3", "4.21712676"}, {"3", "3", "0"}, {"2", "3", "-0.07398468"}};
    for (const PipePage &p : kPipes) {
        for (const auto &[r, d, g] : values) {
            widget(p.page, p.r)->setText(QString::fromLatin1(r));
            setAndEnter(widget(p.page, p.d), QString::fromLatin1(d));
            EXPECT_EQ(widget(p.page, p.g)->text().toStdString(), g) << p.page;
        }
        // Enter in R computes too.
        widget(p.page, p.d)->setText(QStringLiteral("3"));
        setAndEnter(widget(p.page, p.r), QStringLiteral("60"));
        type(widget(p.page, p.l), QStringLiteral("10"));
        EXPECT_EQ(widget(p.page, p.m)->text(), QStringLiteral("42.1712676")) << p.page;
    }
    EXPECT_TRUE(messages().empty());
}

TEST_F(SectionPagesTest, BadPipeNumberReportedAsThePageSays)
{
    for (const PipePage &p : kPipes) {
        messages().clear();
        widget(p.page, p.r)->setText(QStringLiteral("60"));
        setAndEnter(widget(p.page, p.d), QStringLiteral("3"));
        setAndEnter(widget(p.page, p.d), QStringLiteral("."));
        ASSERT_EQ(messages().size(), 1u) << p.page;
        if (p.pageMessage) {
            EXPECT_EQ(messages().last().text, QStringLiteral("出错！请检查输入的字符串！"));
            EXPECT_EQ(messages().last().icon, MessageIcon::None);
        } else {
            EXPECT_EQ(messages().last().text, QStringLiteral("'.' is not a valid floating point value."));
            EXPECT_EQ(messages().last().icon, MessageIcon::Critical);
        }
        EXPECT_EQ(messages().last().caption, QStringLiteral("五金手册"));
        EXPECT_EQ(widget(p.page, p.g)->text(), QStringLiteral("4.21712676")) << "G unchanged";
    }
}

TEST_F(SectionPagesTest, EmptyDimensionClearsGSilently)
{
    type(widget(13, "Edit30"), QStringLiteral("10"));
    type(widget(13, "Edit31"), QStringLiteral("10"));
    ASSERT_EQ(widget(13, "Edit32")->text(), QStringLiteral("0.785"));
    widget(13, "Edit31")->clear();
    QTest::keyClick(widget(13, "Edit30"), Qt::Key_Return);
    EXPECT_TRUE(widget(13, "Edit32")->text().isEmpty());

    type(widget(15, "Edit28"), QStringLiteral("3"));
    EXPECT_TRUE(widget(15, "Edit29")->text().isEmpty());
    EXPECT_TRUE(messages().empty());
}

TEST_F(SectionPagesTest, BadDimensionShowsThePageMessageAndKeepsG)
{
    type(widget(12, "Edit4"), QStringLiteral("10"));
    setAndEnter(widget(12, "Edit4"), QStringLiteral("."));
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages().last().text, QStringLiteral("出错！请检查输入的字符串！"));
    EXPECT_EQ(widget(12, "Edit3")->text(), QStringLiteral("0.785"));
}

TEST_F(SectionPagesTest, LengthRules)
{
    // Enter in L before G: the message, and M cleared; the plate page says the same.
    for (auto [page, l, m] : {std::tuple{11, "Edit42", "Edit43"}, std::tuple{22, "Edit53", "Edit52"}}) {
        widget(page, m)->setText(QStringLiteral("old"));
        type(widget(page, l), QStringLiteral("2"));
        ASSERT_FALSE(messages().empty());
        EXPECT_EQ(messages().last().text, QStringLiteral("请先算出理论重量G(kg/m)"));
        EXPECT_TRUE(widget(page, m)->text().isEmpty());
    }
    messages().clear();
    type(widget(22, "Edit7"), QStringLiteral("10"));
    type(widget(22, "Edit53"), QStringLiteral("5"));
    ASSERT_EQ(widget(22, "Edit52")->text(), QStringLiteral("1962.5"));
    setAndEnter(widget(22, "Edit53"), QString());
    EXPECT_TRUE(widget(22, "Edit52")->text().isEmpty()) << "empty L clears M";
    type(widget(22, "Edit53"), QStringLiteral("3"));
    EXPECT_EQ(widget(22, "Edit52")->text(), QStringLiteral("235.5"));
    // A length that is no number: the general conversion error, M unchanged.
    setAndEnter(widget(22, "Edit53"), QStringLiteral("."));
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages().last().text, QStringLiteral("'.' is not a valid floating point value."));
    EXPECT_EQ(messages().last().icon, MessageIcon::Critical);
    EXPECT_EQ(widget(22, "Edit52")->text(), QStringLiteral("235.5"));
}

TEST_F(SectionPagesTest, PageMessageOnEveryBarPageForALonePoint)
{
    const std::pair<int, const char *> inputs[] = {{11, "Edit1"}, {12, "Edit4"}, {13, "Edit30"},
                                                   {14, "Edit6"}, {15, "Edit27"}, {22, "Edit7"}};
    for (auto [page, name] : inputs) {
        host->showPage(page);
        for (QLineEdit *edit : host->page(page)->findChildren<QLineEdit *>())
            if (!edit->isReadOnly())
                edit->setText(QStringLiteral("1"));
        messages().clear();
        setAndEnter(widget(page, name), QStringLiteral("."));
        ASSERT_EQ(messages().size(), 1u) << page;
        EXPECT_EQ(messages().last().text, QStringLiteral("出错！请检查输入的字符串！")) << page;
    }
}

} // namespace
} // namespace mhbk::test

namespace mhbk::test {
namespace {

// The main window may give its tab sheets a layout of their own before the pages are built.
TEST(SectionPagesInstall, TabSheetWithALayoutAlready)
{
    SmallHandbook db;
    db.addNumberedTable(QStringLiteral("circle"), 2, 3);
    FakePageHost host(db.path());
    for (int page = 11; page <= 32; ++page)
        new QVBoxLayout(host.page(page));
    installSectionPages(host);
    host.showPage(11);
    auto *d = host.page(11)->findChild<QLineEdit *>(QStringLiteral("Edit1"));
    ASSERT_NE(d, nullptr);
    QTest::keyClicks(d, QStringLiteral("10"));
    QTest::keyClick(d, Qt::Key_Return);
    EXPECT_EQ(host.page(11)->findChild<QLineEdit *>(QStringLiteral("Edit2"))->text(), QStringLiteral("0.616539"));
    EXPECT_EQ(host.page(11)->findChild<StringGrid *>(QStringLiteral("StringGrid4"))->cell(0, 1), QStringLiteral("1.1"));
}

} // namespace
} // namespace mhbk::test
