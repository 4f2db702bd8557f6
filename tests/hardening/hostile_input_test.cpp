// Every input a user can type or paste into, on every page, gets hostile texts. The program
// must answer with a message or ignore the input, and never crash, hang or show a figure
// that is not a number.
#include "app/mainwindow.h"
#include "common/reporter.h"
#include "support/testdb.h"

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

QStringList hostileTexts()
{
    QStringList texts{
        QStringLiteral("abc"),
        QStringLiteral("1.2.3"),
        QStringLiteral("..."),
        QStringLiteral("."),
        QStringLiteral("-"),
        QStringLiteral("１２３．５"),          // full-width digits and point
        QStringLiteral("三十"),
        QStringLiteral("1e400"),
        QStringLiteral("-1e-400"),
        QStringLiteral("0"),
        QStringLiteral("-0.0"),
        QStringLiteral("99999999999999999999999"),
        QStringLiteral("1,5"),
        QStringLiteral("'; DROP TABLE circle; --"),
        QStringLiteral("\"\""),
        QStringLiteral("((((((((((1"),
        QStringLiteral("=1/0"),
        QStringLiteral(" 12 "),
        QString(5000, QLatin1Char('9')),
        QString(3000, QChar(0x4E94)),          // 五五五…
    };
    QRandomGenerator random(20261207);         // fixed seed: a failure can be replayed
    for (int i = 0; i < 6; ++i) {
        QString junk;
        const int length = 1 + random.bounded(40);
        for (int k = 0; k < length; ++k)
            junk += QChar(static_cast<char16_t>(0x20 + random.bounded(0x5F)));
        texts << junk;
    }
    return texts;
}

// Sends each character as a key press the way a keyboard or an input method does; QTest's own
// helper knows only ASCII keys.
void typeText(QWidget *target, const QString &text)
{
    for (QChar ch : text) {
        QWidget *receiver = QApplication::focusWidget() ? QApplication::focusWidget() : target;
        if (ch.unicode() < 0x7F && ch.unicode() >= 0x20) {
            QTest::keyClick(receiver, ch.toLatin1());
            continue;
        }
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(receiver, &press);
        QApplication::sendEvent(receiver, &release);
    }
}

bool looksBroken(const QString &shown)
{
    const QString lower = shown.toLower();
    return lower.contains(QLatin1String("nan")) || lower.contains(QLatin1String("inf"));
}

class HostileInputTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        mhbk::MainWindowSettings settings;
        settings.executablePath = QStringLiteral("/nonexistent/mhbk");
        settings.databasePath = db.path();
        settings.autostartFolder = QStringLiteral("/nonexistent/autostart");
        settings.openUrl = [](const QUrl &) {};
        window = std::make_unique<mhbk::TfrmMain>(reporter, settings);
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
    std::unique_ptr<mhbk::TfrmMain> window;
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
