// What the user waits for in the real window on the worst file (every line a problem, of every
// kind), from the action to the window painted, beside a bare QPlainTextEdit of the text view's
// size doing the same in the same run; and the longest the window then goes unanswered while
// the check after a pause, the marks and the rest settle.
#include "BenchSupport.h"
#include "RatioReporter.h"
#include "WorstConfig.h"

#include "core/Codepage.h"
#include "core/ConfigDocument.h"
#include "core/EditingState.h"
#include "ui/DocumentViews.h"
#include "ui/FileCommands.h"
#include "ui/MainWindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTimer>
#include <QTreeView>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <functional>

namespace {

constexpr int LargestFile = 65000;
using Clock = std::chrono::steady_clock;

// Delivers what the action left queued, the paint among it (widgets post their update
// requests), as the event loop would before the user sees the result.
void paint()
{
    QApplication::processEvents();
    QApplication::processEvents();
}

double secondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Runs the event loop for `ms` with a probe that asks to run every millisecond, and returns the
// longest gap between two of its turns: how long a key or click would have waited.
double longestUnansweredMs(int ms)
{
    QElapsedTimer clock;
    double longest = 0;
    qint64 last = 0;
    QTimer probe;
    probe.setTimerType(Qt::PreciseTimer);
    probe.setInterval(1);
    QObject::connect(&probe, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        longest = std::max(longest, double(now - last) / 1e6);
        last = now;
    });
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    clock.start();
    probe.start();
    loop.exec();
    return longest;
}

struct Fixture {
    QTemporaryDir folder;
    NullDialogs dialogs;
    MainWindow window{dialogs, QStringLiteral(DRACFG_BUILD_BIN_DIR),
                      EditingState::read(QStringLiteral(DRACFG_BUILD_BIN_DIR "/DraCFG.mdb"))};
    QPlainTextEdit bare;
    QString text = GenerateWorstConfigText(LargestFile);
    QByteArray bytes = Codepage::encodeWindows1252(text).value();
    QString source = folder.filePath(QStringLiteral("worst.cfg"));
    QPlainTextEdit* textView = window.findChild<QPlainTextEdit*>(QStringLiteral("txtTextBox"));
    QTreeView* listView = window.findChild<QTreeView*>(QStringLiteral("lvListView"));

    Fixture()
    {
        PrepareWindow(window, source, bytes);
        paint();
        // Laid out as the text view is: a line wraps in neither.
        bare.setLineWrapMode(QPlainTextEdit::NoWrap);
        bare.resize(textView->size());
        bare.show();
        paint();
    }

    // The file afresh, one view showing and settled: the other holds the raw file's form.
    void open(bool textView)
    {
        window.views().SetView(textView);
        if (!window.files().LoadDocument(source))
            qFatal("cannot load %s", qPrintable(source));
        paint();
        longestUnansweredMs(ProblemsPauseMs);
    }

    // The caret in the middle of a line in the middle of the text.
    static void caretToMiddle(QPlainTextEdit& view)
    {
        QTextCursor cursor(view.document()->findBlockByNumber(view.document()->blockCount() / 2));
        cursor.movePosition(QTextCursor::Right, QTextCursor::MoveAnchor, 3);
        view.setTextCursor(cursor);
        view.setFocus();
    }

    // Longer than the pause after which the problems are checked again.
    static constexpr int ProblemsPauseMs = 450;
};

Fixture* fixture = nullptr;

template <typename Action> void timePainted(benchmark::State& state, Action action)
{
    const Clock::time_point start = Clock::now();
    action();
    paint();
    state.SetIterationTime(secondsSince(start));
}

// An action, made `ready` untimed first, by turns with a bare QPlainTextEdit given the same
// text (TimeInTurns, the counter BareSetPlainText_ms), each to the window painted: measured
// apart, the two moved by a fifth between runs.
template <typename Ready, typename Action>
void besideBareSetPlainText(benchmark::State& state, Ready ready, Action action)
{
    TimeInTurns(
        state, "BareSetPlainText_ms",
        [&action] {
            action();
            paint();
            return QString();
        },
        [] {
            fixture->bare.setPlainText(fixture->text);
            paint();
            return QString();
        },
        [&ready](bool bare) {
            if (!bare)
                ready();
        },
        [] {});
}

void BM_OpenPainted(benchmark::State& state)
{
    fixture->window.views().SetView(true);
    besideBareSetPlainText(
        state, [] {}, [] { fixture->window.files().LoadDocument(fixture->source); });
}
BENCHMARK(BM_OpenPainted)->Unit(benchmark::kMillisecond)->UseManualTime();

void BM_ListToTextPainted(benchmark::State& state)
{
    besideBareSetPlainText(
        state, [] { fixture->open(false); }, [] { fixture->window.views().textViewCommand(); });
}
BENCHMARK(BM_ListToTextPainted)->Unit(benchmark::kMillisecond)->UseManualTime();

void BM_TextToListPainted(benchmark::State& state)
{
    besideBareSetPlainText(
        state, [] { fixture->open(true); }, [] { fixture->window.views().listViewCommand(); });
}
BENCHMARK(BM_TextToListPainted)->Unit(benchmark::kMillisecond)->UseManualTime();

// One character typed and taken back, as two key strokes, in the text view and in the bare
// editor by turns (TimeInTurns, the counter BareKeyStroke_ms): a key stroke is a tenth of a
// millisecond, and the machine's speed swings more than that between two benchmarks. Each
// view's window is active and the view has the focus, as the one the user types in has; a turn
// types a run of characters, so that what the switch between windows leaves to do (caches
// refilled, the caret shown) weighs on either as little as on a user typing.
void BM_KeyStrokePainted(benchmark::State& state)
{
    constexpr int Run = 20;
    Fixture& f = *fixture;
    f.open(true);
    Fixture::caretToMiddle(*f.textView);
    f.bare.setPlainText(f.text);
    Fixture::caretToMiddle(f.bare);
    const auto typeAndErase = [](QPlainTextEdit* view) {
        return [view] {
            for (int i = 0; i < Run; ++i) {
                QTest::keyClick(view, Qt::Key_X);
                paint();
                QTest::keyClick(view, Qt::Key_Backspace);
                paint();
            }
            return QString();
        };
    };
    TimeInTurns(
        state, "BareKeyStroke_ms", typeAndErase(f.textView), typeAndErase(&f.bare),
        [&f](bool bare) {
            QPlainTextEdit* view = bare ? &f.bare : f.textView;
            if (!view->hasFocus()) {
                view->activateWindow();
                view->setFocus();
                paint();
            }
        },
        [] {}, Run);
}
// An iteration types Run pairs of keys in each view; each is timed as one pair.
BENCHMARK(BM_KeyStrokePainted)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(100);

// The step undone (or redone) timed, the other way round untimed: three typed characters.
void undoOrRedo(benchmark::State& state, bool timeUndo)
{
    fixture->open(true);
    Fixture::caretToMiddle(*fixture->textView);
    QTest::keyClicks(fixture->textView, QStringLiteral("xyz"));
    paint();
    ConfigDocument& document = fixture->window.document();
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        document.undo();
        paint();
        const double undoSeconds = secondsSince(start);
        const Clock::time_point redoStart = Clock::now();
        document.redo();
        paint();
        state.SetIterationTime(timeUndo ? undoSeconds : secondsSince(redoStart));
    }
}

void BM_UndoPainted(benchmark::State& state)
{
    undoOrRedo(state, true);
}
BENCHMARK(BM_UndoPainted)->Unit(benchmark::kMillisecond)->UseManualTime();

void BM_RedoPainted(benchmark::State& state)
{
    undoOrRedo(state, false);
}
BENCHMARK(BM_RedoPainted)->Unit(benchmark::kMillisecond)->UseManualTime();

// A click on a row of the list: the value editor arranged and the help page shown.
void BM_RowClickPainted(benchmark::State& state)
{
    fixture->open(false);
    QTreeView* list = fixture->listView;
    int row = 0;
    for (auto _ : state) {
        const QRect cell = list->visualRect(list->model()->index(row, 0));
        timePainted(
            state, [&] { QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cell.center()); });
        row = (row + 1) % 10;
    }
}
BENCHMARK(BM_RowClickPainted)->Unit(benchmark::kMillisecond)->UseManualTime();

// The longest the window goes unanswered after each action above, while what follows it
// settles: the check after typing stops, the marks, the read-ahead.
void BM_LongestUnanswered(benchmark::State& state)
{
    Fixture& f = *fixture;
    const QList<std::function<void()>> actions = {
        [&] { f.window.files().LoadDocument(f.source); },
        [&] { f.window.views().listViewCommand(); },
        [&] { f.window.views().textViewCommand(); },
        [&] {
            Fixture::caretToMiddle(*f.textView);
            QTest::keyClick(f.textView, Qt::Key_X);
        },
        [&] { f.window.document().undo(); },
        [&] { f.window.document().redo(); },
    };
    for (auto _ : state) {
        double longest = 0;
        f.window.views().SetView(true);
        for (const auto& action : actions) {
            action();
            paint();
            longest = std::max(longest, longestUnansweredMs(Fixture::ProblemsPauseMs));
        }
        state.SetIterationTime(longest / 1e3);
    }
}
BENCHMARK(BM_LongestUnanswered)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(3);

} // namespace

int main(int argc, char** argv)
{
    const WindowBenchEnvironment environment;
    QApplication application(argc, argv);
    Fixture bench;
    fixture = &bench;
    RatioReporter reporter(
        {{"BM_OpenPainted", "BM_OpenPainted:BareSetPlainText_ms", 1.5},
         {"BM_ListToTextPainted", "BM_ListToTextPainted:BareSetPlainText_ms", 1.5},
         {"BM_TextToListPainted", "BM_TextToListPainted:BareSetPlainText_ms", 1.5},
         {"BM_KeyStrokePainted", "BM_KeyStrokePainted:BareKeyStroke_ms", 1.5}},
        {{"BM_UndoPainted", 16},
         {"BM_RedoPainted", 16},
         {"BM_RowClickPainted", 16},
         {"BM_LongestUnanswered", 16}},
        RatioReporter::Repetitions::Median);
    return reporter.run(argc, argv);
}
