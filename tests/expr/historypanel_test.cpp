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
#include <QListWidget>
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

    QListWidget *list() { return child<QListWidget>("HistoryList"); }

    QStringList rows()
    {
        QStringList texts;
        for (int i = 0; i < list()->count(); ++i)
            texts << list()->item(i)->text();
        return texts;
    }

    void clickRow(int row)
    {
        QListWidget *l = list();
        const QRect rect = l->visualItemRect(l->item(row));
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
    list()->setCurrentRow(2);
    QTest::mouseClick(child<QPushButton>("HistoryRecall"), Qt::LeftButton);
    EXPECT_EQ(calculation_->text(), QStringLiteral("1+2"));
    calculation_->clear();
    list()->setCurrentRow(1);
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
    EXPECT_EQ(list()->count(), 1);
    host_.recorder().answerWith({Answer::Yes});
    QTest::mouseClick(clear, Qt::LeftButton);
    EXPECT_EQ(list()->count(), 0);
    EXPECT_FALSE(clear->isEnabled());
    history::HistoryStore nextRun(folder_.path());
    nextRun.load();
    EXPECT_TRUE(nextRun.entries().empty());
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
