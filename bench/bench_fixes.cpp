// A quick fix on the worst file (every line a problem, of every kind) in the real window: the
// fixes of a misspelt name found, the one offered applied, the check run again at once and the
// window painted, as the fix's menu item does it.
#include "BenchSupport.h"
#include "WorstConfig.h"

#include "core/Codepage.h"
#include "core/ConfigDocument.h"
#include "core/DocumentEdits.h"
#include "core/EditingState.h"
#include "core/QuickFixes.h"
#include "ui/DocumentViews.h"
#include "ui/FileCommands.h"
#include "ui/MainWindow.h"
#include "ui/ProblemsPane.h"

#include <QApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr int LargestFile = 65000;
// The worst file's second line is a misspelt name with a suggestion.
constexpr int MisspeltLine = 2;

struct Fixture {
    QTemporaryDir folder;
    NullDialogs dialogs;
    std::unique_ptr<EditingState> read =
        EditingState::read(QStringLiteral(DRACFG_BUILD_BIN_DIR "/DraCFG.mdb"));
    const EditingState& state = *read; // the window's, once it owns it
    MainWindow window{dialogs, QStringLiteral(DRACFG_BUILD_BIN_DIR), std::move(read)};
    QString source = folder.filePath(QStringLiteral("worst.cfg"));

    Fixture()
    {
        PrepareWindow(window, source,
                      Codepage::encodeWindows1252(GenerateWorstConfigText(LargestFile)).value());
    }

    void open(bool textView)
    {
        window.views().SetView(textView);
        if (!window.files().LoadDocument(source))
            qFatal("cannot load %s", qPrintable(source));
        window.problems().recheck();
        QApplication::processEvents();
    }

    QuickFixes::Fix misspeltNameFix()
    {
        ProblemsPane& pane = window.problems();
        pane.checkPending();
        for (const ProblemCheck::Problem& problem : pane.problemsOn(MisspeltLine)) {
            const QList<QuickFixes::Fix> fixes = QuickFixes::fixesFor(
                problem, pane.checkedLines(), state.everyVersion(), state.serverVersion());
            if (problem.code == QLatin1String("unknown-setting") && fixes.size() == 1)
                return fixes.first();
        }
        qFatal("line %d offers no fix", MisspeltLine);
    }
};

Fixture* fixture = nullptr;

void Run(benchmark::State& state, bool textView)
{
    fixture->open(textView);
    ConfigDocument& document = fixture->window.document();
    for (auto _ : state) {
        const QuickFixes::Fix fix = fixture->misspeltNameFix();
        DocumentEdits(document).changeLines(fix.changes, fix.stepName);
        fixture->window.problems().recheck();
        QApplication::processEvents();
        QApplication::processEvents();
        state.PauseTiming();
        document.undo();
        fixture->window.problems().recheck();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}

void BM_QuickFixInText(benchmark::State& state)
{
    Run(state, true);
}
BENCHMARK(BM_QuickFixInText)->Unit(benchmark::kMillisecond);

void BM_QuickFixInList(benchmark::State& state)
{
    Run(state, false);
}
BENCHMARK(BM_QuickFixInList)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    const WindowBenchEnvironment environment;
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    Fixture made;
    fixture = &made;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
