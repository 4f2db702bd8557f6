#include "takeoff/ui/takeoffinstall.h"

#include "common/guarded.h"
#include "common/pagehost.h"
#include "common/pageregistry.h"
#include "takeoff/ui/takeoffdock.h"

#include <QBoxLayout>
#include <QDir>
#include <QMainWindow>
#include <QMenu>
#include <QShortcut>
#include <QToolButton>

namespace mhbk::takeoff {

namespace {

QToolButton *barButton(const char *name, const QString &caption, const QString &hint, QWidget *parent)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setText(caption);
    button->setToolTip(hint);
    button->setAutoRaise(true);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    // The focus stays where it is: the table row the user picked is what gets added.
    button->setFocusPolicy(Qt::NoFocus);
    button->setMinimumHeight(22);
    return button;
}


void addToMenu(QMenu &menu, QAction *action)
{
    QAction *before = nullptr;
    for (QAction *existing : menu.actions()) {
        if (existing->objectName() == QLatin1String("miHelp"))
            before = existing;
    }
    menu.insertAction(before, action);
    menu.insertSeparator(before);
}

} // namespace

TakeoffDock *installTakeoff(PageHost &host, QMainWindow &window, QMenu &popupMenu, QBoxLayout &barPlace)
{
    const QString folder = host.userDataFolder();
    auto *dock = new TakeoffDock(host.reporter(), folder.isEmpty() ? QString() : QDir(folder).filePath(QStringLiteral("takeoff.mhbkl")),
                                 &window);
    window.addDockWidget(Qt::BottomDockWidgetArea, dock);
    dock->hide();
    dock->setOfferings([&host](int page) { return host.pageServices(page).takeoff; });
    host.addUnsavedWork(dock, -1);

    auto *add = barButton("sbAddToList", QStringLiteral("加入清单"), QStringLiteral("加入清单 (Ctrl+Enter)"), &window);
    auto *open = barButton("sbTakeoffList", QStringLiteral("工程量清单"), QStringLiteral("显示或隐藏工程量清单 (Ctrl+L)"),
                           &window);
    barPlace.addSpacing(12);
    barPlace.addWidget(add);
    barPlace.addWidget(open);
    Reporter &reporter = host.reporter();
    connectGuarded(add, &QToolButton::clicked, dock, reporter, [dock] { dock->addFromActivePage(); });
    QAction *toggle = dock->toggleViewAction();
    toggle->setText(QStringLiteral("工程量清单(&L)"));
    toggle->setObjectName(QStringLiteral("miTakeoff"));
    toggle->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
    window.addAction(toggle); // the key works with the menu closed
    open->setCheckable(true);
    QObject::connect(toggle, &QAction::toggled, open, &QToolButton::setChecked);
    QObject::connect(open, &QToolButton::clicked, toggle, &QAction::trigger);
    addToMenu(popupMenu, toggle);

    for (const QKeySequence &keys : {QKeySequence(Qt::CTRL | Qt::Key_Return), QKeySequence(Qt::CTRL | Qt::Key_Enter)}) {
        auto *shortcut = new QShortcut(keys, &window);
        shortcut->setContext(Qt::WindowShortcut);
        connectGuarded(shortcut, &QShortcut::activated, dock, reporter, [dock] {
            if (dock->activePageOffers())
                dock->addFromActivePage();
        });
    }
    for (const PageEntry &entry : pages::all()) {
        host.addShowHandler(entry.index, [dock, add, index = entry.index] {
            dock->setActivePage(index);
            add->setEnabled(dock->activePageOffers());
        });
    }
    return dock;
}

} // namespace mhbk::takeoff
