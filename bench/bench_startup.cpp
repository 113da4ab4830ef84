// Start-up to the shown main window (the splash wait excluded) against a comparable plain
// window (ComparableWindow.h), on the demo catalogue and server installation of the build tree.
// In one process the font database is filled once for both: memory_probe measures the cold
// start.
#include "BenchSupport.h"
#include "ComparableWindow.h"
#include "app/Startup.h"
#include "ui/MainWindow.h"

#include <QMainWindow>
#include <QTemporaryDir>
#include <chrono>
#include <memory>

namespace {

void PrepareEnvironment()
{
    static QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    qputenv("KELMPATH", DRACFG_DEMO_SERVER_DIR);
}

// The size the editor shows itself at on a first start here.
QSize EditorWindowSize()
{
    static const QSize size = [] {
        PrepareEnvironment();
        NullDialogs dialogs;
        Startup::Options options;
        options.splashMilliseconds = 0;
        const auto window = Startup::run(dialogs, QStringLiteral(DRACFG_BUILD_BIN_DIR), options);
        return window ? window->size() : QSize();
    }();
    return size;
}

// The editor and the comparable window take turns in one loop, each timed on its own from the
// call to the window shown: this machine's speed swings for seconds at a time, and a baseline
// measured in other seconds moved the ratio by a third. The editor's time is the benchmark's,
// the comparable window's the counter ComparableWindow_ms. Closing either is no part of
// starting up and is left out.
void BM_StartupToShownWindow(benchmark::State& state)
{
    using Clock = std::chrono::steady_clock;
    const QSize size = EditorWindowSize();
    PrepareEnvironment();
    NullDialogs dialogs;
    Startup::Options options;
    options.splashMilliseconds = 0;
    double comparableSeconds = 0;
    bool comparableFirst = true;
    for (auto _ : state) {
        double editorSeconds = 0;
        for (const bool comparable : {comparableFirst, !comparableFirst}) {
            const Clock::time_point start = Clock::now();
            std::unique_ptr<QMainWindow> window =
                comparable ? ShowComparableWindow(size)
                           : Startup::run(dialogs, QStringLiteral(DRACFG_BUILD_BIN_DIR), options);
            QCoreApplication::processEvents();
            (comparable ? comparableSeconds : editorSeconds) +=
                std::chrono::duration<double>(Clock::now() - start).count();
            if (!window) {
                state.SkipWithError(comparable ? "the demo configuration file could not be read"
                                               : "start-up failed");
                return;
            }
            window.reset();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
        comparableFirst = !comparableFirst;
        state.SetIterationTime(editorSeconds);
    }
    state.counters["ComparableWindow_ms"] =
        benchmark::Counter(comparableSeconds * 1e3, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_StartupToShownWindow)->Unit(benchmark::kMillisecond)->UseManualTime();

} // namespace

DRACFG_BENCHMARK_WIDGETS_MAIN()
