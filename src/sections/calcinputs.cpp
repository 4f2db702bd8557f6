#include "sections/calcinputs.h"

#include "common/errors.h"
#include "common/reporter.h"
#include "widgets/resultfield.h"
#include "numbers/numtext.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace mhbk {

namespace {

// The light grey of every result field, so results read as outputs.
const QColor kScrollBarGrey{200, 200, 200};

// The character a key press would type, as the platform's character message gives it:
// nothing for keys that only move the caret or the focus.
std::optional<QChar> typedCharacter(const QKeyEvent &event)
{
    switch (event.key()) {
    case Qt::Key_Backspace: return QChar(8);
    case Qt::Key_Delete:
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return std::nullopt;
    default: break;
    }
    const bool control = event.modifiers().testFlag(Qt::ControlModifier);
    if (control && event.key() >= Qt::Key_A && event.key() <= Qt::Key_Z)
        return QChar(event.key() - Qt::Key_A + 1);
    if (!event.text().isEmpty())
        return event.text().front();
    if (control)
        return QChar(0x1f); // some other control combination: never a digit
    return std::nullopt;
}

} // namespace

NumberKeyFilter::NumberKeyFilter(QLineEdit *edit, Reporter &reporter, std::function<void()> onEnter)
    : QObject(edit), edit_(edit), reporter_(reporter), onEnter_(std::move(onEnter))
{
    setObjectName(QStringLiteral("Edit1KeyPress"));
    // A composing input method would bypass the key filter.
    edit->setAttribute(Qt::WA_InputMethodEnabled, false);
    edit->installEventFilter(this);
}

bool NumberKeyFilter::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != edit_ || event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    const auto &key = static_cast<const QKeyEvent &>(*event);
    if (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter) {
        if (onEnter_)
            runGuarded(reporter_, onEnter_);
        return true;
    }
    const auto typed = typedCharacter(key);
    if (!typed)
        return false;
    return !acceptsNumericKey(edit_->text(), *typed);
}

QLineEdit *makeNumericInput(QWidget *parent, const QString &objectName, Reporter &reporter,
                            std::function<void()> onEnter)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(objectName);
    new NumberKeyFilter(edit, reporter, std::move(onEnter));
    return edit;
}

QLineEdit *makeOutputEdit(QWidget *parent, const QString &objectName, const QString &unit)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(objectName);
    edit->setReadOnly(true);
    QPalette palette = edit->palette();
    palette.setColor(QPalette::Base, kScrollBarGrey);
    edit->setPalette(palette);
    addResultFieldActions(edit, unit);
    return edit;
}

} // namespace mhbk
