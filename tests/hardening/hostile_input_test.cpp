// Every input a user can type or paste into, on every page, gets hostile texts. The program
// must answer with a message or ignore the input, and never crash, hang or show a figure
// that is not a number.
#include "app/mainwindow.h"
#include "hardening/hostile.h"
#include "common/reporter.h"
#include "support/testdb.h"
#include "support/testwindow.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QRandomGenerator>
#include <QTableWidget>
#include <QTest>
#include <QKeyEvent>
#include <QUrl>
#include <gtest/gtest.h>
#include <memory>

namespace {

using mhbk::test::hostileTexts;
using mhbk::test::looksBroken;
using mhbk::test::typeText;

TEST(LooksBroken, OnlyNotANumberWordsCount)
{
    const struct {
        const char *shown;
        bool broken;
    } cases[] = {{"NAN", true},     {"-INF", true},     {"inf", true},          {"1.#INF", true},
                 {"Infinity", true}, {"0.616539", false}, {"6.16539E-7", false}, {"info", false},
                 {"Infrared", false}, {"financial", false}, {"", false}};
    for (const auto &c : cases)
        EXPECT_EQ(looksBroken(QString::fromLatin1(c.shown)), c.broken) << c.shown;
    EXPECT_FALSE(looksBroken(QStringLiteral("钢管 nano")));
    EXPECT_TRUE(looksBroken(QStringLiteral("结果：nan")));
}

class HostileInputTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        window = mhbk::test::makeMainWindow(reporter, db.path());
        window->show();
    }

    void typeInto(QWidget *target, const QString &text, bool paste)
    {
        target->setFocus();
        if (paste) {
            QApplication::clipboard()->setText(text);
            QTest::keySequence(target, QKeySequence::Paste);
        } else {
            typeText(target, text.left(300)); // typing is slow; long texts are pasted too
        }
        QTest::keyClick(target, Qt::Key_Return);
    }

    void checkOutputs(int page)
    {
        for (auto *edit : window->page(page)->findChildren<QLineEdit *>()) {
            EXPECT_FALSE(looksBroken(edit->text())) << page << " " << edit->objectName().toStdString();
        }
        for (auto *grid : window->page(page)->findChildren<QTableWidget *>()) {
            for (int r = 0; r < grid->rowCount(); ++r) {
                for (int c = 0; c < grid->columnCount(); ++c) {
                    const auto *item = grid->item(r, c);
                    EXPECT_FALSE(item && looksBroken(item->text())) << page << " " << r << "," << c;
                }
            }
        }
    }

    mhbk::test::TestDatabaseCopy db;
    mhbk::RecordingReporter reporter;
    std::unique_ptr<mhbk::MainWindow> window;
};

TEST_F(HostileInputTest, EveryEditAndComboOfEveryPage)
{
    const QStringList texts = hostileTexts();
    for (int page = 0; page < 52; ++page) {
        window->selectPage(page);
        QApplication::processEvents();
        QList<QWidget *> inputs;
        for (auto *edit : window->page(page)->findChildren<QLineEdit *>())
            if (edit->isVisibleTo(window.get()) && !edit->isReadOnly())
                inputs << edit;
        for (auto *combo : window->page(page)->findChildren<QComboBox *>())
            if (combo->isVisibleTo(window.get()))
                inputs << combo;
        for (QWidget *input : inputs) {
            for (int i = 0; i < texts.size(); ++i) {
                if (auto *edit = qobject_cast<QLineEdit *>(input))
                    edit->clear();
                typeInto(input, texts[i], i % 2 == 1 || texts[i].size() > 300);
            }
        }
        checkOutputs(page);
    }
    for (const auto &entry : reporter.entries()) {
        EXPECT_FALSE(entry.text.isEmpty());
    }
}

TEST_F(HostileInputTest, EveryEditableGridCellAndSpinBox)
{
    const QStringList texts = hostileTexts();
    for (int page = 0; page < 52; ++page) {
        window->selectPage(page);
        QApplication::processEvents();
        for (auto *spin : window->page(page)->findChildren<QAbstractSpinBox *>()) {
            if (!spin->isVisibleTo(window.get()))
                continue;
            for (const QString &text : texts.mid(0, 8))
                typeInto(spin, text, false);
        }
        for (auto *grid : window->page(page)->findChildren<QTableWidget *>()) {
            if (!grid->isVisibleTo(window.get()) || grid->editTriggers() == QAbstractItemView::NoEditTriggers)
                continue;
            const int rows = std::min(grid->rowCount(), 4);
            const int columns = std::min(grid->columnCount(), 6);
            for (int r = 0; r < rows; ++r) {
                for (int c = 0; c < columns; ++c) {
                    grid->setCurrentCell(r, c);
                    typeInto(grid, texts[(r * columns + c) % texts.size()], false);
                }
            }
        }
        checkOutputs(page);
    }
}

} // namespace
