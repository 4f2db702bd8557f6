#include <QApplication>
#include <QMainWindow>
#include <QPixmap>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.resize(820, 600); // the size mhbk opens at
    window.setAttribute(Qt::WA_DontShowOnScreen); // as mhbk --screenshot does
    window.show();
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
    const QString file = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("/dev/null");
    return window.grab().save(file, "PNG", 80) ? 0 : 1; // as mhbk --screenshot saves
}
