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

void BM_ComparableWindowShown(benchmark::State& state)
{
    const QSize size = EditorWindowSize();
    for (auto _ : state) {
        const auto window = ShowComparableWindow(size);
        QCoreApplication::processEvents();
        if (!window) {
            state.SkipWithError("the demo configuration file could not be read");
            break;
        }
        benchmark::DoNotOptimize(window->isVisible());
    }
}
BENCHMARK(BM_ComparableWindowShown)->Unit(benchmark::kMillisecond);

void BM_StartupToShownWindow(benchmark::State& state)
{
    PrepareEnvironment();
    NullDialogs dialogs;
    Startup::Options options;
    options.splashMilliseconds = 0;
    for (auto _ : state) {
        auto window = Startup::run(dialogs, QStringLiteral(DRACFG_BUILD_BIN_DIR), options);
        QCoreApplication::processEvents();
        if (!window) {
            state.SkipWithError("start-up failed");
            break;
        }
        benchmark::DoNotOptimize(window->isVisible());
    }
}
BENCHMARK(BM_StartupToShownWindow)->Unit(benchmark::kMillisecond);

} // namespace

DRACFG_BENCHMARK_WIDGETS_MAIN()
