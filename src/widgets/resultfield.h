#pragma once

#include <QObject>
#include <QString>

class QLineEdit;
class QMenu;
class QWidget;

namespace mhbk {

// What a read-only result field offers besides showing its figure: Ctrl+C copies the whole
// number when nothing is selected (a selection is copied as it is), and the context menu holds
// 复制 (the number), 复制（带单位）(the number and its unit, "3.699234 kg") and 全选.
class ResultFieldActions : public QObject {
    Q_OBJECT
public:
    ResultFieldActions(QLineEdit *edit, QString unit);

    // The context menu for the field as it reads now; the caller shows and deletes it.
    QMenu *makeMenu(QWidget *parent) const;
    // The unit 复制（带单位）adds: what a page's copy and history say its figure is in.
    const QString &unit() const { return unit_; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLineEdit *edit_;
    QString unit_;
};

// Gives a result field the copy shortcut and menu; the actions belong to the field.
ResultFieldActions *addResultFieldActions(QLineEdit *edit, const QString &unit = QString());

// The number with its unit, as 复制（带单位）puts it on the clipboard; the bare number without a unit.
QString numberWithUnit(const QString &number, const QString &unit);

} // namespace mhbk
