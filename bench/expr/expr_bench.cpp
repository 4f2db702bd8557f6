// What the "=" key costs: scan, parse and evaluate one expression from scratch, against
// muparser doing the same (SetExpr + Eval) on the same expressions in the same run.
#include "expr/vbsengine.h"

#include <QString>
#include <benchmark/benchmark.h>
#include <muParser.h>

#include <string>
#include <vector>

namespace {

struct ExpressionPair {
    const char *vbscript;
    const char *muparser; // the same computation in muparser's function names
};

const ExpressionPair kExpressions[] = {
    {"1+2", "1+2"},
    {"7/2", "7/2"},
    {"10/3*3.14159", "10/3*3.14159"},
    {"sqr(2)*3", "sqrt(2)*3"},
    {"(1.5+2.25)*4-3/2", "(1.5+2.25)*4-3/2"},
    {"3.14159*12.5^2/4", "3.14159*12.5^2/4"},
    {"sin(3)+cos(0.5)", "sin(3)+cos(0.5)"},
    {"abs(-12.5)*2+exp(1)", "abs(-12.5)*2+exp(1)"},
    {"round(2.5)+log(10)", "rint(2.5)+ln(10)"},
    {"0.616539*2*1000/7.85", "0.616539*2*1000/7.85"},
    {"((1+2)*(3+4))/(5-6)^2", "((1+2)*(3+4))/(5-6)^2"},
    {"atn(1)*4", "atan(1)*4"},
    {"tan(0.3)*25.4-(12/7)", "tan(0.3)*25.4-(12/7)"},
    {"1.233078*2", "1.233078*2"},
};

void BM_Vbs(benchmark::State &state)
{
    std::vector<QString> texts;
    for (const ExpressionPair &pair : kExpressions)
        texts.push_back(QString::fromLatin1(pair.vbscript));
    for (auto _ : state) {
        for (const QString &text : texts)
            benchmark::DoNotOptimize(mhbk::vbs::evaluate(text).doubleValue());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<long>(texts.size()));
}
BENCHMARK(BM_Vbs);

void BM_MuParser(benchmark::State &state)
{
    std::vector<std::string> texts;
    for (const ExpressionPair &pair : kExpressions)
        texts.emplace_back(pair.muparser);
    mu::Parser parser;
    for (auto _ : state) {
        for (const std::string &text : texts) {
            parser.SetExpr(text);
            benchmark::DoNotOptimize(parser.Eval());
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<long>(texts.size()));
}
BENCHMARK(BM_MuParser);

// One expression at a time, to see where either side spends its time.
void BM_VbsSingle(benchmark::State &state)
{
    const QString text = QString::fromLatin1(kExpressions[state.range(0)].vbscript);
    for (auto _ : state)
        benchmark::DoNotOptimize(mhbk::vbs::evaluate(text).doubleValue());
}
BENCHMARK(BM_VbsSingle)->DenseRange(0, static_cast<int>(std::size(kExpressions)) - 1);

void BM_MuParserSingle(benchmark::State &state)
{
    const std::string text = kExpressions[state.range(0)].muparser;
    mu::Parser parser;
    for (auto _ : state) {
        parser.SetExpr(text);
        benchmark::DoNotOptimize(parser.Eval());
    }
}
BENCHMARK(BM_MuParserSingle)->DenseRange(0, static_cast<int>(std::size(kExpressions)) - 1);

} // namespace

BENCHMARK_MAIN();
