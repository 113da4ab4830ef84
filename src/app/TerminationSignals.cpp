#include "app/TerminationSignals.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <array>
#include <cerrno>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr std::array Handled{SIGTERM, SIGHUP, SIGINT};
int sockets[2] = {-1, -1}; // the handler writes to the first, the event loop reads the second

void handleSignal(int number)
{
    const int saved = errno;
    const char byte = char(number);
    // Only async-signal-safe calls here; a full socket has news enough already.
    [[maybe_unused]] const ssize_t written = ::write(sockets[0], &byte, 1);
    errno = saved;
}

// Back to the system's handling, except where the program was started to ignore the signal
// (nohup).
void restoreDefaults()
{
    for (const int number : Handled) {
        struct sigaction current {};
        if (::sigaction(number, nullptr, &current) == 0 && current.sa_handler == handleSignal)
            ::signal(number, SIG_DFL);
    }
}

} // namespace

TerminationSignals::TerminationSignals(QObject* parent) : QObject(parent)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, sockets) != 0) {
        qWarning("Termination signals end the program at once: no socket pair");
        return;
    }
    m_notifier = new QSocketNotifier(sockets[1], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &TerminationSignals::readSignal);

    struct sigaction action {};
    action.sa_handler = handleSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int number : Handled) {
        struct sigaction previous {};
        if (::sigaction(number, nullptr, &previous) == 0 && previous.sa_handler != SIG_IGN)
            ::sigaction(number, &action, nullptr);
    }
}

TerminationSignals::~TerminationSignals()
{
    restoreDefaults();
    delete m_notifier;
    for (int& socket : sockets) {
        if (socket >= 0)
            ::close(socket);
        socket = -1;
    }
}

void TerminationSignals::readSignal()
{
    char bytes[16];
    while (::read(sockets[1], bytes, sizeof bytes) > 0) {
    }
    if (m_received)
        return;
    m_received = true;
    restoreDefaults();
    emit arrived();
    QCoreApplication::exit(0);
}
