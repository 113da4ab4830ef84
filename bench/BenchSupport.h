#pragma once

#include "ui/Dialogs.h"
#include "ui/MainWindow.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <chrono>

// An action and its baseline take turns in one loop, each timed on its own: this machine's speed
// swings for seconds at a time, and a baseline measured in other seconds moved a ratio by half.
// The action's time is the benchmark's (manual time), the baseline's the counter `counter`, in
// milliseconds. Each returns why it failed, or nothing. Untimed, `prepare(isBaseline)` runs
// before either and `afterEach` after it. An action done `times` over in each turn is timed once.
template <typename Action, typename Baseline, typename Prepare, typename After>
void TimeInTurns(benchmark::State& state, const char* counter, Action action, Baseline baseline,
                 Prepare prepare, After afterEach, int times = 1)
{
    using Clock = std::chrono::steady_clock;
    double baselineSeconds = 0;
    bool baselineFirst = true;
    for (auto _ : state) {
        double actionSeconds = 0;
        for (const bool isBaseline : {baselineFirst, !baselineFirst}) {
            prepare(isBaseline);
            const Clock::time_point start = Clock::now();
            const QString failure = isBaseline ? baseline() : action();
            (isBaseline ? baselineSeconds : actionSeconds) +=
                std::chrono::duration<double>(Clock::now() - start).count();
            afterEach();
            if (!failure.isEmpty()) {
                state.SkipWithError(failure.toStdString().c_str());
                return;
            }
        }
        baselineFirst = !baselineFirst;
        state.SetIterationTime(actionSeconds / times);
    }
    state.counters[counter] =
        benchmark::Counter(baselineSeconds * 1e3 / times, benchmark::Counter::kAvgIterations);
}

template <typename Action, typename Baseline>
void TimeInTurns(benchmark::State& state, const char* counter, Action action, Baseline baseline)
{
    TimeInTurns(
        state, counter, action, baseline, [](bool) {}, [] {});
}

// Answers every prompt with "cancel" so that a benchmark never waits on a window.
class NullDialogs final : public Dialogs {
public:
    QMessageBox::StandardButton message(QWidget*, const QString&, const QString& text,
                                        QMessageBox::Icon, QMessageBox::StandardButtons,
                                        QMessageBox::StandardButton) override
    {
        qWarning("%s", qPrintable(text));
        return QMessageBox::Cancel;
    }
    QString openFileName(QWidget*, const QString&, const QString&, const QString&) override
    {
        return {};
    }
    QString saveFileName(QWidget*, const QString&, const QString&, const QString&, const QString&,
                         const QString&) override
    {
        return {};
    }
    std::optional<QFont> chooseFont(QWidget*, const QFont&) override { return std::nullopt; }
    bool choosePrinter(QWidget*, QPrinter&, const QString&) override { return false; }
    void runModal(QDialog&) override {}
    bool openUrl(const QUrl&) override { return true; }
};

// A benchmark main for widget code: offscreen platform, one application object.
#define DRACFG_BENCHMARK_WIDGETS_MAIN()                                                            \
    int main(int argc, char** argv)                                                                \
    {                                                                                              \
        qputenv("QT_QPA_PLATFORM", "offscreen");                                                   \
        QApplication app(argc, argv);                                                              \
        benchmark::Initialize(&argc, argv);                                                        \
        benchmark::RunSpecifiedBenchmarks();                                                       \
        benchmark::Shutdown();                                                                     \
        return 0;                                                                                  \
    }

// A real main window offscreen, with preferences in a folder of its own, away from the user's.
struct WindowBenchEnvironment {
    QTemporaryDir configHome;
    WindowBenchEnvironment()
    {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        qputenv("XDG_CONFIG_HOME", configHome.path().toLocal8Bit());
    }
};

// The file a benchmark opens written, and the window it opens it in loaded and shown at the size
// every window benchmark uses.
inline void PrepareWindow(MainWindow& window, const QString& source, const QByteArray& bytes)
{
    QFile file(source);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(source));
    file.close();
    window.load();
    window.resize(1000, 700);
    window.show();
}
