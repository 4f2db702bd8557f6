// The clamping spin box as the user types into it: real key clicks on a shown, focused box.
#include "widgets/clampingspinbox.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace mhbk {
namespace {

struct TypingCase {
    const char *what;
    int minimum;
    int maximum;
    int start;
    bool selectAll;  // replace the text, or type after it
    const char *keys;
    const char *text;  // what the box shows while it still has the focus
    int value;
};

TEST(ClampingSpinBox, TypingBeyondTheRangeGivesTheBound)
{
    const TypingCase cases[] = {
        {"15 in 0..10", 0, 10, 1, true, "15", "10", 10},
        {"5 after 1 in 0..10", 0, 10, 1, false, "5", "10", 10},
        {"300 in 0..200", 0, 200, 20, true, "300", "200", 200},
        {"3000 in 0..200", 0, 200, 20, true, "3000", "200", 200},
        {"in range", 0, 200, 20, true, "150", "150", 150},
        {"leading zeros", 0, 200, 20, true, "007", "7", 7},
        {"more digits than an integer holds", 0, 200, 20, true, "123456789012345678901", "200", 200},
        {"letters refused", 0, 200, 20, true, "4a2", "42", 42},
        {"no sign when 0 is the least", 0, 10, 3, true, "-4", "4", 4},
        {"below a minimum of 5", 5, 10, 7, true, "3", "5", 5},
        {"negative range", -10, 10, 0, true, "-15", "-10", -10},
    };
    for (const TypingCase &c : cases) {
        SCOPED_TRACE(c.what);
        ClampingSpinBox box;
        box.setRange(c.minimum, c.maximum);
        box.setValue(c.start);
        box.show();
        QApplication::setActiveWindow(&box);
        box.setFocus();
        if (c.selectAll)
            box.selectAll();
        else
            box.findChild<QLineEdit *>()->end(false);
        QTest::keyClicks(&box, QString::fromLatin1(c.keys));
        EXPECT_EQ(box.text().toStdString(), c.text);
        EXPECT_EQ(box.value(), c.value);
    }
}

struct ClearingCase {
    int minimum;
    int start;
    int value;  // of the emptied box
    const char *shown;  // once the focus has gone
};

TEST(ClampingSpinBox, AnEmptiedBoxCountsAsZeroWithinTheRange)
{
    const ClearingCase cases[] = {{0, 7, 0, "0"}, {5, 7, 5, "5"}};
    for (const ClearingCase &c : cases) {
        QWidget window;
        auto *box = new ClampingSpinBox(&window);
        box->setRange(c.minimum, 10);
        box->setValue(c.start);
        auto *other = new QLineEdit(&window);
        other->move(0, 40);
        window.show();
        QApplication::setActiveWindow(&window);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        box->setFocus();
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Backspace);
        EXPECT_EQ(box->value(), c.value);
        other->setFocus();
        EXPECT_EQ(box->text().toStdString(), c.shown) << "never the old value back";
        EXPECT_EQ(box->value(), c.value);
    }
}

} // namespace
} // namespace mhbk
