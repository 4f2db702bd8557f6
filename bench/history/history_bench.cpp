// What one calculation costs the history list: the entry added to the store, the list brought
// up to date, laid out and painted. Measured with an empty history and with a full one (the
// list is at its limit, so every addition also drops the oldest entry); the peer is a
// QListWidget refilled whole on each calculation, every row with its tooltip.
#include "support/benchtiming.h"
#include "common/reporter.h"
#include "expr/historypanel.h"
#include "history/historystore.h"

#include <QApplication>
#include <QListWidget>
#include <algorithm>
#include <cstdio>
#include <iterator>

namespace {

using mhbk::history::Entry;
using mhbk::history::HistoryStore;

Entry numbered(int i)
{
    return {QDateTime::currentDateTime(), mhbk::history::Kind::Expression,
            QStringLiteral("3.14159*12.5^2/4+%1").arg(i), QString::number(122.718 + i, 'f', 6), QString()};
}

void settle(QWidget &widget)
{
    QApplication::processEvents();
    widget.repaint();
}

struct Figures {
    double median = 0;
    double p90 = 0;
    double worst = 0;
};

Figures summarise(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    return {times[times.size() / 2], times[times.size() * 9 / 10], times.back()};
}

// The panel as the program has it, with `before` entries already there.
Figures ours(int before, int runs)
{
    HistoryStore store{QString()};
    for (int i = 0; i < before; ++i)
        store.add(numbered(i));
    mhbk::RecordingReporter reporter;
    mhbk::HistoryPanel panel(nullptr, store, reporter, [](const QString &) {});
    panel.resize(320, 480);
    panel.show();
    settle(panel);
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        times.push_back(mhbk::bench::elapsedMs([&] {
            store.add(numbered(before + i));
            settle(panel);
        }));
        if (before == 0) { // each run starts from an empty history again
            store.clear();
            settle(panel);
        } else if (store.entries().size() > static_cast<std::size_t>(before)) {
            store.clear(); // below the limit, back to the same count: each run adds the same row
            for (int k = 0; k < before; ++k)
                store.add(numbered(k));
            settle(panel);
        }
    }
    return summarise(times);
}

// The list refilled whole, every row with its tooltip and local time, on each calculation.
Figures rebuilt(int before, int runs)
{
    HistoryStore store{QString()};
    for (int i = 0; i < before; ++i)
        store.add(numbered(i));
    QListWidget list;
    list.resize(320, 480);
    list.show();
    const auto refill = [&] {
        list.clear();
        const auto &entries = store.entries();
        for (auto it = entries.rbegin(); it != entries.rend(); ++it) {
            auto *item = new QListWidgetItem(mhbk::history::entryText(*it), &list);
            item->setToolTip(it->time.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))
                             + QLatin1Char('\n') + mhbk::history::entryText(*it));
        }
    };
    refill();
    settle(list);
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        times.push_back(mhbk::bench::elapsedMs([&] {
            store.add(numbered(before + i));
            refill();
            settle(list);
        }));
        if (store.entries().size() > static_cast<std::size_t>(before)) {
            store.clear();
            for (int k = 0; k < before; ++k)
                store.add(numbered(k));
        }
    }
    return summarise(times);
}

void print(const char *what, int before, const Figures &f)
{
    std::printf("%-34s %5d entries: median %7.3f ms  p90 %7.3f ms  worst %7.3f ms\n", what, before, f.median, f.p90,
                f.worst);
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const int runs = mhbk::bench::countArgument(argc, argv, 1, 200);
    // An empty history paints one row; a screenful (50) paints as many rows as a full one.
    const int sizes[] = {0, 50, HistoryStore::kLimit};
    std::vector<Figures> model;
    std::vector<Figures> peer;
    for (int size : sizes) {
        model.push_back(ours(size, runs));
        peer.push_back(rebuilt(size, runs));
    }
    std::printf("One calculation in the history list (%d runs each)\n", runs);
    for (std::size_t i = 0; i < std::size(sizes); ++i)
        print("history list (model)", sizes[i], model[i]);
    for (std::size_t i = 0; i < std::size(sizes); ++i)
        print("peer: list refilled whole", sizes[i], peer[i]);
    std::printf("1000 entries / a screenful (median): ours %.2f, peer %.2f\n", model[2].median / model[1].median,
                peer[2].median / peer[1].median);
    return 0;
}
