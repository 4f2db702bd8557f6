// A table page shown while another connection holds the database in an exclusive transaction:
// the time selectPage(i) takes until the page has met the lock and reported it, against the
// same page's first showing in an unlocked copy. Each run uses a fresh main window.
//
// Usage: lockwait_bench SYSTEM_DAT [RUNS]   (prints a markdown table; last line: the ratio)
#include "support/benchtiming.h"
#include "support/benchwindow.h"

#include <QApplication>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <cstdio>
#include <vector>

namespace {

// Table pages of three kinds: a block grid, a weight table and a plain table.
constexpr int kPages[] = {7, 11, 24};

// Milliseconds selectPage takes in a fresh window; `reported` tells whether the page said anything.
double showPageMs(const QString &database, int page, bool &reported)
{
    mhbk::RecordingReporter reporter;
    auto window = mhbk::bench::freshWindow(reporter, database);
    const double ms = mhbk::bench::elapsedMs([&] { window->selectPage(page); });
    reported = !reporter.empty();
    return ms;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: lockwait_bench SYSTEM_DAT [RUNS]\n");
        return 2;
    }
    const int runs = mhbk::bench::countArgument(argc, argv, 2, 3);
    QTemporaryDir dir;
    const QString database = dir.filePath(QStringLiteral("System.dat"));
    if (!QFile::copy(QString::fromLocal8Bit(argv[1]), database)) {
        std::fprintf(stderr, "cannot copy %s\n", argv[1]);
        return 2;
    }

    std::printf("| page | unlocked first showing (ms) | under a lock, until reported (ms) | ratio |\n");
    std::printf("|---:|---:|---:|---:|\n");
    double totalLocked = 0, totalFree = 0;
    for (int page : kPages) {
        std::vector<double> free, locked;
        for (int run = 0; run < runs; ++run) {
            bool reported = false;
            free.push_back(showPageMs(database, page, reported));
            if (reported)
                std::fprintf(stderr, "warning: page %d reported without a lock\n", page);

            QSqlDatabase holder = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("holder"));
            holder.setDatabaseName(database);
            holder.open();
            QSqlQuery(holder).exec(QStringLiteral("BEGIN EXCLUSIVE"));
            locked.push_back(showPageMs(database, page, reported));
            if (!reported)
                std::fprintf(stderr, "warning: page %d met the lock without a report\n", page);
            QSqlQuery(holder).exec(QStringLiteral("ROLLBACK"));
            holder.close();
            holder = QSqlDatabase();
            QSqlDatabase::removeDatabase(QStringLiteral("holder"));
        }
        const double a = mhbk::bench::median(locked), b = mhbk::bench::median(free);
        totalLocked += a;
        totalFree += b;
        std::printf("| %d | %.1f | %.1f | %.1f |\n", page, b, a, a / b);
    }
    std::printf("ratio table page under a lock / unlocked: %.1f\n", totalLocked / totalFree);
    return 0;
}
