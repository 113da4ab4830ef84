// A find that walks every row, or the whole text, of the largest document without a match.
#include "GeneratedConfig.h"
#include "core/ConfigText.h"
#include "core/Search.h"

#include <benchmark/benchmark.h>

namespace {

const QString Key = QStringLiteral("NO SUCH SETTING ANYWHERE");

void BM_FindNoMatch(benchmark::State& state)
{
    const QList<Row> rows =
        ConfigText::parseLines(ConfigText::ReadFileLines(GenerateConfigText(65000)));
    for (auto _ : state)
        benchmark::DoNotOptimize(Search::findRow(rows, -1, Key));
    state.counters["rows"] = static_cast<double>(rows.size());
}
BENCHMARK(BM_FindNoMatch)->Unit(benchmark::kMillisecond);

void BM_FindTextNoMatch(benchmark::State& state)
{
    const QString text = GenerateConfigText(65000);
    for (auto _ : state)
        benchmark::DoNotOptimize(Search::FindText(text, 0, Key).start);
}
BENCHMARK(BM_FindTextNoMatch)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
