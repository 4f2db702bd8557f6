#include "sectionfixture.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QSet>

namespace mhbk::test {
namespace {

QList<QLineEdit *> inputEdits(FakePageHost &host)
{
    QList<QLineEdit *> inputs;
    for (int page = 11; page <= 32; ++page) {
        host.showPage(page); // pages are built when the user first reaches them
        for (QLineEdit *edit : host.page(page)->findChildren<QLineEdit *>()) {
            if (!edit->isReadOnly() && !edit->parent()->inherits("QComboBox"))
                inputs << edit;
        }
    }
    return inputs;
}

TEST_F(SectionPagesTest, EveryCalculatorInputFiltered)
{
    const QList<QLineEdit *> inputs = inputEdits(*host);
    // 41 dimension and length inputs, and the weight input of the reverse calculation on 15
    // calculator pages and 6 rolled-section pages.
    EXPECT_EQ(inputs.size(), 62);
    QSet<QString> names;
    for (QLineEdit *edit : inputs) {
        names << edit->objectName();
        EXPECT_NE(edit->findChild<QObject *>(QStringLiteral("Edit1KeyPress")), nullptr) << edit->objectName().toStdString();
        edit->clear();
        QTest::keyClicks(edit, QStringLiteral("1.2.3-e"));
        EXPECT_EQ(edit->text(), QStringLiteral("1.23")) << edit->objectName().toStdString();
    }
    EXPECT_EQ(names.size(), 62) << "object names are unique";
}

struct KeySequence {
    const char *name;
    QString start;
    std::function<void(QLineEdit *)> keys;
    QString expected;
};

TEST_F(SectionPagesTest, KeyFilterSequences)
{
    QApplication::clipboard()->setText(QStringLiteral("99"));
    const KeySequence sequences[] = {
        {"digits and one point", {}, [](QLineEdit *e) { QTest::keyClicks(e, "1.2.3"); }, QStringLiteral("1.23")},
        {"minus", {}, [](QLineEdit *e) { QTest::keyClick(e, Qt::Key_Minus); }, QString()},
        {"letter e", {}, [](QLineEdit *e) { QTest::keyClicks(e, "e"); }, QString()},
        {"space and comma", {}, [](QLineEdit *e) { QTest::keyClicks(e, " ,+"); }, QString()},
        {"backspace", QStringLiteral("12"), [](QLineEdit *e) { QTest::keyClick(e, Qt::Key_Backspace); },
         QStringLiteral("1")},
        {"delete still works", QStringLiteral("12"),
         [](QLineEdit *e) { e->setCursorPosition(0); QTest::keyClick(e, Qt::Key_Delete); }, QStringLiteral("2")},
        {"caret keys still work", QStringLiteral("12"),
         [](QLineEdit *e) { QTest::keyClick(e, Qt::Key_Home); QTest::keyClicks(e, "3"); }, QStringLiteral("312")},
        {"paste shortcut discarded", QStringLiteral("1"),
         [](QLineEdit *e) { QTest::keyClick(e, Qt::Key_V, Qt::ControlModifier); }, QStringLiteral("1")},
        {"cut shortcut discarded", QStringLiteral("1"),
         [](QLineEdit *e) { e->selectAll(); QTest::keyClick(e, Qt::Key_X, Qt::ControlModifier); }, QStringLiteral("1")},
        // The rule looks at the whole text, even when its "." is selected and about to be replaced.
        {"selected point blocks a point", QStringLiteral("1.5"),
         [](QLineEdit *e) { e->selectAll(); QTest::keyClicks(e, "."); }, QStringLiteral("1.5")},
        {"selected text replaced by a digit", QStringLiteral("1.5"),
         [](QLineEdit *e) { e->selectAll(); QTest::keyClicks(e, "7"); }, QStringLiteral("7")},
        {"leading point", {}, [](QLineEdit *e) { QTest::keyClicks(e, ".5"); }, QStringLiteral(".5")},
        {"full-width digit", {}, [](QLineEdit *e) {
             QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QStringLiteral("１"));
             QApplication::sendEvent(e, &press);
         }, QString()},
    };
    QLineEdit *edit = widget(11, "Edit1");
    for (const KeySequence &s : sequences) {
        edit->setText(s.start);
        s.keys(edit);
        EXPECT_EQ(edit->text(), s.expected) << s.name;
    }
    EXPECT_TRUE(messages().empty()) << "typing alone never computes";
    EXPECT_TRUE(widget(11, "Edit2")->text().isEmpty());
}

TEST_F(SectionPagesTest, OutputsAreReadOnly)
{
    for (const char *name : {"Edit2", "Edit43"}) {
        QLineEdit *out = widget(11, name);
        EXPECT_TRUE(out->isReadOnly());
        QTest::keyClicks(out, "5");
        EXPECT_TRUE(out->text().isEmpty());
    }
}

} // namespace
} // namespace mhbk::test
