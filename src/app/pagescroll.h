#pragma once

#include <QScrollArea>

namespace mhbk {

// Holds one page in the page stack. The page keeps the size its layout wants as long as the
// window has room for it; on a smaller screen, or with the takeoff list docked below, the page
// scrolls instead of pushing the window past the screen's edge.
class PageScrollArea : public QScrollArea {
    Q_OBJECT
public:
    explicit PageScrollArea(QWidget *page, QWidget *parent = nullptr);

    QWidget *page() const { return widget(); }

    // The room the page asks for to be shown whole, without scroll bars, at the width it has now
    // or the least it needs.
    QSize pageMinimumSize() const;

    // Scrolls a field that got the keyboard focus into view, unless it is already in view or,
    // being taller or wider than the viewport, already partly in view (a table clicked into
    // must not jump away under the mouse).
    void reveal(QWidget *focused);
};

// The page whose scroll area holds this widget: the one to scroll to it, if any.
PageScrollArea *pageScrollAreaOf(QWidget *widget);

} // namespace mhbk
