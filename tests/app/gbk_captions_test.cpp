// Every text the program shows must survive a trip through GBK, the code page of the
// handbook's users and of files they exchange.
#include "app/mainwindow.h"
#include "common/reporter.h"
#include "support/testdb.h"
#include "support/testwindow.h"

#include <QAbstractButton>
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTabWidget>
#include <QTableWidget>
#include <QTreeWidget>
#include <QUrl>
#include <gtest/gtest.h>

namespace {

bool survivesGbk(const QString &text)
{
    QStringEncoder encode("GBK");
    QStringDecoder decode("GBK");
    if (!encode.isValid() || !decode.isValid())
        return false;
    const QByteArray bytes = encode(text);
    const QString back = decode(bytes);
    return !encode.hasError() && back == text;
}

QStringList visibleTexts(QWidget &root)
{
    QStringList texts;
    for (auto *label : root.findChildren<QLabel *>())
        texts << label->text() << label->toolTip();
    for (auto *button : root.findChildren<QAbstractButton *>())
        texts << button->text() << button->toolTip();
    for (auto *action : root.findChildren<QAction *>())
        texts << action->text() << action->toolTip();
    for (auto *edit : root.findChildren<QLineEdit *>())
        texts << edit->text();
    for (auto *tabs : root.findChildren<QTabWidget *>())
        for (int i = 0; i < tabs->count(); ++i)
            texts << tabs->tabText(i);
    for (auto *tree : root.findChildren<QTreeWidget *>())
        for (QTreeWidgetItemIterator it(tree); *it; ++it)
            texts << (*it)->text(0);
    for (auto *grid : root.findChildren<QTableWidget *>())
        for (int r = 0; r < grid->rowCount(); ++r)
            for (int c = 0; c < grid->columnCount(); ++c)
                if (const QTableWidgetItem *item = grid->item(r, c))
                    texts << item->text();
    texts << root.windowTitle();
    texts.removeAll(QString());
    return texts;
}

} // namespace

TEST(GbkCaptions, TheGbkCodecIsAvailable)
{
    ASSERT_TRUE(survivesGbk(QStringLiteral("五金手册")));
    EXPECT_FALSE(survivesGbk(QStringLiteral("🔩")));
}

TEST(GbkCaptions, EveryTextOfEveryPageEncodesToGbk)
{
    mhbk::test::TestDatabaseCopy db;
    mhbk::RecordingReporter reporter;
    auto owner = mhbk::test::makeMainWindow(reporter, db.path());
    mhbk::MainWindow &window = *owner;
    for (int page = 0; page < 52; ++page)
        window.selectPage(page); // fills grids and builds workbook and sheet pages

    int checked = 0;
    for (const QString &text : visibleTexts(window)) {
        EXPECT_TRUE(survivesGbk(text)) << text.toStdString();
        ++checked;
    }
    for (const auto &entry : reporter.entries()) {
        EXPECT_TRUE(survivesGbk(entry.text)) << entry.text.toStdString();
    }
    EXPECT_GT(checked, 100);
}
