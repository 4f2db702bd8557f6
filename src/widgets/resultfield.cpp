#include "widgets/resultfield.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <memory>

namespace mhbk {

namespace {

void copyText(const QString &text)
{
    if (!text.isEmpty())
        QApplication::clipboard()->setText(text);
}

} // namespace

QString numberWithUnit(const QString &number, const QString &unit)
{
    return unit.isEmpty() || number.isEmpty() ? number : number + QLatin1Char(' ') + unit;
}

ResultFieldActions::ResultFieldActions(QLineEdit *edit, QString unit) : QObject(edit), edit_(edit), unit_(std::move(unit))
{
    setObjectName(QStringLiteral("ResultFieldActions"));
    edit->installEventFilter(this);
}

QMenu *ResultFieldActions::makeMenu(QWidget *parent) const
{
    auto *menu = new QMenu(parent);
    menu->setObjectName(QStringLiteral("ResultFieldMenu"));
    const QString number = edit_->text();
    const QString selected = edit_->selectedText();
    QAction *copy = menu->addAction(QStringLiteral("复制(&C)"), menu, [number, selected] {
        copyText(selected.isEmpty() ? number : selected);
    });
    copy->setObjectName(QStringLiteral("ResultCopy"));
    QAction *withUnit = menu->addAction(QStringLiteral("复制（带单位）(&U)"), menu, [text = numberWithUnit(number, unit_)] {
        copyText(text);
    });
    withUnit->setObjectName(QStringLiteral("ResultCopyWithUnit"));
    menu->addSeparator();
    QAction *all = menu->addAction(QStringLiteral("全选(&A)"), menu, [edit = edit_] { edit->selectAll(); });
    all->setObjectName(QStringLiteral("ResultSelectAll"));
    copy->setEnabled(!number.isEmpty());
    withUnit->setEnabled(!number.isEmpty());
    all->setEnabled(!number.isEmpty());
    return menu;
}

bool ResultFieldActions::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != edit_)
        return QObject::eventFilter(watched, event);
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(event)->matches(QKeySequence::Copy)
        && !edit_->hasSelectedText()) {
        copyText(edit_->text());
        return true;
    }
    if (event->type() == QEvent::ContextMenu) {
        std::unique_ptr<QMenu> menu(makeMenu(edit_));
        menu->exec(static_cast<QContextMenuEvent *>(event)->globalPos());
        return true;
    }
    return QObject::eventFilter(watched, event);
}

ResultFieldActions *addResultFieldActions(QLineEdit *edit, const QString &unit)
{
    return new ResultFieldActions(edit, unit);
}

} // namespace mhbk
