#include "app/AllocatorTuning.h"
#include "app/Startup.h"
#include "app/TerminationSignals.h"
#include "core/CommandLine.h"
#include "core/InstallLayout.h"
#include "core/Version.h"
#include "ui/Dialogs.h"
#include "ui/MainWindow.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <cstdio>

int main(int argc, char* argv[])
{
    tuneAllocator();

    // Read before QApplication exists: --help and --version must work without a display.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    const CommandLine::Request request = CommandLine::parse(arguments, QDir::currentPath());
    const QString programName = QFileInfo(arguments.value(0)).fileName();
    switch (request.action) {
    case CommandLine::Request::Action::Help:
        std::fputs(CommandLine::helpText(programName).toLocal8Bit().constData(), stdout);
        return 0;
    case CommandLine::Request::Action::Version:
        std::fputs(CommandLine::versionLine().toLocal8Bit().constData(), stdout);
        return 0;
    case CommandLine::Request::Action::Fail:
        std::fprintf(stderr, "%s: %s\nTry '%s --help'.\n", qPrintable(programName),
                     qPrintable(request.error), qPrintable(programName));
        return 2;
    case CommandLine::Request::Action::Run:
        break;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(ProductName);
    QApplication::setOrganizationName(ProductName);
    QApplication::setDesktopFileName(QStringLiteral("org.dravane.DraCFGEditor"));

    // Unsaved edits are kept for recovery when a signal ends the program.
    TerminationSignals termination;
    QtDialogs dialogs;
    Startup::Options options;
    options.file = request.file;
    options.termination = &termination;
    const auto window = Startup::run(
        dialogs, InstallLayout::dataDirectory(QCoreApplication::applicationDirPath()), options);
    if (termination.received())
        return 0;
    if (!window)
        return 1; // start-up ended after its message
    return QApplication::exec();
}
