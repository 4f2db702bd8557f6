#include "app/windowstate.h"

#include <QGuiApplication>
#include <QMainWindow>
#include <QScreen>
#include <QSettings>
#include <QSplitter>
#include <QStyle>
#include <algorithm>

namespace mhbk {

namespace {

const QString kGeometry = QStringLiteral("window/geometry");
const QString kSplitter = QStringLiteral("window/splitter");
const QString kPage = QStringLiteral("window/page");

// What the window manager adds around the window. Before the window is first shown it is not
// known yet: then room is kept for a title bar and thin borders.
QSize frameAllowance(const QWidget &window)
{
    const QSize known = window.frameGeometry().size() - window.geometry().size();
    if (known.width() > 0 || known.height() > 0)
        return known;
    constexpr int kBorder = 6;
    const int title = window.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &window);
    return QSize(2 * kBorder, title + 2 * kBorder);
}

// Where the window's own area (without the frame) may lie: the screen's free area less the
// frame, the title bar being on top. Empty without a screen.
QRect clientRoom(const QWidget &window)
{
    const QScreen *screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return {};
    const QSize frame = frameAllowance(window);
    const int side = frame.width() / 2;
    return screen->availableGeometry().adjusted(side, frame.height() - side, -side, -side);
}

void centre(QMainWindow &window)
{
    const QRect room = clientRoom(window);
    if (!room.isEmpty())
        window.setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, window.size(), room));
}

} // namespace

void fitOnScreen(QWidget &window)
{
    const QRect room = clientRoom(window);
    if (room.isEmpty() || window.isMaximized() || window.isFullScreen())
        return;
    QRect placed(window.geometry().topLeft(), window.size().boundedTo(room.size()).expandedTo(window.minimumSize()));
    // The title bar stays reachable: when the window cannot lie wholly on the screen, its
    // top-left corner does.
    if (placed.right() > room.right())
        placed.moveRight(room.right());
    if (placed.bottom() > room.bottom())
        placed.moveBottom(room.bottom());
    if (placed.left() < room.left())
        placed.moveLeft(room.left());
    if (placed.top() < room.top())
        placed.moveTop(room.top());
    window.setGeometry(placed);
}

int WindowStateFile::restore(QMainWindow &window, QSplitter &splitter) const
{
    if (path_.isEmpty()) {
        fitOnScreen(window);
        centre(window);
        return -1;
    }
    const QSettings stored(path_, QSettings::IniFormat);
    // A damaged or foreign entry is ignored: the window then opens as on a first start.
    if (!window.restoreGeometry(stored.value(kGeometry).toByteArray())) {
        fitOnScreen(window);
        centre(window);
        return -1;
    }
    // Kept on a larger screen, or with a screen since taken away: the window comes back whole
    // on the screen it now has.
    fitOnScreen(window);
    splitter.restoreState(stored.value(kSplitter).toByteArray());
    bool ok = false;
    const int page = stored.value(kPage).toInt(&ok);
    return ok ? page : -1;
}

void WindowStateFile::save(const QMainWindow &window, const QSplitter &splitter, int page) const
{
    if (path_.isEmpty())
        return;
    QSettings stored(path_, QSettings::IniFormat);
    stored.setValue(kGeometry, window.saveGeometry());
    stored.setValue(kSplitter, splitter.saveState());
    stored.setValue(kPage, page);
    stored.sync();
}

} // namespace mhbk
