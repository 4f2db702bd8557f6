#include "app/messageboxreporter.h"

#include <QMessageBox>

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

} // namespace mhbk
