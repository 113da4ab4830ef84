// Start-up time and peak resident memory of one fresh process, printed as
// "<milliseconds from entry to the shown window> <peak kilobytes>":
//   memory_probe empty      an empty shown QMainWindow (what memory is weighed against)
//   memory_probe window WxH a plain window with the demo file, a tree and the editor's font
//                           set-up, at the given size (what start-up is weighed against; see
//                           ComparableWindow.h)
//   memory_probe startup    the editor started on the full demo catalogue (no splash wait);
//                           also prints the size of its window, as WxH
//   memory_probe editor     the same, then a generated 65,000-byte document opened
//   memory_probe history    the same, then 200 steps of history made on it
// Not a Google Benchmark program: scripts/bench runs each mode in a fresh process.
#include "BenchSupport.h"
#include "ComparableWindow.h"
#include "GeneratedConfig.h"
#include "HistorySteps.h"
#include "app/AllocatorTuning.h"
#include "app/Startup.h"
#include "core/Codepage.h"
#include "ui/FileCommands.h"
#include "ui/HelpPane.h"
#include "ui/MainWindow.h"

#include <QElapsedTimer>
#include <QFile>
#include <QMainWindow>
#include <QSize>
#include <QStringList>
#include <QTemporaryDir>
#include <cstdio>
#include <fstream>
#include <string>

namespace {

long PeakResidentKilobytes()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stol(line.substr(6));
    }
    return -1;
}

// Starts the editor; with a document, also opens a generated 65,000-byte file afterwards, and
// makes that many steps of history on it.
bool RunEditor(bool withDocument, int historySteps, const QElapsedTimer& sinceEntry,
               double* shownAfter, QSize* shownSize)
{
    QTemporaryDir folder;
    qputenv("XDG_CONFIG_HOME", folder.path().toLocal8Bit());
    qputenv("KELMPATH", DRACFG_DEMO_SERVER_DIR);

    NullDialogs dialogs;
    Startup::Options options;
    options.splashMilliseconds = 0;
    const auto window = Startup::run(dialogs, QStringLiteral(DRACFG_BUILD_BIN_DIR), options);
    if (!window)
        return false;
    QCoreApplication::processEvents();
    *shownAfter = static_cast<double>(sinceEntry.nsecsElapsed()) / 1e6;
    *shownSize = window->size();
    if (!withDocument)
        return true;

    const QString path = folder.filePath(QStringLiteral("large.cfg"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(*Codepage::encodeWindows1252(GenerateConfigText(65000)));
    file.close();
    if (!window->files().LoadDocument(path))
        return false;
    QCoreApplication::processEvents();
    // The reference page read ahead meanwhile counts: the window does not wait for it on closing.
    const HelpPane* help = window->findChild<HelpPane*>();
    QElapsedTimer reading;
    reading.start();
    while (!help->isPageReady() && reading.elapsed() < 60'000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    if (historySteps > 0) {
        MakeHistorySteps(*window, historySteps);
        return window->document().history().count() == historySteps;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    QElapsedTimer sinceEntry;
    sinceEntry.start();
    tuneAllocator();
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString mode = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    double shownAfter = 0;
    QSize shownSize;
    if (mode == QLatin1String("empty")) {
        QMainWindow window;
        window.show();
        QCoreApplication::processEvents();
        shownAfter = static_cast<double>(sinceEntry.nsecsElapsed()) / 1e6;
    } else if (mode == QLatin1String("window")) {
        const QStringList size =
            argc > 2 ? QString::fromLocal8Bit(argv[2]).split(QLatin1Char('x')) : QStringList();
        if (size.size() != 2)
            return 2;
        const auto window = ShowComparableWindow(QSize(size[0].toInt(), size[1].toInt()));
        if (!window)
            return 1;
        QCoreApplication::processEvents();
        shownAfter = static_cast<double>(sinceEntry.nsecsElapsed()) / 1e6;
    } else if (mode == QLatin1String("startup") || mode == QLatin1String("editor") ||
               mode == QLatin1String("history")) {
        const bool history = mode == QLatin1String("history");
        if (!RunEditor(mode != QLatin1String("startup"), history ? 200 : 0, sinceEntry, &shownAfter,
                       &shownSize))
            return 1;
    } else {
        std::fprintf(stderr, "usage: memory_probe empty|window WxH|startup|editor|history\n");
        return 2;
    }
    std::printf("%.3f %ld", shownAfter, PeakResidentKilobytes());
    if (shownSize.isValid())
        std::printf(" %dx%d", shownSize.width(), shownSize.height());
    std::printf("\n");
    return 0;
}
