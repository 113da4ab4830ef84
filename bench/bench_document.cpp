// The document core on the largest file the editor opens (65,000 bytes), each figure beside
// a baseline measured in the same run; the ratios are printed after the table.
#include "GeneratedConfig.h"

#include "core/Codepage.h"
#include "core/ConfigDocument.h"
#include "core/ConfigText.h"
#include "core/RowModel.h"

#include <QApplication>
#include <QPlainTextDocumentLayout>
#include <QPlainTextEdit>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <iomanip>
#include <map>
#include <string>

namespace {

constexpr int LargestFile = 65000;

const QString& configText()
{
    static const QString text = GenerateConfigText(LargestFile);
    return text;
}

const QByteArray& configBytes()
{
    static const QByteArray bytes = Codepage::encodeWindows1252(configText()).value();
    return bytes;
}

void BM_SplitBaseline(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(configText().split(QStringLiteral("\r\n")));
    state.SetBytesProcessed(state.iterations() * LargestFile);
}
BENCHMARK(BM_SplitBaseline)->Unit(benchmark::kMicrosecond);

void BM_ParseRender(benchmark::State& state)
{
    for (auto _ : state) {
        const QList<Row> rows = ConfigText::parseLines(ConfigText::ReadFileLines(configText()));
        benchmark::DoNotOptimize(ConfigText::TextFromLines(ConfigText::renderRows(rows)));
    }
    state.SetBytesProcessed(state.iterations() * LargestFile);
}
BENCHMARK(BM_ParseRender)->Unit(benchmark::kMicrosecond);

void BM_Decode(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(Codepage::decodeWindows1252(configBytes()));
    state.SetBytesProcessed(state.iterations() * LargestFile);
}
BENCHMARK(BM_Decode)->Unit(benchmark::kMicrosecond);

void BM_Encode(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(Codepage::encodeWindows1252(configText()));
    state.SetBytesProcessed(state.iterations() * LargestFile);
}
BENCHMARK(BM_Encode)->Unit(benchmark::kMicrosecond);

// The text view as the editor shows it: one shown QPlainTextEdit displaying the document.
struct TextViewFixture {
    ConfigDocument document;
    QPlainTextEdit textView;
    QPlainTextEdit baselineView;

    TextViewFixture()
    {
        QTextDocument& text = document.textDocument();
        text.setDocumentLayout(new QPlainTextDocumentLayout(&text));
        textView.setDocument(&text);
        for (QPlainTextEdit* view : {&textView, &baselineView}) {
            view->resize(800, 600);
            view->show();
        }
    }
};

void BM_SetPlainTextBaseline(benchmark::State& state)
{
    TextViewFixture fixture;
    for (auto _ : state)
        fixture.baselineView.setPlainText(configText());
}
BENCHMARK(BM_SetPlainTextBaseline)->Unit(benchmark::kMicrosecond);

void BM_SetText(benchmark::State& state)
{
    TextViewFixture fixture;
    for (auto _ : state)
        fixture.document.setText(configText());
}
BENCHMARK(BM_SetText)->Unit(benchmark::kMicrosecond);

void BM_ToPlainTextBaseline(benchmark::State& state)
{
    TextViewFixture fixture;
    fixture.baselineView.setPlainText(configText());
    for (auto _ : state)
        benchmark::DoNotOptimize(fixture.baselineView.toPlainText());
}
BENCHMARK(BM_ToPlainTextBaseline)->Unit(benchmark::kMicrosecond);

void BM_Text(benchmark::State& state)
{
    TextViewFixture fixture;
    fixture.document.setText(configText());
    for (auto _ : state)
        benchmark::DoNotOptimize(fixture.document.text());
}
BENCHMARK(BM_Text)->Unit(benchmark::kMicrosecond);

// The console table, then each measured figure as a ratio to its baseline; with
// --benchmark_repetitions the fastest repetition of each counts, which keeps the ratios
// steady on a busy machine.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs) {
            if (run.run_type != Run::RT_Iteration)
                continue;
            const auto [entry, added] =
                m_realTimes.try_emplace(run.run_name.function_name, run.GetAdjustedRealTime());
            if (!added)
                entry->second = std::min(entry->second, run.GetAdjustedRealTime());
        }
        ConsoleReporter::ReportRuns(runs);
    }

    void Finalize() override
    {
        printRatio("BM_ParseRender", "BM_SplitBaseline");
        printRatio("BM_SetText", "BM_SetPlainTextBaseline");
        printRatio("BM_Text", "BM_ToPlainTextBaseline");
        ConsoleReporter::Finalize();
    }

private:
    void printRatio(const std::string& measured, const std::string& baseline)
    {
        const auto figure = m_realTimes.find(measured);
        const auto base = m_realTimes.find(baseline);
        if (figure == m_realTimes.end() || base == m_realTimes.end() || base->second <= 0)
            return;
        GetOutputStream() << measured << " / " << baseline << " = " << std::fixed
                          << std::setprecision(2) << figure->second / base->second << "\n";
    }

    std::map<std::string, double> m_realTimes;
};

} // namespace

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
