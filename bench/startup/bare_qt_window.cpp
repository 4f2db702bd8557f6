#include <QApplication>
#include <QMainWindow>
#include <QPixmap>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.resize(646, 503);
    window.show();
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
    const QString file = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("/dev/null");
    return window.grab().save(file, "PNG") ? 0 : 1;
}
