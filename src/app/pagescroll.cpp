#include "app/pagescroll.h"

#include <QScrollBar>
#include <algorithm>

namespace mhbk {

PageScrollArea::PageScrollArea(QWidget *page, QWidget *parent) : QScrollArea(parent)
{
    setObjectName(QStringLiteral("scroll_") + page->objectName());
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(true);
    setFocusPolicy(Qt::NoFocus);
    setWidget(page);
}

QSize PageScrollArea::pageMinimumSize() const
{
    const QWidget *page = widget();
    QSize size = page->minimumSizeHint().expandedTo(page->minimumSize()).expandedTo(QSize(0, 0));
    // Wrapped text takes more lines the narrower the page: its height at the width the page
    // gets is what is needed.
    if (page->hasHeightForWidth())
        size.setHeight(std::max(size.height(), page->heightForWidth(std::max(size.width(), maximumViewportSize().width()))));
    return size;
}

void PageScrollArea::reveal(QWidget *focused)
{
    if (!focused || !widget() || !widget()->isAncestorOf(focused))
        return;
    const QRect visible = viewport()->rect();
    const QRect field(focused->mapTo(viewport(), QPoint(0, 0)), focused->size());
    if (visible.contains(field))
        return;
    const bool larger = field.width() > visible.width() || field.height() > visible.height();
    if (larger && visible.intersects(field))
        return;
    ensureWidgetVisible(focused, 8, 8);
}

PageScrollArea *pageScrollAreaOf(QWidget *widget)
{
    for (QWidget *w = widget; w; w = w->parentWidget())
        if (auto *area = qobject_cast<PageScrollArea *>(w))
            return area;
    return nullptr;
}

} // namespace mhbk
