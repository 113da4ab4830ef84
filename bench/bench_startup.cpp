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

// Timed in turns with the comparable window (TimeInTurns), the counter ComparableWindow_ms,
// each from the call to the window shown. Closing either is no part of starting up and is left
// out.
void BM_StartupToShownWindow(benchmark::State& state)
{
    const QSize size = EditorWindowSize();
    PrepareEnvironment();
    NullDialogs dialogs;
    Startup::Options options;
    options.splashMilliseconds = 0;
    std::unique_ptr<QMainWindow> window;
    const auto shown = [&window](std::unique_ptr<QMainWindow> made, const char* failure) {
        QCoreApplication::processEvents();
        window = std::move(made);
        return window ? QString() : QString::fromLatin1(failure);
    };
    TimeInTurns(
        state, "ComparableWindow_ms",
        [&] {
            return shown(Startup::run(dialogs, QStringLiteral(DRACFG_BUILD_BIN_DIR), options),
                         "start-up failed");
        },
        [&] {
            return shown(ShowComparableWindow(size),
                         "the demo configuration file could not be read");
        },
        [](bool) {},
        [&window] {
            window.reset();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        });
}
BENCHMARK(BM_StartupToShownWindow)->Unit(benchmark::kMillisecond)->UseManualTime();

} // namespace

DRACFG_BENCHMARK_WIDGETS_MAIN()
