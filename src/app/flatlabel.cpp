#include "app/flatlabel.h"

#include <QDesktopServices>
#include <QMouseEvent>
#include <QUrl>

namespace mhbk {

LinkLabel::LinkLabel(QWidget *parent) : QLabel(parent)
{
    setCursor(Qt::PointingHandCursor);
    remembered_ = palette().color(QPalette::WindowText);
}

QColor LinkLabel::textColour() const
{
    return palette().color(QPalette::WindowText);
}

void LinkLabel::setLook(const QColor &colour, bool underline)
{
    QPalette p = palette();
    p.setColor(QPalette::WindowText, colour);
    setPalette(p);
    QFont f = font();
    f.setUnderline(underline);
    setFont(f);
}

void LinkLabel::enterEvent(QEnterEvent *event)
{
    QLabel::enterEvent(event);
    remembered_ = textColour();
    setLook(MouseEnterColor, true);
}

void LinkLabel::leaveEvent(QEvent *event)
{
    QLabel::leaveEvent(event);
    setLook(remembered_, false);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent *event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton || !rect().contains(event->position().toPoint()))
        return;
    remembered_ = MouseClickColor;
    if (Command.isEmpty())
        return;
    const QUrl url = QUrl::fromUserInput(Command);
    if (opener_)
        opener_(url);
    else
        QDesktopServices::openUrl(url);
}

} // namespace mhbk
