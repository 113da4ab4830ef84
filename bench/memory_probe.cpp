// Peak resident memory of one process, printed in kilobytes:
//   memory_probe baseline   an empty shown QMainWindow
//   memory_probe editor     the editor started on the full demo catalogue with a generated
//                           65,000-byte document open in both views
// Not a Google Benchmark program: scripts/bench runs each mode in a fresh process.
#include "BenchSupport.h"
#include "GeneratedConfig.h"
#include "app/Startup.h"
#include "files/Codepage.h"
#include "files/FileCommands.h"
#include "ui/MainWindow.h"

#include <QFile>
#include <QMainWindow>
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

int RunEditor()
{
    QTemporaryDir folder;
    qputenv("XDG_CONFIG_HOME", folder.path().toLocal8Bit());
    qputenv("KELMPATH", DRACFG_DEMO_SERVER_DIR);
    const QString path = folder.filePath(QStringLiteral("large.cfg"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return 1;
    file.write(*Codepage::EncodeWindows1252(GenerateConfigText(65000)));
    file.close();

    NullDialogs dialogs;
    Startup::Options options;
    options.splashMilliseconds = 0;
    const auto window = Startup::Run(dialogs, QStringLiteral(DRACFG_BUILD_BIN_DIR), options);
    if (!window || !window->context().files->LoadDocument(path))
        return 1;
    QCoreApplication::processEvents();
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString mode = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    if (mode == QLatin1String("baseline")) {
        QMainWindow window;
        window.show();
        QCoreApplication::processEvents();
    } else if (mode == QLatin1String("editor")) {
        if (RunEditor() != 0)
            return 1;
    } else {
        std::fprintf(stderr, "usage: memory_probe baseline|editor\n");
        return 2;
    }
    std::printf("%ld\n", PeakResidentKilobytes());
    return 0;
}
