#include "app/messageboxreporter.h"

#include <QMessageBox>
#include <QPushButton>

namespace mhbk {

namespace {

QMessageBox::Icon toBoxIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Information: return QMessageBox::Information;
    case MessageIcon::Warning: return QMessageBox::Warning;
    case MessageIcon::Critical: return QMessageBox::Critical;
    case MessageIcon::Question: return QMessageBox::Question;
    case MessageIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

void MessageBoxReporter::showMessage(const QString &text, const QString &caption, MessageIcon icon)
{
    QMessageBox box(toBoxIcon(icon), caption, text, QMessageBox::NoButton, owner_ ? owner_() : nullptr);
    box.addButton(QStringLiteral("确定"), QMessageBox::AcceptRole);
    box.exec();
}

Answer MessageBoxReporter::ask(const QString &text, const QString &caption, QuestionKind kind)
{
    QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::NoButton, owner_ ? owner_() : nullptr);
    if (kind == QuestionKind::YesNo) {
        QAbstractButton *yes = box.addButton(QStringLiteral("是(&Y)"), QMessageBox::YesRole);
        QPushButton *no = box.addButton(QStringLiteral("否(&N)"), QMessageBox::NoRole);
        box.setDefaultButton(no);
        box.setEscapeButton(no);
        box.exec();
        return box.clickedButton() == yes ? Answer::Yes : Answer::No;
    }
    QPushButton *save = box.addButton(QStringLiteral("保存(&S)"), QMessageBox::AcceptRole);
    QAbstractButton *discard = box.addButton(QStringLiteral("不保存(&N)"), QMessageBox::DestructiveRole);
    QAbstractButton *saveAll = nullptr, *discardAll = nullptr;
    if (kind == QuestionKind::SaveDiscardAllCancel) {
        saveAll = box.addButton(QStringLiteral("全部保存(&A)"), QMessageBox::AcceptRole);
        discardAll = box.addButton(QStringLiteral("全部不保存(&L)"), QMessageBox::DestructiveRole);
    }
    QPushButton *cancel = box.addButton(QStringLiteral("取消"), QMessageBox::RejectRole);
    box.setDefaultButton(save);
    box.setEscapeButton(cancel);
    box.exec();
    const QAbstractButton *clicked = box.clickedButton();
    if (clicked == save)
        return Answer::Save;
    if (clicked == discard)
        return Answer::Discard;
    if (clicked && clicked == saveAll)
        return Answer::SaveAll;
    return clicked && clicked == discardAll ? Answer::DiscardAll : Answer::Cancel;
}

} // namespace mhbk
