// The designation field answers on every keystroke: for each designation of a list, every prefix
// of it (as typed, one character more each time) is read and answered from the real tables, and
// timed against a plain regular-expression split of the same prefix, run alternately in one
// process. Reports the median and worst keystroke of each side; a frame is 16 ms.
//
// Usage: designation_bench SYSTEM_DAT [ROUNDS]   (last lines: the figures)
#include "support/benchtiming.h"
#include "data/database.h"
#include "designation/calculator.h"
#include "designation/databaserows.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <algorithm>
#include <cstdio>
#include <optional>
#include <vector>

namespace {

const char *const kTyped[] = {
    "HN400×200", "H400×200×8×13", "HK300×300(308×305×9.9×15.4)", "TN200×200", "2[20a", "20a#工字钢", "L63*6",
    "∠100×63×8", "□200×100×6", "Φ219×8", "PL10×200×1000", "-10×200", "C160×60×20×2.5", "Z200×70×20×2.5",
    "H500~800×400/300×16×22/20", "焊接H型钢400×200×8×12", "Ｈ４００×２００", "龙骨400",
};

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: designation_bench SYSTEM_DAT [ROUNDS]\n");
        return 2;
    }
    const int rounds = mhbk::bench::countArgument(argc, argv, 2, 20);
    mhbk::HandbookDatabase database(QString::fromLocal8Bit(argv[1]));
    database.setReadOnly(true);
    std::optional<mhbk::designation::DatabaseRows> loaded;
    const double loadMs = mhbk::bench::elapsedMs([&] { loaded.emplace(database); });
    const mhbk::designation::DatabaseRows &rows = *loaded;
    const QRegularExpression split(QStringLiteral("[×xX*]"));

    std::vector<double> ours, floor;
    QString slowest;
    double slowestMs = 0;
    int overFrame = 0;
    std::size_t sink = 0;
    for (int round = 0; round < rounds; ++round) {
        for (const char *text : kTyped) {
            const QString whole = QString::fromUtf8(text);
            for (qsizetype n = 1; n <= whole.size(); ++n) {
                const QString typed = whole.left(n);
                ours.push_back(mhbk::bench::elapsedMs([&] {
                    const auto result = mhbk::designation::answerFor(typed, rows);
                    sink += result.answer ? result.answer->weightText.size() : result.error.size();
                }));
                overFrame += ours.back() > 16 ? 1 : 0;
                if (ours.back() > slowestMs) {
                    slowestMs = ours.back();
                    slowest = QStringLiteral("%1 (round %2)").arg(typed).arg(round + 1);
                }
                floor.push_back(mhbk::bench::elapsedMs([&] { sink += typed.split(split).size(); }));
            }
        }
    }
    // The worst keystroke, and the 99th percentile: on a shared machine one run may be descheduled.
    std::vector<double> sorted = ours;
    std::sort(sorted.begin(), sorted.end());
    const double worst = sorted.back();
    const double p99 = sorted[sorted.size() * 99 / 100];
    std::printf("tables read once: %.1f ms\n", loadMs);
    std::printf("keystrokes: %zu (sink %zu)\n", ours.size(), sink);
    std::printf("per keystroke, median: designation %.4f ms, plain split %.4f ms\n", mhbk::bench::median(ours),
                mhbk::bench::median(floor));
    std::printf("per keystroke, 99th percentile: designation %.3f ms; worst %.3f ms (one frame is 16 ms)\n", p99, worst);
    std::printf("slowest keystroke: %s; keystrokes over one frame: %d\n", qPrintable(slowest), overFrame);
    std::printf("ratio designation median keystroke / plain split: %.1f\n", mhbk::bench::median(ours) / mhbk::bench::median(floor));
    return 0;
}
