#pragma once

#include <QColor>
#include <QLabel>
#include <functional>

class QUrl;

namespace mhbk {

// A label that behaves as a hyperlink: coloured and underlined under the mouse, keeping the
// click colour once clicked, and asking the desktop to open its command.
class LinkLabel : public QLabel {
    Q_OBJECT
public:
    explicit LinkLabel(QWidget *parent = nullptr);

    QString Command;
    QColor MouseEnterColor{0, 0, 255};
    QColor MouseClickColor{0, 128, 0};

    void setOpener(std::function<void(const QUrl &)> opener) { opener_ = std::move(opener); }
    QColor textColour() const;

protected:
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void setLook(const QColor &colour, bool underline);

    QColor remembered_;
    std::function<void(const QUrl &)> opener_;
};

} // namespace mhbk
