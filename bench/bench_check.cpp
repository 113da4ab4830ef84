// The problem check of the largest document the editor accepts against a catalogue of 5,000
// settings, beside a baseline measured in the same run: one walk over the same lines that
// splits each into its name and value and upper-cases the name, as the check itself does
// first, with no catalogue look-up at all. What the check costs beyond the baseline is the
// look-ups, the value checks and the messages.
#include "GeneratedConfig.h"
#include "core/ConfigText.h"
#include "core/ProblemCheck.h"
#include "core/SettingLookup.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int DocumentBytes = 65000;
constexpr int CatalogueSettings = 5000;

const QStringList& DocumentLines()
{
    static const QStringList lines = ConfigText::ReadFileLines(GenerateConfigText(DocumentBytes));
    return lines;
}

CatalogueRow Setting(const QString& name, const char* type, const char* choices, const char* note)
{
    return CatalogueRow{{QStringLiteral("Category"), name, QStringLiteral("5"),
                         QLatin1Char('#') + name, QString::fromLatin1(type),
                         QString::fromLatin1(choices), QString::fromLatin1(note),
                         QStringLiteral("d")}};
}

// The document's own twelve names, of every value type, among generated ones; some of the
// latter introduced after the chosen version. The document then has every kind of problem:
// values out of range, words where numbers belong, unknown names with tabs in them, and
// hundreds of repeated settings.
const VersionedCatalogue& Catalogue5000()
{
    static const VersionedCatalogue catalogue = [] {
        QList<CatalogueRow> rows{
            Setting(QStringLiteral("CACHE_PAGES"), "number", "", "1 to 4096, default 64"),
            Setting(QStringLiteral("LOCK_TIMEOUT"), "number", "", "0 to 3600"),
            Setting(QStringLiteral("TEMP_DIRECTORY"), "string", "", ""),
            Setting(QStringLiteral("SERVER_NAME"), "string", "", ""),
            Setting(QStringLiteral("MAX_USERS"), "number", "", "1 to 10000"),
            Setting(QStringLiteral("LOG_FILE"), "string", "", ""),
            Setting(QStringLiteral("SORT_MEMORY"), "multiple", "_SMALL|_LARGE", ""),
            Setting(QStringLiteral("CHECKPOINT_INTERVAL"), "number", "", "default 300"),
            Setting(QStringLiteral("NETWORK_BUFFER"), "number", "", "512 to 65536"),
            Setting(QStringLiteral("DEADLOCK_SCAN"), "boolean", "ON|OFF", ""),
            Setting(QStringLiteral("PAGE_SIZE"), "combo", "1024|2048|4096|8192", ""),
            Setting(QStringLiteral("AUDIT_LEVEL"), "null", "", "")};
        while (rows.size() < CatalogueSettings) {
            const int i = static_cast<int>(rows.size());
            rows.append(Setting(QStringLiteral("SETTING_%1").arg(i, 4, 10, QLatin1Char('0')),
                                "number", "", "1 to 4096"));
        }
        VersionedCatalogue result;
        for (qsizetype i = 0; i < rows.size(); ++i)
            result.introduced.append(i % 10 == 9 ? 6.0f : 5.0f);
        result.settings.replace(rows);
        return result;
    }();
    return catalogue;
}

void BM_NameWalkBaseline(benchmark::State& state)
{
    const QStringList& lines = DocumentLines();
    for (auto _ : state) {
        qsizetype names = 0;
        for (qsizetype i = 0; i < lines.size(); ++i) {
            const Row row = ConfigText::parseLine(lines.at(i), i + 1);
            if (row.Setting.isEmpty() || row.Setting.startsWith(u';'))
                continue;
            benchmark::DoNotOptimize(SettingLookup::nameForRow(row.Setting));
            ++names;
        }
        benchmark::DoNotOptimize(names);
    }
}
BENCHMARK(BM_NameWalkBaseline)->Unit(benchmark::kMillisecond);

// Everything the window does at each re-check, the look-up index included.
void BM_Check5000(benchmark::State& state)
{
    qsizetype problems = 0;
    for (auto _ : state) {
        const QList<ProblemCheck::Problem> found =
            ProblemCheck::check(DocumentLines(), Catalogue5000(), 5.5f);
        problems = found.size();
        benchmark::DoNotOptimize(found);
    }
    state.counters["lines"] = static_cast<double>(DocumentLines().size());
    state.counters["problems"] = static_cast<double>(problems);
}
BENCHMARK(BM_Check5000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
