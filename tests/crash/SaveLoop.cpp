// The crash test's child: saves one file over and over, alternating two contents, until it is
// killed. Usage: save_loop APPLICATION FILE FIRST SECOND (the contents are read from files).
// It prints a line once the first save is done, and leaves with the reason should a save fail.

#include "core/ConfigFile.h"
#include "core/RegularFile.h"
#include "core/SafeSave.h"

#include <QCoreApplication>
#include <QFile>
#include <QThread>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 5)
        return 2;
    QCoreApplication::setApplicationName(QString::fromLocal8Bit(argv[1]));
    const QString file = QFile::decodeName(argv[2]);
    const std::optional<QByteArray> contents[] = {
        RegularFile::read(QFile::decodeName(argv[3]), ConfigFile::MaxFileBytes),
        RegularFile::read(QFile::decodeName(argv[4]), ConfigFile::MaxFileBytes)};
    if (!contents[0] || !contents[1])
        return 2;
    // Short writes with pauses between them, as on a slow and nearly full disk, so that a kill
    // meets a file half rewritten as often as one between writes.
    SafeSave::setWriteHookForTesting([](int, qsizetype size) {
        QThread::usleep(200);
        return qMin<qsizetype>(size, 4096);
    });
    for (unsigned save = 0;; ++save) {
        const QString failure = ConfigFile::writeWholeFile(file, *contents[save % 2]);
        if (!failure.isEmpty()) {
            std::fprintf(stderr, "%s\n", qPrintable(failure));
            return 1;
        }
        if (save == 0) {
            std::puts("saving");
            std::fflush(stdout);
        }
    }
}
