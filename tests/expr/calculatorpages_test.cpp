// The keypad, the decimal places and the expression bar on real widgets.
#include "qstringprint.h"
#include "expr/calculatorpages.h"
#include "expr/scriptservice.h"
#include "support/fakehost.h"
#include "support/testdb.h"

#include <QApplication>
#include <QLineEdit>
#include <QLocale>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>
#include <vector>

namespace mhbk {
namespace {

class CalculatorPagesTest : public ::testing::Test {
protected:
    CalculatorPagesTest() : host_(test::builtDatabasePath()), script_(host_.reporter())
    {
        QWidget *window = host_.window();
        calculation_ = new QLineEdit(window);
        calculation_->setObjectName(QStringLiteral("Calculation"));
        result_ = new QLineEdit(window);
        result_->setObjectName(QStringLiteral("CalResult"));
        elsewhere_ = new QLineEdit(host_.page(5)); // stands in for the tree or a grid
        installCalculatorPages(host_, ExpressionBar{calculation_, result_}, script_);
        window->show();
        QApplication::setActiveWindow(window);
        EXPECT_TRUE(QTest::qWaitForWindowActive(window));
        host_.showPage(0);
    }

    QToolButton *key(const char *name)
    {
        auto *button = host_.page(0)->findChild<QToolButton *>(QString::fromLatin1(name));
        EXPECT_NE(button, nullptr) << name;
        return button;
    }

    void press(std::initializer_list<const char *> names)
    {
        for (const char *name : names)
            QTest::mouseClick(key(name), Qt::LeftButton);
    }

    QSpinBox *digits() { return host_.page(1)->findChild<QSpinBox *>(QStringLiteral("SpinEdit1")); }

    void focusElsewhere()
    {
        elsewhere_->setFocus(Qt::MouseFocusReason);
        QApplication::processEvents();
    }

    test::FakePageHost host_;
    ScriptEvaluator script_;
    QLineEdit *calculation_ = nullptr;
    QLineEdit *result_ = nullptr;
    QLineEdit *elsewhere_ = nullptr;
};

TEST_F(CalculatorPagesTest, EveryKeyHasItsCaptionHintAndTakesNoFocus)
{
    struct Row {
        const char *name;
        const char *caption;
        const char *hint;
    };
    const Row rows[] = {
        {"SpeedButton0", "0", ""},       {"SpeedButton9", "9", ""},        {"SpeedButton10", ".", ""},
        {"SpeedButton11", "^", "乘方"},  {"SpeedButton12", "exp", "e 的幂次方"}, {"SpeedButton26", "log", "自然对数"},
        {"SpeedButton19", "Pi", ""},     {"SpeedButton27", "平方", ""},     {"SpeedButton28", "平方根", ""},
        {"SpeedButton29", "绝对值", ""}, {"SpeedButton30", "取整", ""},     {"SpeedButton20", "正弦", ""},
        {"SpeedButton21", "余弦", ""},   {"SpeedButton22", "正切", ""},     {"SpeedButton23", "反正切", ""},
        {"SpeedButton24", "=", ""},      {"SpeedButton25", "清空", ""},     {"SpeedButton17", "(", ""},
    };
    for (const Row &row : rows) {
        QToolButton *button = key(row.name);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->text(), QString::fromUtf8(row.caption));
        EXPECT_EQ(button->toolTip(), QString::fromUtf8(row.hint));
        EXPECT_EQ(button->focusPolicy(), Qt::NoFocus);
    }
    EXPECT_EQ(host_.page(0)->findChildren<QToolButton *>().size(), 31);
    EXPECT_EQ(key("SpeedButton10")->font().pixelSize(), 16);
    EXPECT_EQ(key("SpeedButton9")->font().pixelSize(), 12);
}

TEST_F(CalculatorPagesTest, KeysInsertTheirTextAtTheCaret)
{
    struct Row {
        std::initializer_list<const char *> keys;
        const char *expression;
        int caret;
    };
    const Row rows[] = {
        {{"SpeedButton20"}, "sin()", 4},
        {{"SpeedButton20", "SpeedButton3"}, "sin(3)", 5},
        {{"SpeedButton1", "SpeedButton13", "SpeedButton2", "SpeedButton15", "SpeedButton19"}, "1+2*3.14159", 11},
        {{"SpeedButton17", "SpeedButton4", "SpeedButton14", "SpeedButton0", "SpeedButton18", "SpeedButton27"},
         "(4-0)^2", 7},
        {{"SpeedButton28", "SpeedButton29", "SpeedButton5"}, "sqr(abs(5))", 9},
        {{"SpeedButton30", "SpeedButton12", "SpeedButton26", "SpeedButton21", "SpeedButton22", "SpeedButton23"},
         "round(exp(log(cos(tan(atn())))))", 26},
        {{"SpeedButton9", "SpeedButton10", "SpeedButton8", "SpeedButton16", "SpeedButton7", "SpeedButton11",
          "SpeedButton6"}, "9.8/7^6", 7},
    };
    for (const Row &row : rows) {
        press({"SpeedButton25"});
        press(row.keys);
        EXPECT_EQ(calculation_->text(), QString::fromLatin1(row.expression));
        EXPECT_EQ(calculation_->cursorPosition(), row.caret) << row.expression;
        EXPECT_TRUE(calculation_->hasFocus());
    }
}

TEST_F(CalculatorPagesTest, FirstKeyAfterFocusElsewhereReplacesTheExpression)
{
    calculation_->setText(QStringLiteral("12+34"));
    focusElsewhere();
    press({"SpeedButton7"});
    EXPECT_EQ(calculation_->text(), QStringLiteral("7"));
    press({"SpeedButton8"});
    EXPECT_EQ(calculation_->text(), QStringLiteral("78"));

    // A selection made by the user is replaced while the field keeps the focus.
    calculation_->setSelection(0, 1);
    press({"SpeedButton2"});
    EXPECT_EQ(calculation_->text(), QStringLiteral("28"));
}

TEST_F(CalculatorPagesTest, EntryByKeyboardSelectsAllButAClickPlacesTheCaret)
{
    calculation_->setText(QStringLiteral("1+2"));
    focusElsewhere();
    calculation_->setFocus(Qt::OtherFocusReason);
    EXPECT_EQ(calculation_->selectedText(), QStringLiteral("1+2"));
    focusElsewhere();
    QTest::mouseClick(calculation_, Qt::LeftButton, {}, QPoint(2, calculation_->height() / 2));
    EXPECT_TRUE(calculation_->selectedText().isEmpty());
}

TEST_F(CalculatorPagesTest, EqualsRoundsToTheDecimalPlaces)
{
    EXPECT_EQ(digits()->value(), 1);
    EXPECT_EQ(digits()->minimum(), 0);
    EXPECT_EQ(digits()->maximum(), 10);
    struct Row {
        const char *expression;
        int places;
        const char *shown;
    };
    const Row rows[] = {
        {"7/2", 0, "4.0"},   {"10/3", 3, "3.333"}, {"10/3", 1, "3.3"},    {"sqr(2)", 3, "1.414"},
        {"2^10", 2, "1024.00"}, {"-7/2", 0, "-4.0"}, {"", 1, "0.0"},      {"1/3", 10, "0.3333333333"},
    };
    for (const Row &row : rows) {
        digits()->setValue(row.places);
        calculation_->setText(QString::fromLatin1(row.expression));
        press({"SpeedButton24"});
        EXPECT_EQ(result_->text(), QString::fromLatin1(row.shown)) << row.expression;
        EXPECT_EQ(calculation_->text(), QString::fromLatin1(row.expression));
    }
    EXPECT_TRUE(host_.recorder().empty());
}

TEST_F(CalculatorPagesTest, AnErrorShowsTheBoxAndZero)
{
    digits()->setValue(2);
    calculation_->setText(QStringLiteral("1+"));
    press({"SpeedButton24"});
    EXPECT_EQ(result_->text(), QStringLiteral("0.00"));
    ASSERT_EQ(host_.recorder().size(), 1u);
    EXPECT_EQ(host_.recorder().last().text, QStringLiteral("缺少表达式"));
    EXPECT_EQ(host_.recorder().last().caption, QStringLiteral("表达式错误"));
}

TEST_F(CalculatorPagesTest, NamesReadAsZeroKeepTheResultAndAreNamedInTheStatusBar)
{
    struct Row {
        const char *expression;
        const char *shown;
        const char *status; // nullptr: every name was known, nothing to say
    };
    const Row rows[] = {
        {"pi*2", "0.00", "未定义的名称按 0 计算：pi"},
        {"abc+1", "1.00", "未定义的名称按 0 计算：abc"},
        {"x+Y+X*2", "0.00", "未定义的名称按 0 计算：x、Y"},
        {"sqr(4)+1", "3.00", nullptr},
    };
    digits()->setValue(2);
    for (const Row &row : rows) {
        const qsizetype before = host_.statusMessages().size();
        calculation_->setText(QString::fromLatin1(row.expression));
        press({"SpeedButton24"});
        EXPECT_EQ(result_->text(), QString::fromLatin1(row.shown)) << row.expression;
        if (row.status) {
            ASSERT_EQ(host_.statusMessages().size(), before + 1) << row.expression;
            EXPECT_EQ(host_.statusMessages().last(), QString::fromUtf8(row.status));
        } else {
            EXPECT_EQ(host_.statusMessages().size(), before) << row.expression;
        }
    }
    EXPECT_TRUE(host_.recorder().empty()); // no error box: the results stand
}

TEST_F(CalculatorPagesTest, RndShowsANumberBelowOneThatChangesFromPressToPress)
{
    digits()->setValue(7);
    std::vector<double> shown;
    for (const char *expression : {"Rnd", "Rnd", "rnd(1)", "Int(Rnd*10)/10", "Randomize: Rnd"}) {
        calculation_->setText(QString::fromLatin1(expression));
        press({"SpeedButton24"});
        bool ok = false;
        const double value = QLocale().toDouble(result_->text(), &ok);
        ASSERT_TRUE(ok) << result_->text().toStdString();
        EXPECT_GE(value, 0.0) << expression;
        EXPECT_LT(value, 1.0) << expression;
        shown.push_back(value);
    }
    EXPECT_NE(shown[0], shown[1]);
    EXPECT_NE(shown[1], shown[2]);
    calculation_->setText(QStringLiteral("Rnd(0)"));
    press({"SpeedButton24"});
    EXPECT_EQ(QLocale().toDouble(result_->text()), shown.back());
    EXPECT_TRUE(host_.recorder().empty());
}

TEST_F(CalculatorPagesTest, ClearEmptiesOnlyTheExpression)
{
    calculation_->setText(QStringLiteral("10/3"));
    press({"SpeedButton24"});
    ASSERT_EQ(result_->text(), QStringLiteral("3.3"));
    focusElsewhere();
    press({"SpeedButton25"});
    EXPECT_TRUE(calculation_->text().isEmpty());
    EXPECT_EQ(result_->text(), QStringLiteral("3.3"));
    EXPECT_TRUE(calculation_->hasFocus());
    EXPECT_EQ(calculation_->cursorPosition(), 0);
}

TEST_F(CalculatorPagesTest, ChangingThePlacesWaitsForTheNextEquals)
{
    calculation_->setText(QStringLiteral("10/3"));
    press({"SpeedButton24"});
    digits()->setValue(4);
    EXPECT_EQ(result_->text(), QStringLiteral("3.3"));
    press({"SpeedButton24"});
    EXPECT_EQ(result_->text(), QStringLiteral("3.3333"));
}

TEST_F(CalculatorPagesTest, EnterEvaluatesOnAnyPage)
{
    host_.showPage(11);
    calculation_->setFocus(Qt::MouseFocusReason);
    calculation_->setText(QStringLiteral("2*3"));
    QTest::keyClick(calculation_, Qt::Key_Return);
    EXPECT_EQ(result_->text(), QStringLiteral("6.0"));
    calculation_->setText(QStringLiteral("2*4"));
    QTest::keyClick(calculation_, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(result_->text(), QStringLiteral("8.0"));
    EXPECT_EQ(host_.tabs().currentIndex(), 11);
}

// Typed into 常量设置's box with real keys, then "=" on 10/3: out-of-range typing is brought
// into the range, never cut short, and an emptied box counts as 0.
TEST_F(CalculatorPagesTest, TypedDecimalPlacesAreClampedAndEmptyCountsAsZero)
{
    struct Row {
        const char *keys;  // empty: the box is cleared with Backspace
        int value;
        const char *result;
    };
    const Row rows[] = {
        {"15", 10, "3.3333333333"},
        {"3", 3, "3.333"},
        {"", 0, "3.0"},
        {"99", 10, "3.3333333333"},
    };
    host_.showPage(1);
    QSpinBox *spin = digits();
    ASSERT_NE(spin, nullptr);
    for (const Row &row : rows) {
        SCOPED_TRACE(row.keys);
        spin->setFocus();
        spin->selectAll();
        if (*row.keys)
            QTest::keyClicks(spin, QString::fromLatin1(row.keys));
        else
            QTest::keyClick(spin, Qt::Key_Backspace);
        EXPECT_EQ(spin->value(), row.value);
        calculation_->setText(QStringLiteral("10/3"));
        press({"SpeedButton24"});
        EXPECT_EQ(result_->text(), QString::fromLatin1(row.result));
    }
    focusElsewhere();
    EXPECT_EQ(spin->text(), QStringLiteral("10"));
}

TEST(DecimalPlaces, TextThatIsNoWholeNumberCountsAsZero)
{
    QSpinBox spin;
    spin.setRange(0, 10);
    spin.setValue(3);
    EXPECT_EQ(decimalPlaces(spin), 3);
    spin.findChild<QLineEdit *>()->setText(QString());
    EXPECT_EQ(decimalPlaces(spin), 0);
}

} // namespace
} // namespace mhbk
