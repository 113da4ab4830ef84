// A key stroke in the text view answered with the completion list painted, over a catalogue of
// 5,000 settings whose names all share their first letters: every stroke lists hundreds to
// thousands of names. The baseline types the same keys into a bare QPlainTextEdit in the same
// run.
#include "BenchSupport.h"
#include "GeneratedCatalogue.h"

#include "core/EditingState.h"
#include "ui/DocumentViews.h"
#include "ui/FileCommands.h"
#include "ui/MainWindow.h"

#include <QPlainTextEdit>
#include <QTest>
#include <QTreeView>

#include <chrono>

namespace {

// A name typed letter by letter, then taken back: the list shows from the second letter on.
const QList<Qt::Key> Strokes = [] {
    QList<Qt::Key> keys;
    for (const QChar c : QStringLiteral("SETTING_12"))
        keys.append(static_cast<Qt::Key>(c.unicode()));
    for (int i = 0; i < 10; ++i)
        keys.append(Qt::Key_Backspace);
    return keys;
}();

void Type(benchmark::State& state, bool completing)
{
    WindowBenchEnvironment environment;
    NullDialogs dialogs;
    MainWindow window(dialogs, QStringLiteral(DRACFG_BUILD_BIN_DIR),
                      EditingState::read(QStringLiteral(DRACFG_BUILD_BIN_DIR "/DraCFG.mdb")));
    if (!UseGeneratedCatalogue(window.editingState(), state))
        return;
    window.load();
    window.resize(1000, 700);
    window.show();
    window.views().SetView(true);
    window.files().NewDocument();
    auto* text = window.findChild<QPlainTextEdit*>(QStringLiteral("txtTextBox"));
    auto* list = window.findChild<QTreeView*>(QStringLiteral("lstCompletion"));
    QPlainTextEdit bare(&window);
    bare.setGeometry(text->geometry());
    bare.show();
    QPlainTextEdit* target = completing ? text : &bare;
    target->setFocus();
    QApplication::processEvents();
    qsizetype stroke = 0;
    int listed = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const Qt::Key key = Strokes.at(stroke++ % Strokes.size());
        QTest::keyClick(target, key);
        QApplication::processEvents();
        QApplication::processEvents();
        state.SetIterationTime(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        if (list->isVisible())
            listed = std::max(listed, list->model()->rowCount());
    }
    state.counters["most_listed"] = listed;
    if (completing && listed == 0)
        state.SkipWithError("the completion list never showed");
}

void BM_BareKeyStroke(benchmark::State& state)
{
    Type(state, false);
}
BENCHMARK(BM_BareKeyStroke)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(200);

void BM_CompletionKeyStroke5000(benchmark::State& state)
{
    Type(state, true);
}
BENCHMARK(BM_CompletionKeyStroke5000)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(200);

} // namespace

DRACFG_BENCHMARK_WIDGETS_MAIN()
