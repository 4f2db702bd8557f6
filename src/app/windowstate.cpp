#include "app/windowstate.h"

#include <QGuiApplication>
#include <QMainWindow>
#include <QScreen>
#include <QSettings>
#include <QSplitter>
#include <QStyle>

namespace mhbk {

namespace {

const QString kGeometry = QStringLiteral("window/geometry");
const QString kSplitter = QStringLiteral("window/splitter");
const QString kPage = QStringLiteral("window/page");

void centre(QMainWindow &window)
{
    const QScreen *screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    window.setGeometry(
        QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, window.size(), screen->availableGeometry()));
}

} // namespace

int WindowStateFile::restore(QMainWindow &window, QSplitter &splitter) const
{
    if (path_.isEmpty()) {
        centre(window);
        return -1;
    }
    const QSettings stored(path_, QSettings::IniFormat);
    // A damaged or foreign entry is ignored: the window then opens as on a first start.
    if (!window.restoreGeometry(stored.value(kGeometry).toByteArray())) {
        centre(window);
        return -1;
    }
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
