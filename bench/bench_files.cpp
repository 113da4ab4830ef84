// Loading, switching views and saving the largest file the editor opens (65,000 bytes) in a
// real main window, each figure beside a baseline measured in the same run; the ratios are
// printed after the table. Saves go to the temporary folder (TMPDIR), whose disk decides
// the cost of the flush that both the baseline and the editor make, and once more to a
// folder in memory, where no flush hides the editor's own work.
#include "BenchSupport.h"
#include "GeneratedConfig.h"
#include "RatioReporter.h"

#include "core/CatalogueTable.h"
#include "core/Codepage.h"
#include "core/ConfigDocument.h"
#include "core/ConfigFile.h"
#include "ui/Dialogs.h"
#include "ui/DocumentViews.h"
#include "ui/FileCommands.h"
#include "ui/MainWindow.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QSaveFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

constexpr int LargestFile = 65000;

struct Bench {
    QTemporaryDir folder;
    QTemporaryDir memoryFolder{QStringLiteral("/dev/shm/dracfg-bench-XXXXXX")};
    NullDialogs dialogs;
    MainWindow window{dialogs, QStringLiteral(DRACFG_BUILD_BIN_DIR),
                      EditingState::read(QStringLiteral(DRACFG_BUILD_BIN_DIR "/DraCFG.mdb"))};
    QString text = GenerateConfigText(LargestFile);
    QByteArray bytes = Codepage::encodeWindows1252(text).value();
    QString source = folder.filePath(QStringLiteral("source.cfg"));

    Bench() { PrepareWindow(window, source, bytes); }

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

// Timed in turns with the baseline's setPlainText, the counter setPlainText_ms.
void BM_LoadDocument(benchmark::State& state)
{
    bench->window.views().SetView(true);
    auto* textView = bench->window.findChild<QPlainTextEdit*>(QStringLiteral("txtTextBox"));
    TimeInTurns(
        state, "setPlainText_ms",
        [] {
            return bench->window.files().LoadDocument(bench->source)
                       ? QString()
                       : QStringLiteral("the file could not be loaded");
        },
        [textView] {
            textView->setPlainText(bench->text);
            return QString();
        });
}
BENCHMARK(BM_LoadDocument)->Unit(benchmark::kMillisecond)->UseManualTime();

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

// The bytes the editor writes, written the way it must write them: unbuffered (a buffered
// QSaveFile can lose a failed write inside commit()), in a loop over short writes, then
// committed, which flushes the file to disk. What the editor takes beyond this is its own
// rendering and encoding.
bool WriteBare(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    for (qint64 written = 0; written < bytes.size();) {
        const qint64 chunk = file.write(bytes.constData() + written, bytes.size() - written);
        if (chunk <= 0)
            return false;
        written += chunk;
    }
    return file.commit();
}

// The editor's save and the bare write timed in turns (TimeInTurns): the flush in commit()
// takes from a fraction of a millisecond to several on a shared disk, and measured one after
// the other, the two differed by ten times either way. The bare write's time is the counter
// QSaveFile_ms.
void SaveBesideBareWrite(benchmark::State& state, const QString& folder)
{
    if (folder.isEmpty()) {
        state.SkipWithError("no folder to save to");
        return;
    }
    const QString target = folder + QStringLiteral("/target.cfg");
    bench->loadInto(false);
    // The list's form of the generated text can run past the limit a save enforces.
    ConfigDocument& document = bench->window.document();
    while (document.bytesToWrite().bytes.value().size() > ConfigFile::MaxFileBytes)
        document.rows().removeRowAt(document.rows().count() - 1);
    // The same bytes the editor writes: a different file would be a change made elsewhere.
    const QByteArray written = document.bytesToWrite().bytes.value();
    const QString failed = QStringLiteral("saving failed");
    TimeInTurns(
        state, "QSaveFile_ms",
        [&] { return bench->window.files().WriteDocument(target) ? QString() : failed; },
        [&] { return WriteBare(target, written) ? QString() : failed; });
}

void BM_SaveFromListView(benchmark::State& state)
{
    SaveBesideBareWrite(state, bench->folder.path());
}
BENCHMARK(BM_SaveFromListView)->Unit(benchmark::kMillisecond)->UseManualTime();

// The same in a folder held in memory, where the flush costs nothing: what is left is the
// editor's own work beside the bare write's system calls. For reference, not a figure to reach.
void BM_SaveFromListViewInMemory(benchmark::State& state)
{
    SaveBesideBareWrite(state,
                        bench->memoryFolder.isValid() ? bench->memoryFolder.path() : QString());
}
BENCHMARK(BM_SaveFromListViewInMemory)->Unit(benchmark::kMillisecond)->UseManualTime();

} // namespace

int main(int argc, char** argv)
{
    const WindowBenchEnvironment environment;
    QApplication application(argc, argv);
    Bench fixture;
    bench = &fixture;
    // The saves against QSaveFile timed in the same loop; with repetitions the median counts.
    RatioReporter reporter(
        {{"BM_LoadDocument", "BM_LoadDocument:setPlainText_ms"},
         {"BM_ListToText", "BM_SetPlainTextBaseline"},
         {"BM_TextToList", "BM_SetPlainTextBaseline"},
         {"BM_SaveFromListView", "BM_SaveFromListView:QSaveFile_ms"},
         {"BM_SaveFromListViewInMemory", "BM_SaveFromListViewInMemory:QSaveFile_ms"}},
        {}, RatioReporter::Repetitions::Median);
    return reporter.run(argc, argv);
}
