// First fill of every table page: the time selectPage(i) takes the first time a page is shown
// in a fresh main window, against a plain QTableWidget filled with the same table's rows read
// by a raw QSqlQuery. Both read the same file over an already open connection.
//
// Usage: tablefill_bench SYSTEM_DAT [RUNS]   (prints a markdown table; last line: the total ratio)
#include "support/benchtiming.h"
#include "support/benchwindow.h"
#include "common/pageregistry.h"
#include "data/database.h"
#include "data/datasets.h"
#include "reference/editablegrid.h"
#include "reference/formulapage.h"
#include "sections/sectionpages.h"

#include <QApplication>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTableWidget>
#include <cstdio>
#include <map>
#include <memory>
#include <vector>

namespace {

using mhbk::bench::elapsedMs;
using mhbk::bench::median;

std::unique_ptr<mhbk::MainWindow> windowWithOpenDatabase(mhbk::Reporter &reporter, const QString &database)
{
    auto window = mhbk::bench::freshWindow(reporter, database);
    window->database().connection(); // opened outside the measurement, as for the peer
    return window;
}

// The peer: every field of every record into a plain table widget.
double peerFillMs(QSqlDatabase &db, const QString &table)
{
    QTableWidget grid;
    return elapsedMs([&] {
        QSqlQuery query(db);
        query.setForwardOnly(true);
        query.exec(QStringLiteral("SELECT * FROM \"%1\"").arg(table));
        const int fields = query.record().count();
        grid.setColumnCount(fields);
        int row = 0;
        while (query.next()) {
            grid.setRowCount(row + 1);
            for (int f = 0; f < fields; ++f)
                grid.setItem(row, f, new QTableWidgetItem(query.value(f).toString()));
            ++row;
        }
    });
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: tablefill_bench SYSTEM_DAT [RUNS]\n");
        return 2;
    }
    const QString database = QString::fromLocal8Bit(argv[1]);
    const int runs = mhbk::bench::countArgument(argc, argv, 2, 5);

    // The pages that fill a grid from a table, as their subsystems describe them.
    std::map<int, QString> tablePages;
    for (const auto *description : {&mhbk::reference::unitPageDescription(), &mhbk::reference::densityPageDescription()})
        tablePages[mhbk::pages::indexOf(description->page)] = description->tableName;
    tablePages[mhbk::pages::indexOf(mhbk::reference::FormulaPage::kPage)] = QString::fromLatin1(mhbk::reference::FormulaPage::kTableName);
    for (const auto &[page, table] : mhbk::sectionPageTables())
        tablePages[mhbk::pages::indexOf(page)] = table;

    std::map<int, std::vector<double>> ours, peer;
    for (int run = 0; run < runs; ++run) {
        mhbk::RecordingReporter reporter;
        auto window = windowWithOpenDatabase(reporter, database);
        for (const auto &[page, table] : tablePages)
            ours[page].push_back(elapsedMs([&] { window->selectPage(page); }));
        if (!reporter.empty())
            std::fprintf(stderr, "warning: the window reported: %s\n", qPrintable(reporter.last().text));
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("peer%1").arg(run));
        db.setDatabaseName(database);
        db.open();
        for (const auto &[page, table] : tablePages)
            peer[page].push_back(peerFillMs(db, table));
        db.close();
    }

    std::printf("| page | table | rows | mhbk first fill (ms) | QTableWidget + QSqlQuery (ms) | ratio |\n");
    std::printf("|---:|---|---:|---:|---:|---:|\n");
    double totalOurs = 0, totalPeer = 0;
    mhbk::HandbookDatabase counted(database);
    mhbk::TableDataset table(counted);
    for (const auto &[page, name] : tablePages) {
        table.open(name);
        const double a = median(ours[page]), b = median(peer[page]);
        totalOurs += a;
        totalPeer += b;
        std::printf("| %d | %s | %d | %.2f | %.2f | %.2f |\n", page, qPrintable(name), table.recordCount(), a, b, a / b);
    }
    std::printf("| all %zu | | | %.1f | %.1f | %.2f |\n", tablePages.size(), totalOurs, totalPeer, totalOurs / totalPeer);
    std::printf("ratio table pages first fill / plain QTableWidget: %.2f\n", totalOurs / totalPeer);
    return 0;
}
