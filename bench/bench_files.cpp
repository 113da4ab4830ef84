// Loading, switching views and saving the largest file the editor opens (65,000 bytes) in a
// real main window, each figure beside a baseline measured in the same run; the ratios are
// printed after the table. Saves go to the temporary folder (TMPDIR), whose disk decides
// the cost of the flush that both the baseline and the editor make.
#include "BenchSupport.h"
#include "GeneratedConfig.h"

#include "core/CatalogueTable.h"
#include "core/Codepage.h"
#include "ui/Dialogs.h"
#include "ui/DocumentViews.h"
#include "ui/FileCommands.h"
#include "ui/MainWindow.h"

#include <QApplication>
#include <QFile>
#include <QPlainTextEdit>
#include <QSaveFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <iomanip>
#include <map>
#include <memory>
#include <string>

namespace {

constexpr int LargestFile = 65000;

struct Bench {
    QTemporaryDir folder;
    NullDialogs dialogs;
    MainWindow window{dialogs, QStringLiteral(DRACFG_BUILD_BIN_DIR), CatalogueTable{}};
    QString text = GenerateConfigText(LargestFile);
    QByteArray bytes = Codepage::encodeWindows1252(text).value();
    QString source = folder.filePath(QStringLiteral("source.cfg"));
    QString target = folder.filePath(QStringLiteral("target.cfg"));

    Bench()
    {
        QFile file(source);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(source));
        window.load();
        window.resize(1000, 700);
        window.show();
    }

    // The file loaded afresh with one view showing: the other holds the raw file's form,
    // so a switch has real converting to do.
    void loadInto(bool textView)
    {
        window.views().SetView(textView);
        if (!window.files().LoadDocument(source))
            qFatal("cannot load %s", qPrintable(source));
        QApplication::processEvents();
    }
};

Bench* bench = nullptr;

void BM_SetPlainTextBaseline(benchmark::State& state)
{
    bench->window.views().SetView(true);
    auto* textView = bench->window.findChild<QPlainTextEdit*>(QStringLiteral("txtTextBox"));
    for (auto _ : state)
        textView->setPlainText(bench->text);
}
BENCHMARK(BM_SetPlainTextBaseline)->Unit(benchmark::kMillisecond);

void BM_LoadDocument(benchmark::State& state)
{
    bench->window.views().SetView(true);
    for (auto _ : state)
        bench->window.files().LoadDocument(bench->source);
}
BENCHMARK(BM_LoadDocument)->Unit(benchmark::kMillisecond);

void BM_ListToText(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        bench->loadInto(false);
        state.ResumeTiming();
        bench->window.views().textViewCommand();
    }
}
BENCHMARK(BM_ListToText)->Unit(benchmark::kMillisecond);

void BM_TextToList(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        bench->loadInto(true);
        state.ResumeTiming();
        bench->window.views().listViewCommand();
    }
}
BENCHMARK(BM_TextToList)->Unit(benchmark::kMillisecond);

void BM_QSaveFileBaseline(benchmark::State& state)
{
    for (auto _ : state) {
        QSaveFile file(bench->target);
        if (!file.open(QIODevice::WriteOnly) || file.write(bench->bytes) != bench->bytes.size() ||
            !file.commit())
            state.SkipWithError("QSaveFile failed");
    }
}
BENCHMARK(BM_QSaveFileBaseline)->Unit(benchmark::kMillisecond);

void BM_SaveFromListView(benchmark::State& state)
{
    bench->loadInto(false);
    for (auto _ : state) {
        if (!bench->window.files().WriteDocument(bench->target))
            state.SkipWithError("WriteDocument failed");
    }
}
BENCHMARK(BM_SaveFromListView)->Unit(benchmark::kMillisecond);

// The console table, then each measured figure as a ratio to its baseline (wall-clock times).
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        // With repetitions the median stands for the benchmark; it is reported last.
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration || run.aggregate_name == "median")
                m_realTimes[run.run_name.str()] = run.GetAdjustedRealTime();
        }
        ConsoleReporter::ReportRuns(runs);
    }

    void Finalize() override
    {
        printRatio("BM_LoadDocument", "BM_SetPlainTextBaseline");
        printRatio("BM_ListToText", "BM_SetPlainTextBaseline");
        printRatio("BM_TextToList", "BM_SetPlainTextBaseline");
        printRatio("BM_SaveFromListView", "BM_QSaveFileBaseline");
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
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The window reads and writes preferences: keep them away from the user's own.
    QTemporaryDir configHome;
    qputenv("XDG_CONFIG_HOME", configHome.path().toLocal8Bit());
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    Bench fixture;
    bench = &fixture;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
