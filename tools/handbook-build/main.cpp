// Builds System.dat from the handbook's text sources:
//   mhbk-handbook-build <handbook folder> <output System.dat>
#include "builder.h"
#include "csvsource.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: mhbk-handbook-build <handbook folder> <output System.dat>\n");
        return 2;
    }
    QElapsedTimer timer;
    timer.start();
    try {
        const mhbk::handbook::BuildSummary summary = mhbk::handbook::buildHandbook(args[1], args[2]);
        for (const QString &note : summary.notes)
            std::fprintf(stderr, "note: %s\n", qPrintable(note));
        std::printf("%s: %d tables, %d records, %lld ms\n", qPrintable(args[2]), summary.tables, summary.rows,
                    static_cast<long long>(timer.elapsed()));
        return 0;
    } catch (const mhbk::handbook::SourceError &e) {
        std::fprintf(stderr, "%s\n", e.message().toLocal8Bit().constData());
    } catch (const std::exception &e) {
        std::fprintf(stderr, "error: %s\n", e.what());
    }
    return 1;
}
