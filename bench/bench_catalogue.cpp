// Loading the catalogue and building the Settings Explorer in both modes, on the demo catalogue
// and on a generated one of 5,000 settings in 200 categories, each beside a bare walk over the
// settings table of the same catalogue (a large catalogue costs more to read, whatever the
// editor does with it), for the large one timed in the same loop; the ratios are printed after
// the table.
#include "BenchSupport.h"
#include "GeneratedCatalogue.h"
#include "RatioReporter.h"
#include "core/CatalogueTable.h"
#include "core/EditingState.h"
#include "ui/Dialogs.h"
#include "ui/MainWindow.h"
#include "ui/SettingsExplorer.h"

#include <QApplication>
#include <QLineEdit>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QVariant>
#include <benchmark/benchmark.h>
#include <limits>

namespace {

// One walk over every field of every settings row; false when the table could not be read.
bool WalkSettings(const QString& path)
{
    int rows = 0;
    WithDatabase(path, QStringLiteral("bench.walk"), true, [&](QSqlDatabase& db) {
        QSqlQuery query(db);
        query.setForwardOnly(true);
        if (!query.exec(QStringLiteral("Select * From CFGSettings")))
            return false;
        const int fields = query.record().count();
        while (query.next()) {
            for (int field = 0; field < fields; ++field)
                benchmark::DoNotOptimize(query.value(field).toString());
            ++rows;
        }
        return true;
    });
    return rows > 0;
}

void SelectWalk(benchmark::State& state, const QString& path)
{
    for (auto _ : state) {
        if (!WalkSettings(path))
            state.SkipWithError("the settings table could not be read");
    }
}

// The main window as the program builds it, shown, with the catalogue loaded into it afresh
// at every iteration. With `besideWalk`, timed in turns with a bare walk over the same table
// (TimeInTurns), the counter SelectWalk_ms.
void LoadAndBuild(benchmark::State& state, const QString& path, bool byCategory,
                  bool besideWalk = false)
{
    NullDialogs dialogs;
    MainWindow window(dialogs, QStringLiteral(DRACFG_BUILD_BIN_DIR),
                      EditingState::read(QStringLiteral(DRACFG_BUILD_BIN_DIR "/DraCFG.mdb")));
    window.resize(800, 600);
    window.show();
    SettingsExplorer& explorer = window.explorer();
    const auto load = [&] {
        QString error;
        if (!window.editingState().load(path, &error))
            return error;
        explorer.BuildSettingsTree(byCategory);
        return QString();
    };
    if (besideWalk) {
        TimeInTurns(state, "SelectWalk_ms", load, [&] {
            return WalkSettings(path) ? QString()
                                      : QStringLiteral("the settings table could not be read");
        });
    } else {
        for (auto _ : state) {
            if (const QString error = load(); !error.isEmpty()) {
                state.SkipWithError(error.toStdString().c_str());
                break;
            }
        }
    }
    state.counters["settings"] = window.catalogue().size();
    state.counters["nodes"] = explorer.nodeCount();
}

void BM_SelectWalkBaseline(benchmark::State& state)
{
    SelectWalk(state, DemoCatalogue());
}
BENCHMARK(BM_SelectWalkBaseline)->Unit(benchmark::kMillisecond);

void BM_LoadAndBuildByCategory(benchmark::State& state)
{
    LoadAndBuild(state, DemoCatalogue(), true);
}
BENCHMARK(BM_LoadAndBuildByCategory)->Unit(benchmark::kMillisecond);

void BM_LoadAndBuildAlphabetical(benchmark::State& state)
{
    LoadAndBuild(state, DemoCatalogue(), false);
}
BENCHMARK(BM_LoadAndBuildAlphabetical)->Unit(benchmark::kMillisecond);

void BM_LoadAndBuildByCategory5000(benchmark::State& state)
{
    LoadAndBuild(state, GeneratedCatalogue(), true, true);
}
BENCHMARK(BM_LoadAndBuildByCategory5000)->Unit(benchmark::kMillisecond)->UseManualTime();

void BM_LoadAndBuildAlphabetical5000(benchmark::State& state)
{
    LoadAndBuild(state, GeneratedCatalogue(), false, true);
}
BENCHMARK(BM_LoadAndBuildAlphabetical5000)->Unit(benchmark::kMillisecond)->UseManualTime();

// Key strokes into the Settings Explorer's filter box over the 5,000 settings, each answered
// to the repainted tree: a name typed letter by letter, taken back and cleared. The baseline
// types the same into a box that filters nothing, in the same window.
const QStringList FilterStrokes = [] {
    const QString name = QStringLiteral("SETTING_123");
    QStringList strokes;
    for (qsizetype i = 1; i <= name.size(); ++i)
        strokes << name.left(i);
    for (qsizetype i = name.size() - 1; i >= 0; --i)
        strokes << name.left(i);
    return strokes;
}();

void TypeIntoBox(benchmark::State& state, bool filterBox)
{
    NullDialogs dialogs;
    MainWindow window(dialogs, QStringLiteral(DRACFG_BUILD_BIN_DIR),
                      EditingState::read(QStringLiteral(DRACFG_BUILD_BIN_DIR "/DraCFG.mdb")));
    if (!UseGeneratedCatalogue(window.editingState(), state))
        return;
    window.explorer().BuildSettingsTree(true);
    window.resize(800, 600);
    window.show();
    auto* filter = window.findChild<QLineEdit*>(QStringLiteral("txtFilter"));
    QLineEdit plain(&window);
    plain.show();
    QLineEdit* box = filterBox ? filter : &plain;
    QCoreApplication::processEvents();
    qsizetype stroke = 0;
    for (auto _ : state) {
        box->setText(FilterStrokes.at(stroke++ % FilterStrokes.size()));
        QCoreApplication::processEvents();
    }
    state.counters["nodes"] = window.explorer().nodeCount();
}

void BM_TypingBaseline5000(benchmark::State& state)
{
    TypeIntoBox(state, false);
}
BENCHMARK(BM_TypingBaseline5000)->Unit(benchmark::kMillisecond);

void BM_FilterKeystroke5000(benchmark::State& state)
{
    TypeIntoBox(state, true);
}
BENCHMARK(BM_FilterKeystroke5000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    // The offscreen platform's notices about window hints would break up the table.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    // Each build as a ratio to its baseline, and the large builds in milliseconds.
    RatioReporter reporter(
        {{"BM_LoadAndBuildByCategory", "BM_SelectWalkBaseline", 3},
         {"BM_LoadAndBuildAlphabetical", "BM_SelectWalkBaseline", 3},
         {"BM_LoadAndBuildByCategory5000", "BM_LoadAndBuildByCategory5000:SelectWalk_ms", 2},
         {"BM_LoadAndBuildAlphabetical5000", "BM_LoadAndBuildAlphabetical5000:SelectWalk_ms", 2}},
        {{"BM_LoadAndBuildByCategory5000", 50}, {"BM_LoadAndBuildAlphabetical5000", 50}});
    return reporter.run(argc, argv);
}
