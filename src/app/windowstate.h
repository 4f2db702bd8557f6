#pragma once

#include <QString>

class QMainWindow;
class QSplitter;
class QWidget;

namespace mhbk {

// The window's placement between runs: size and position, the tree's width and the page last
// shown, kept in a small settings file of the user's own.
class WindowStateFile {
public:
    explicit WindowStateFile(QString path) : path_(std::move(path)) {}

    // Applies what is stored and returns the stored page, or -1 when nothing is stored (then
    // the window is centred on its screen, as a first start should look).
    int restore(QMainWindow &window, QSplitter &splitter) const;
    void save(const QMainWindow &window, const QSplitter &splitter, int page) const;

private:
    QString path_;
};

// Makes a window that is not maximised no larger than its screen's free area (less the frame the
// window manager adds) and moves it wholly onto that area.
void fitOnScreen(QWidget &window);

} // namespace mhbk
