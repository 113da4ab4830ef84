// Undo and Redo on the largest document (65,000 bytes) with a full history of 200 steps, in
// a real main window, beside the cost of the same kind of edit made by a text cursor alone.
#include "BenchSupport.h"
#include "GeneratedConfig.h"
#include "HistorySteps.h"

#include "core/CatalogueTable.h"
#include "core/Codepage.h"
#include "ui/FileCommands.h"

#include <QApplication>
#include <QPlainTextDocumentLayout>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr int LargestFile = 65000;
constexpr int Steps = 200;

struct Bench {
    QTemporaryDir folder;
    NullDialogs dialogs;
    MainWindow window{dialogs, QStringLiteral(DRACFG_BUILD_BIN_DIR),
                      EditingState::read(QStringLiteral(DRACFG_BUILD_BIN_DIR "/DraCFG.mdb"))};
    QString text = GenerateConfigText(LargestFile);
    QString source = folder.filePath(QStringLiteral("source.cfg"));

    Bench() { PrepareWindow(window, source, Codepage::encodeWindows1252(text).value()); }

    // A fresh load with a full history, ending in the view given.
    void prepare(bool listLast)
    {
        window.views().SetView(false);
        if (!window.files().LoadDocument(source))
            qFatal("cannot load %s", qPrintable(source));
        MakeHistorySteps(window, Steps, listLast);
        if (window.document().history().count() != Steps)
            qFatal("history holds %d steps", window.document().history().count());
    }
};

Bench* bench = nullptr;

// What any edit of the text costs without a history: one character in and out by a cursor.
void BM_CursorEditBaseline(benchmark::State& state)
{
    QTextDocument document;
    document.setUndoRedoEnabled(false);
    document.setDocumentLayout(new QPlainTextDocumentLayout(&document));
    QPlainTextEdit view;
    view.setDocument(&document);
    view.setPlainText(bench->text);
    view.resize(600, 400);
    view.show();
    const QTextBlock middle = document.findBlockByNumber(document.blockCount() / 2);
    for (auto _ : state) {
        QTextCursor cursor(middle);
        cursor.insertText(QStringLiteral("x"));
        cursor.deletePreviousChar();
        QCoreApplication::processEvents();
    }
}
BENCHMARK(BM_CursorEditBaseline)->Unit(benchmark::kMillisecond);

// Undo (or Redo) of the newest step, timed alone; the other direction restores the history.
void Run(benchmark::State& state, bool listLast, bool redo)
{
    bench->prepare(listLast);
    ConfigDocument& document = bench->window.document();
    if (redo)
        document.undo();
    for (auto _ : state) {
        redo ? document.redo() : document.undo();
        QCoreApplication::processEvents();
        state.PauseTiming();
        redo ? document.undo() : document.redo();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}

void BM_UndoInText(benchmark::State& state)
{
    Run(state, false, false);
}
BENCHMARK(BM_UndoInText)->Unit(benchmark::kMillisecond);

void BM_RedoInText(benchmark::State& state)
{
    Run(state, false, true);
}
BENCHMARK(BM_RedoInText)->Unit(benchmark::kMillisecond);

// The newest step was typed in the text: the list takes it as rows.
void BM_UndoInList(benchmark::State& state)
{
    Run(state, true, false);
}
BENCHMARK(BM_UndoInList)->Unit(benchmark::kMillisecond);

// Every step undone and redone, one after the other, in the list: the mean of one.
void BM_WholeHistoryInList(benchmark::State& state)
{
    bench->prepare(true);
    ConfigDocument& document = bench->window.document();
    for (auto _ : state) {
        while (document.history().canUndo())
            document.undo();
        while (document.history().canRedo())
            document.redo();
        QCoreApplication::processEvents();
    }
    state.SetItemsProcessed(state.iterations() * 2 * Steps);
}
BENCHMARK(BM_WholeHistoryInList)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    const WindowBenchEnvironment environment;
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    Bench fixture;
    bench = &fixture;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
