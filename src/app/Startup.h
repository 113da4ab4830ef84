#pragma once

#include <QImage>
#include <QString>
#include <future>
#include <memory>

class Dialogs;
class MainWindow;
class TerminationSignals;

namespace Startup {

struct Options {
    int splashMilliseconds = 1000;
    QString file; // opened as File > Open would, once the window shows
    // Once one has arrived, start-up goes no further and asks nothing.
    const TerminationSignals* termination = nullptr;
};

// Shows the splash for the given time with a busy pointer, letting events through meanwhile.
// The product picture is taken from `picture` when it has been drawn by the time the splash shows.
void ShowSplashScreen(int milliseconds, const std::shared_future<QImage>* picture = nullptr);

// The start-up order: catalogue check, splash, help check, catalogue and version list, main
// window loaded and shown, then the given file opened and what ended sessions left behind offered
// back. Returns nothing when start-up ended after a fatal message or a termination signal.
std::unique_ptr<MainWindow> run(Dialogs& dialogs, const QString& programDir,
                                const Options& options = {});

extern const QString CriticalErrorText;

} // namespace Startup
