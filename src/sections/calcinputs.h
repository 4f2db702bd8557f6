#pragma once

#include "common/guarded.h"

#include <QObject>
#include <QString>
#include <functional>

class QLineEdit;
class QWidget;

namespace mhbk {

class Reporter;

// The key filter of every calculator input (NumberKeyFilter): only digits, the first "." and
// backspace can be typed; other characters, control characters such as the clipboard shortcuts
// included, are discarded. Caret movement and Delete still work, and Enter runs the input's
// trigger: nothing on these pages is computed any other way. An error escaping the trigger goes
// to the general error report.
class NumberKeyFilter : public QObject {
    Q_OBJECT
public:
    NumberKeyFilter(QLineEdit *edit, Reporter &reporter, std::function<void()> onEnter);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLineEdit *edit_;
    Reporter &reporter_;
    std::function<void()> onEnter_;
};

// A named calculator input with the key filter and an Enter trigger.
QLineEdit *makeNumericInput(QWidget *parent, const QString &objectName, Reporter &reporter,
                            std::function<void()> onEnter);

// A named read-only result field on the grey scroll-bar colour; Ctrl+C and its context menu
// copy the number, or the number with `unit`.
QLineEdit *makeOutputEdit(QWidget *parent, const QString &objectName, const QString &unit = QString());


} // namespace mhbk
