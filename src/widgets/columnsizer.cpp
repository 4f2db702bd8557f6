#include "widgets/columnsizer.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QTableView>
#include <algorithm>

namespace mhbk {

namespace {
// How far from an edge, in pixels, the pointer still grabs it.
constexpr int kReach = 3;
} // namespace

ColumnSizer::ColumnSizer(QTableView &view) : QObject(&view), view_(view), viewport_(view.viewport())
{
    view.viewport()->setMouseTracking(true);
    view.viewport()->installEventFilter(this);
}

int ColumnSizer::edgeAt(int x) const
{
    // Right to left, so that where a narrow column's two edges are both in reach the pointer
    // takes the right one and a column squeezed to nothing can be pulled open again.
    for (int c = view_.model() ? view_.model()->columnCount() - 1 : -1; c >= 0; --c) {
        if (view_.isColumnHidden(c))
            continue;
        const int right = view_.columnViewportPosition(c) + view_.columnWidth(c);
        if (std::abs(x - right) <= kReach)
            return c;
        if (right < x - kReach)
            return -1;
    }
    return -1;
}

bool ColumnSizer::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != viewport_)
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        return mouse->button() == Qt::LeftButton && mousePress(mouse->position().toPoint().x());
    }
    case QEvent::MouseMove: {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        return mouseMove(mouse->position().toPoint().x(), mouse->buttons() & Qt::LeftButton);
    }
    case QEvent::MouseButtonRelease:
        if (column_ < 0)
            return false;
        column_ = -1;
        return true;
    case QEvent::MouseButtonDblClick:
        return mouseDoubleClick(static_cast<QMouseEvent *>(event)->position().toPoint().x());
    case QEvent::Leave:
        if (column_ < 0)
            view_.viewport()->unsetCursor();
        return false;
    default:
        return false;
    }
}

bool ColumnSizer::mousePress(int x)
{
    column_ = edgeAt(x);
    if (column_ < 0)
        return false;
    grabX_ = x;
    grabWidth_ = view_.columnWidth(column_);
    return true;
}

bool ColumnSizer::mouseMove(int x, bool buttonDown)
{
    if (column_ >= 0 && buttonDown) {
        const int least = view_.horizontalHeader()->minimumSectionSize();
        view_.setColumnWidth(column_, std::max(least, grabWidth_ + x - grabX_));
        return true;
    }
    if (edgeAt(x) >= 0)
        view_.viewport()->setCursor(Qt::SplitHCursor);
    else
        view_.viewport()->unsetCursor();
    return false;
}

bool ColumnSizer::mouseDoubleClick(int x)
{
    const int column = edgeAt(x);
    if (column < 0)
        return false;
    constexpr int kPadding = 8;
    view_.resizeColumnToContents(column);
    view_.setColumnWidth(column, view_.columnWidth(column) + kPadding);
    return true;
}

} // namespace mhbk
