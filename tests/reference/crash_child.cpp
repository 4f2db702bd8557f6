// Saves two large density lists in turn, forever, until its parent kills it. A watcher thread
// waits until save number ROUND (or, had it slipped by, a later one) is inside its transaction
// with at least JOURNAL_BYTES in its rollback journal, says "inside <round>" on stdout and stops
// the whole process there, so that the parent's kill lands inside that transaction.
//   mhbk_reference_crash_child DATABASE FIRST_COUNT SECOND_COUNT ROUND JOURNAL_BYTES
#include "data/database.h"
#include "data/datasets.h"
#include "reference/itemsave.h"
#include "refdb.h"

#include <QCoreApplication>
#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <thread>

namespace {

// The journal's size, or -1 while there is none: it exists only inside a write transaction.
long long journalSize(const std::filesystem::path &journal)
{
    std::error_code error;
    const auto size = std::filesystem::file_size(journal, error);
    return error ? -1 : static_cast<long long>(size);
}

void stopInsideTheSave(const std::atomic<int> &round, int target, long long minBytes, std::filesystem::path journal)
{
    for (;;) {
        const int now = round.load();
        if (now > target)
            target = now; // that save ended unseen; the one under way will do
        // The round read again: the journal seen belongs to this save, not to the next one.
        if (now == target && journalSize(journal) >= minBytes && round.load() == now) {
            std::printf("inside %d\n", now);
            std::fflush(stdout);
            std::raise(SIGSTOP); // every thread stops: the save stays where it is
            return;
        }
        std::this_thread::yield();
    }
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 6)
        return 2;
    const QString path = QString::fromLocal8Bit(argv[1]);
    const auto first = mhbk::test::makeItems(QStringLiteral("a"), std::atoi(argv[2]), 2);
    const auto second = mhbk::test::makeItems(QStringLiteral("b"), std::atoi(argv[3]), 2);
    mhbk::HandbookDatabase db(path);
    mhbk::TableDataset table(db);
    table.open(QStringLiteral("constdensity"));

    std::atomic<int> round{-1};
    std::thread(stopInsideTheSave, std::cref(round), std::atoi(argv[4]), std::atoll(argv[5]),
                std::filesystem::path(std::string(argv[1]) + "-journal"))
        .detach();
    for (int r = 0;; ++r) {
        round.store(r);
        mhbk::reference::saveItems(table, 2, r % 2 == 0 ? first : second);
    }
}
