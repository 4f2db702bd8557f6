// Every menu the program shows can be worked from the keyboard: each command has an
// accelerator, and no two commands of one menu share one.
#include "app/mainwindow.h"
#include "common/pageregistry.h"
#include "common/reporter.h"
#include "widgets/resultfield.h"
#include "support/testdb.h"
#include "support/testwindow.h"
#include "workbooks/view/spreadsheetview.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <gtest/gtest.h>
#include <map>
#include <memory>

namespace {

// The letter Alt or the menu's own key press picks: the character after a single '&'.
QChar mnemonicOf(const QString &text)
{
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != QLatin1Char('&'))
            continue;
        if (text[i + 1] != QLatin1Char('&'))
            return text[i + 1].toUpper();
        ++i; // "&&" is a shown ampersand
    }
    return {};
}

TEST(Mnemonic, IsTheCharacterAfterASingleAmpersand)
{
    const struct {
        const char *text;
        QChar expected;
    } cases[] = {
        {"帮助(&H)", QLatin1Char('H')},         {"关于(&a)...", QLatin1Char('A')},
        {"&1 清单.mhbk", QLatin1Char('1')},     {"A && B(&C)", QLatin1Char('C')},
        {"A && B", QChar()},                    {"软件更新记录(N)...", QChar()},
        {"结尾&", QChar()},
    };
    for (const auto &c : cases)
        EXPECT_EQ(mnemonicOf(QString::fromUtf8(c.text)), c.expected) << c.text;
}

// What a menu lacks: commands without an accelerator, and accelerators used twice.
std::string faultsOf(const QMenu &menu)
{
    std::map<QChar, QString> seen;
    std::string faults;
    for (const QAction *action : menu.actions()) {
        if (action->isSeparator() || !action->isVisible())
            continue;
        const QString text = action->text();
        const QChar key = mnemonicOf(text);
        if (key.isNull())
            faults += "no accelerator: " + text.toStdString() + "; ";
        else if (const auto [it, fresh] = seen.emplace(key, text); !fresh)
            faults += "'" + QString(key).toStdString() + "' twice: " + it->second.toStdString() + ", " + text.toStdString() + "; ";
    }
    return faults;
}

// The menu and the menus it opens.
void collect(QMenu *menu, std::vector<QMenu *> &menus)
{
    menus.push_back(menu);
    for (QAction *action : menu->actions())
        if (action->menu())
            collect(action->menu(), menus);
}

class MenusTest : public ::testing::Test {
protected:
    mhbk::test::TestDatabaseCopy db;
    mhbk::RecordingReporter reporter;
};

TEST_F(MenusTest, EveryMenuHasUniqueAcceleratorsForEveryCommand)
{
    auto w = mhbk::test::makeMainWindow(reporter, db.path());
    w->show();
    // Every page once, so that each has built its fields and sheets with their own menus.
    for (const mhbk::PageEntry &entry : mhbk::pages::all())
        w->selectPage(entry.index);
    QApplication::processEvents();

    std::vector<std::pair<std::string, QMenu *>> menus;
    std::vector<QMenu *> popup;
    collect(w->popupMenu(), popup);
    for (QMenu *menu : popup)
        menus.emplace_back("popup menu " + menu->objectName().toStdString(), menu);
    for (QMenuBar *bar : w->findChildren<QMenuBar *>())
        for (QAction *action : bar->actions())
            if (action->menu())
                menus.emplace_back("menu bar " + action->text().toStdString(), action->menu());

    std::vector<std::unique_ptr<QMenu>> made;
    for (mhbk::view::SpreadsheetView *sheet : w->findChildren<mhbk::view::SpreadsheetView *>()) {
        made.push_back(std::make_unique<QMenu>());
        sheet->fillContextMenu(*made.back());
        menus.emplace_back("sheet " + sheet->objectName().toStdString(), made.back().get());
    }
    for (const mhbk::ResultFieldActions *field : w->findChildren<mhbk::ResultFieldActions *>()) {
        made.emplace_back(field->makeMenu(nullptr));
        menus.emplace_back("result field " + field->parent()->objectName().toStdString(), made.back().get());
    }
    ASSERT_GE(made.size(), 10u) << "the sheets and result fields were not found";

    // The window's own bar menu, with its page-independent commands, must be among them.
    EXPECT_EQ(faultsOf(*w->popupMenu()), "");
    for (const auto &[where, menu] : menus)
        EXPECT_EQ(faultsOf(*menu), "") << where;
    EXPECT_TRUE(reporter.empty());
}

} // namespace
