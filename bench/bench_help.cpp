// From a click on a setting in the Settings Explorer to the help pane showing its section, on
// the demo reference page and on one of some 2 MB (the demo page with 5,000 more sections ahead
// of the demo's own): the first click after start-up, once the window has been idle, and the
// clicks after it. The demo page's figures are the baselines.
#include "BenchSupport.h"
#include "app/Startup.h"
#include "ui/HelpPane.h"
#include "ui/MainWindow.h"
#include "ui/SettingsTree.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTimer>

namespace {

const QString PagePath = QStringLiteral("/Docs/techref/TRCFG/homecfgl.htm");
// Demo settings spread over the page; each click goes to the next one.
const QStringList Settings{QStringLiteral("IDLETIMEOUT"),  QStringLiteral("AUTOEXTEND"),
                           QStringLiteral("AUDITFILE"),    QStringLiteral("SQLMODE"),
                           QStringLiteral("LOGLOCKWAITS"), QStringLiteral("LANGUAGE")};

// The server installation with the large page; empty when it cannot be written.
QString LargeServer()
{
    static QTemporaryDir folder;
    static const QString server = [] {
        QFile demo(QStringLiteral(DRACFG_DEMO_SERVER_DIR) + PagePath);
        if (!demo.open(QIODevice::ReadOnly))
            return QString();
        const QByteArray page = demo.readAll();
        const qsizetype firstSection = page.indexOf("<h3><a name=");
        if (firstSection < 0)
            return QString();
        QByteArray large = page.left(firstSection);
        for (int i = 0; i < 5000; ++i) {
            const QByteArray n = QByteArray::number(i);
            large += "<h3><a name=\"GENERATED" + n + "\"></a>GENERATED" + n +
                     "</h3>\n<p><b>Category</b> Generated " + QByteArray::number(i / 25) +
                     "; <b>Type</b> Number</p>\n<p>A setting of a larger server: the server "
                     "reads it once, at start-up, and keeps its value until it stops.</p>\n"
                     "<p><a href=\"#top\">Back to the top</a></p>\n";
        }
        large += page.mid(firstSection);
        const QString root = folder.path();
        QDir().mkpath(root + QStringLiteral("/Docs/techref/TRCFG"));
        QFile out(root + PagePath);
        if (!out.open(QIODevice::WriteOnly) || out.write(large) != large.size())
            return QString();
        return root;
    }();
    return server;
}

// The longest the window went without answering while the page was read ahead.
qint64 LongestStall = 0;

// Runs the window's event loop until the page is ready or `milliseconds` have passed, noting
// the longest gap between the ticks of a short timer: how long the window went unanswered.
void Idle(const HelpPane& pane, qint64 milliseconds)
{
    QEventLoop loop;
    QElapsedTimer idle;
    idle.start();
    qint64 lastTick = 0;
    QTimer tick;
    tick.setTimerType(Qt::PreciseTimer);
    QObject::connect(&tick, &QTimer::timeout, &loop, [&] {
        const qint64 now = idle.elapsed();
        LongestStall = std::max(LongestStall, now - lastTick);
        lastTick = now;
        if (pane.isPageReady() || now >= milliseconds)
            loop.quit();
    });
    tick.start(2);
    if (!pane.isPageReady() && milliseconds > 0)
        loop.exec();
}

// Starts the editor; the user looks at the window for `idleMilliseconds` (by default until the
// page has been read ahead) before the first click.
std::unique_ptr<MainWindow> StartIdle(NullDialogs& dialogs, const QString& server,
                                      qint64 idleMilliseconds = 120'000)
{
    static QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    qputenv("KELMPATH", server.toLocal8Bit());
    Startup::Options options;
    options.splashMilliseconds = 0;
    auto window = Startup::run(dialogs, QStringLiteral(DRACFG_BUILD_BIN_DIR), options);
    if (!window)
        return nullptr;
    LongestStall = 0;
    Idle(*window->findChild<HelpPane*>(), idleMilliseconds);
    return window;
}

// One click, timed until the pane has painted the section.
double Click(MainWindow& window, const QString& setting)
{
    auto* tree = window.findChild<SettingsTree*>(QStringLiteral("tvTreeView"));
    QTreeWidgetItem* node =
        tree->findItems(setting, Qt::MatchExactly | Qt::MatchRecursive).value(0);
    if (!node)
        return -1;
    QElapsedTimer clock;
    clock.start();
    tree->setCurrentItem(node); // a selected node is shown as a clicked one is
    QCoreApplication::processEvents();
    return clock.nsecsElapsed() / 1e9;
}

void FirstClick(benchmark::State& state, const QString& server, qint64 idleMilliseconds = 120'000)
{
    if (server.isEmpty()) {
        state.SkipWithError("the large page could not be written");
        return;
    }
    NullDialogs dialogs;
    int turn = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto window = StartIdle(dialogs, server, idleMilliseconds);
        state.ResumeTiming();
        const double seconds = window ? Click(*window, Settings.at(turn++ % Settings.size())) : -1;
        if (seconds < 0) {
            state.SkipWithError("start-up or the click failed");
            break;
        }
        state.SetIterationTime(seconds);
        // A click while the page is still being read, then the rest of the read-ahead.
        const double second = Click(*window, Settings.at(turn % Settings.size()));
        Idle(*window->findChild<HelpPane*>(), 120'000);
        state.counters["second_click_ms"] = second * 1e3;
        state.counters["longest_stall_ms"] = static_cast<double>(LongestStall);
    }
}

void LaterClicks(benchmark::State& state, const QString& server)
{
    if (server.isEmpty()) {
        state.SkipWithError("the large page could not be written");
        return;
    }
    NullDialogs dialogs;
    auto window = StartIdle(dialogs, server);
    if (!window || Click(*window, Settings.constFirst()) < 0) {
        state.SkipWithError("start-up or the first click failed");
        return;
    }
    int turn = 1;
    for (auto _ : state)
        state.SetIterationTime(Click(*window, Settings.at(turn++ % Settings.size())));
}

void BM_HelpFirstClickDemoPage(benchmark::State& state)
{
    FirstClick(state, QStringLiteral(DRACFG_DEMO_SERVER_DIR));
}
BENCHMARK(BM_HelpFirstClickDemoPage)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_HelpFirstClickLargePage(benchmark::State& state)
{
    FirstClick(state, LargeServer());
}
BENCHMARK(BM_HelpFirstClickLargePage)
    ->UseManualTime()
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

// The user clicks as the window shows, and after a glance at it, while the page is read ahead.
void BM_HelpClickAtShowLargePage(benchmark::State& state)
{
    FirstClick(state, LargeServer(), 0);
}
BENCHMARK(BM_HelpClickAtShowLargePage)
    ->UseManualTime()
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

void BM_HelpClickAfter300msLargePage(benchmark::State& state)
{
    FirstClick(state, LargeServer(), 300);
}
BENCHMARK(BM_HelpClickAfter300msLargePage)
    ->UseManualTime()
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

void BM_HelpLaterClickDemoPage(benchmark::State& state)
{
    LaterClicks(state, QStringLiteral(DRACFG_DEMO_SERVER_DIR));
}
BENCHMARK(BM_HelpLaterClickDemoPage)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_HelpLaterClickLargePage(benchmark::State& state)
{
    LaterClicks(state, LargeServer());
}
BENCHMARK(BM_HelpLaterClickLargePage)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
