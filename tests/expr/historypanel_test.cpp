// The calculation history beside the keypad, on real widgets: what "=" keeps, what a click
// puts back, copying, clearing after the question, and the history of the last run.
#include "qstringprint.h"
#include "expr/calculatorpages.h"
#include "expr/historypanel.h"
#include "expr/scriptservice.h"
#include "history/historystore.h"
#include "support/fakehost.h"
#include "support/testdb.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QAbstractItemModelTester>
#include <QListView>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace mhbk {
namespace {

class HistoryPanelTest : public ::testing::Test {
protected:
    HistoryPanelTest() : host_(test::builtDatabasePath()), script_(host_.reporter()), store_(folder_.path())
    {
        store_.load();
        QWidget *window = host_.window();
        calculation_ = new QLineEdit(window);
        calculation_->setObjectName(QStringLiteral("Calculation"));
        result_ = new QLineEdit(window);
        result_->setObjectName(QStringLiteral("CalResult"));
        installCalculatorPages(host_, ExpressionBar{calculation_, result_}, script_, &store_);
        window->show();
        host_.showPage(0);
    }

    void evaluate(const QString &expression)
    {
        calculation_->setText(expression);
        QTest::keyClick(calculation_, Qt::Key_Return);
    }

    template <class T>
    T *child(const char *name)
    {
        auto *found = host_.page(0)->findChild<T *>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    QListView *list() { return child<QListView>("HistoryList"); }
    int rowCount() { return list()->model()->rowCount(); }
    QString rowText(int row, int role = Qt::DisplayRole)
    {
        return list()->model()->index(row, 0).data(role).toString();
    }
    void setCurrentRow(int row) { list()->setCurrentIndex(list()->model()->index(row, 0)); }

    QStringList rows()
    {
        QStringList texts;
        for (int i = 0; i < rowCount(); ++i)
            texts << rowText(i);
        return texts;
    }

    void clickRow(int row)
    {
        QListView *l = list();
        const QRect rect = l->visualRect(l->model()->index(row, 0));
        QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, rect.center());
    }

    QTemporaryDir folder_;
    test::FakePageHost host_;
    ScriptEvaluator script_;
    history::HistoryStore store_;
    QLineEdit *calculation_ = nullptr;
    QLineEdit *result_ = nullptr;
};

TEST_F(HistoryPanelTest, EqualsKeepsTheExpressionAndItsResultNewestFirst)
{
    evaluate(QStringLiteral("1+2"));
    evaluate(QStringLiteral("2*3.5"));
    evaluate(QStringLiteral("1/"));  // an error: the box, and nothing kept
    EXPECT_EQ(rows(), (QStringList{QStringLiteral("2*3.5 = 7.0"), QStringLiteral("1+2 = 3.0")}));
    ASSERT_EQ(store_.entries().size(), 2U);
    EXPECT_EQ(store_.entries().front().kind, history::Kind::Expression);
    EXPECT_TRUE(store_.entries().front().time.isValid());

    // The same history in the next run, read from the user's folder.
    history::HistoryStore nextRun(folder_.path());
    EXPECT_EQ(nextRun.load(), history::LoadResult::Loaded);
    EXPECT_EQ(nextRun.entries(), store_.entries());
}

TEST_F(HistoryPanelTest, AClickPutsTheExpressionBackAndTheButtonCopiesTheResult)
{
    evaluate(QStringLiteral("1+2"));
    evaluate(QStringLiteral("2*3.5"));
    store_.add({QDateTime::currentDateTime(), history::Kind::Weight, QStringLiteral("圆钢 d=10 L=6"),
                QStringLiteral("3.699234"), QStringLiteral("kg")});
    EXPECT_EQ(rows().front(), QStringLiteral("圆钢 d=10 L=6 → 3.699234 kg"));
    EXPECT_FALSE(child<QPushButton>("HistoryCopy")->isEnabled());

    const std::tuple<int, const char *, const char *> cases[] = {
        {2, "1+2", "3.0"}, {1, "2*3.5", "7.0"}, {0, "3.699234", "3.699234"}, // a calculator's figure comes back as its number
    };
    for (const auto &[row, expression, result] : cases) {
        calculation_->clear();
        clickRow(row);
        EXPECT_EQ(calculation_->text().toStdString(), expression) << row;
        QApplication::clipboard()->clear();
        QTest::mouseClick(child<QPushButton>("HistoryCopy"), Qt::LeftButton);
        EXPECT_EQ(QApplication::clipboard()->text().toStdString(), result) << row;
    }
    // 放回算式 and Enter in the list do what the click does.
    setCurrentRow(2);
    QTest::mouseClick(child<QPushButton>("HistoryRecall"), Qt::LeftButton);
    EXPECT_EQ(calculation_->text(), QStringLiteral("1+2"));
    calculation_->clear();
    setCurrentRow(1);
    QTest::keyClick(list(), Qt::Key_Return);
    EXPECT_EQ(calculation_->text(), QStringLiteral("2*3.5"));
    EXPECT_TRUE(host_.recorder().empty());
}

TEST_F(HistoryPanelTest, ClearingAsksFirst)
{
    evaluate(QStringLiteral("1+2"));
    QPushButton *clear = child<QPushButton>("HistoryClear");
    host_.recorder().answerWith({Answer::No});
    QTest::mouseClick(clear, Qt::LeftButton);
    EXPECT_EQ(host_.recorder().questionCount(), 1U);
    EXPECT_EQ(host_.recorder().last().text, QStringLiteral("清空全部计算历史吗？"));
    EXPECT_EQ(rowCount(), 1);
    host_.recorder().answerWith({Answer::Yes});
    QTest::mouseClick(clear, Qt::LeftButton);
    EXPECT_EQ(rowCount(), 0);
    EXPECT_FALSE(clear->isEnabled());
    history::HistoryStore nextRun(folder_.path());
    nextRun.load();
    EXPECT_TRUE(nextRun.entries().empty());
}

// Entry i: "i = i*2", made at 10:mm:ss local time on 7 December 2026, a second apart.
history::Entry numbered(int i)
{
    const QDateTime time(QDate(2026, 12, 7), QTime(10, 0).addSecs(i));
    return {time.toUTC(), history::Kind::Expression, QString::number(i), QString::number(i * 2), QString()};
}

// Row r of the list, newest first, as text and tooltip, for the entry numbered i.
void expectRow(const QAbstractItemModel &model, int row, int i)
{
    const QString text = QStringLiteral("%1 = %2").arg(i).arg(i * 2);
    EXPECT_EQ(model.index(row, 0).data().toString(), text) << row;
    EXPECT_EQ(model.index(row, 0).data(Qt::ToolTipRole).toString(),
              QTime(10, 0).addSecs(i).toString(QStringLiteral("'2026-12-07 'HH:mm:ss\n")) + text)
        << row;
}

// The list follows each addition by one row, so it must stay the store's entries newest first
// with their tooltips through many additions, past the limit and after clearing; the chosen
// row stays on its entry as the rows move under it.
TEST_F(HistoryPanelTest, TheListFollowsManyAdditionsAndTheLimit)
{
    QAbstractItemModelTester tester(list()->model(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    constexpr int kLimit = history::HistoryStore::kLimit;
    for (int i = 0; i < 600; ++i)
        store_.add(numbered(i));
    ASSERT_EQ(rowCount(), 600);
    for (int row : {0, 1, 2, 598, 599})
        expectRow(*list()->model(), row, 599 - row);
    setCurrentRow(9); // entry 590
    for (int i = 600; i < kLimit + 25; ++i)
        store_.add(numbered(i));
    ASSERT_EQ(rowCount(), kLimit); // entries 25 to kLimit + 24
    const int newest = kLimit + 24;
    for (int row : {0, 1, 500, kLimit - 1})
        expectRow(*list()->model(), row, newest - row);
    EXPECT_EQ(list()->currentIndex().row(), newest - 590);
    calculation_->clear();
    QTest::mouseClick(child<QPushButton>("HistoryRecall"), Qt::LeftButton);
    EXPECT_EQ(calculation_->text(), QStringLiteral("590"));

    store_.add(numbered(newest + 1)); // entry 25 goes
    ASSERT_EQ(rowCount(), kLimit);
    expectRow(*list()->model(), 0, newest + 1);
    expectRow(*list()->model(), kLimit - 1, 26);

    host_.recorder().answerWith({Answer::Yes});
    QTest::mouseClick(child<QPushButton>("HistoryClear"), Qt::LeftButton);
    EXPECT_EQ(rowCount(), 0);
    store_.add(numbered(1));
    EXPECT_EQ(rows(), QStringList{QStringLiteral("1 = 2")});
}

TEST_F(HistoryPanelTest, TheResultFieldCopiesItsNumber)
{
    evaluate(QStringLiteral("1+2"));
    QApplication::clipboard()->clear();
    result_->deselect();
    QTest::keyClick(result_, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("3.0"));
}

} // namespace
} // namespace mhbk
