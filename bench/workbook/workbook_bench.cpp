// mhbk_workbook_bench [--write-workbook <path>] [benchmark options]
// With --write-workbook it only writes the benchmark workbook (for the peer script) and exits.

#include "benchbook.h"
#include "workbooks/engine/workbookjson.h"

#include <QFile>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstring>

using namespace mhbk::wb;

namespace {

Workbook loaded()
{
    LoadError error;
    auto book = loadWorkbook(bench::benchWorkbookJson(), &error);
    if (!book) {
        std::fprintf(stderr, "%s\n", error.message.toUtf8().constData());
        std::abort();
    }
    return std::move(*book);
}

void BM_LoadAndRecalculate(benchmark::State &state)
{
    const QByteArray json = bench::benchWorkbookJson();
    for (auto _ : state) {
        LoadError error;
        auto book = loadWorkbook(json, &error);
        benchmark::DoNotOptimize(book->value(1, 0, 2));
    }
}
BENCHMARK(BM_LoadAndRecalculate)->Unit(benchmark::kMillisecond);

void BM_FullRecalculation(benchmark::State &state)
{
    Workbook book = loaded();
    for (auto _ : state) {
        book.recalculate();
        benchmark::DoNotOptimize(book.value(1, 0, 2));
    }
    state.counters["formulas"] = book.lastEvaluationCount();
}
BENCHMARK(BM_FullRecalculation)->Unit(benchmark::kMillisecond);

// Data!A500 feeds Calc!A500 and the running total from row 500 down: about 500 formulas.
void BM_EditOneCell(benchmark::State &state)
{
    Workbook book = loaded();
    int i = 0;
    for (auto _ : state) {
        book.setInput(0, 499, 0, QString::number(500 + (++i & 1)));
        benchmark::DoNotOptimize(book.value(1, 0, 2));
    }
    state.counters["formulas"] = book.lastEvaluationCount();
}
BENCHMARK(BM_EditOneCell)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--write-workbook") == 0) {
        QFile out(QString::fromLocal8Bit(argv[2]));
        if (!out.open(QIODevice::WriteOnly) || out.write(bench::benchWorkbookJson()) < 0)
            return 1;
        std::printf("C1=%s\n", loaded().displayText(1, 0, 2).toUtf8().constData());
        return 0;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
