// Renders both sheet windows to PNG files, for looking at them without a display:
//   QT_QPA_PLATFORM=offscreen mhbk_sheets_render OUTDIR
#include "common/reporter.h"
#include "sheets/sheetgrid.h"
#include "sheets/sheetwindows.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QString outDir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();
    mhbk::RecordingReporter reporter;
    for (int page : {5, 6}) {
        QWidget host;
        host.resize(510, 380);
        QWidget *sheet = mhbk::createSheetWindow(page, &host, reporter);
        auto *grid = sheet->findChild<mhbk::sheets::SheetGrid *>();
        grid->setCell(1, 1, QStringLiteral("10"));
        grid->setCell(1, 2, QStringLiteral("2.5"));
        grid->setGridCell(1, 3);
        host.show();
        app.processEvents();
        host.grab().save(QDir(outDir).filePath(QStringLiteral("sheet-page%1.png").arg(page)));
    }
    return 0;
}
