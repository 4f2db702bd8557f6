// Search latency over the whole handbook: for each query of a list, the time the index takes to
// answer it against a plain linear scan of the same entries with the same matching rule, run
// alternately in one process. Reports the median query and the worst query of each side.
//
// Usage: search_bench SYSTEM_DAT [ROUNDS]   (last lines: the ratios)
#include "support/benchtiming.h"
#include "data/database.h"
#include "search/handbookindex.h"
#include "search/handbooksources.h"

#include <QCoreApplication>
#include <cstdio>
#include <optional>
#include <vector>

namespace {

using mhbk::search::HandbookIndex;

// What estimators type, whole and part-way through typing, so prefixes and broad words count.
const char *const kQueries[] = {
    "I20a", "工20a", "20a工字钢", "[16a", "槽16a", "L50×5", "∠50*5", "L63×40×5", "DN100", "Φ89×4", "89*4",
    "钢板 10", "圆钢 12", "六角 24", "铜 密度", "马力", "英寸", "1", "2", "5", "8", "L5", "Φ1", "DN", "dn2",
    "工字钢", "槽钢", "钢管", "钢", "无缝钢管 108", "不锈钢", "焊接", "花纹钢板 4", "扁钢 20×5", "0.5", "12.6",
    "毫米", "公式", "保温", "zz", "3", "L", "[", "I",
};

using mhbk::bench::median;

template <typename Find>
double timeUs(Find find, std::size_t &sink)
{
    return mhbk::bench::elapsedMs([&] { sink += find().size(); }) * 1e3;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: search_bench SYSTEM_DAT [ROUNDS]\n");
        return 2;
    }
    const int rounds = mhbk::bench::countArgument(argc, argv, 2, 50);
    mhbk::HandbookDatabase database(QString::fromLocal8Bit(argv[1]));
    database.setReadOnly(true);
    std::optional<HandbookIndex> built;
    const double buildMs = mhbk::bench::elapsedMs([&] { built.emplace(mhbk::search::buildHandbookIndex(database)); });
    const HandbookIndex &index = *built;

    std::size_t sink = 0;
    std::vector<double> ours, peer;
    std::printf("| query | results | index (µs) | plain scan (µs) | ratio |\n|---|---:|---:|---:|---:|\n");
    for (const char *text : kQueries) {
        const QString query = QString::fromUtf8(text);
        std::vector<double> a, b;
        for (int round = 0; round < rounds; ++round) {
            a.push_back(timeUs([&] { return index.find(query); }, sink));
            b.push_back(timeUs([&] { return mhbk::search::linearFind(index.entries(), query); }, sink));
        }
        ours.push_back(median(a));
        peer.push_back(median(b));
        std::printf("| %s | %zu | %.1f | %.1f | %.2f |\n", text, index.find(query).size(), ours.back(), peer.back(),
                    ours.back() / peer.back());
    }
    const double oursMedian = median(ours), peerMedian = median(peer);
    const double oursWorst = *std::max_element(ours.begin(), ours.end());
    const double peerWorst = *std::max_element(peer.begin(), peer.end());
    std::printf("entries: %zu, index built in %.1f ms, %zu queries x %d rounds (checksum %zu)\n", index.entries().size(),
                buildMs, ours.size(), rounds, sink);
    std::printf("median query: index %.1f µs, plain scan %.1f µs\n", oursMedian, peerMedian);
    std::printf("worst query: index %.1f µs, plain scan %.1f µs\n", oursWorst, peerWorst);
    std::printf("ratio search median query / plain scan: %.2f\n", oursMedian / peerMedian);
    std::printf("ratio search worst query / plain scan: %.2f\n", oursWorst / peerWorst);
    return 0;
}
