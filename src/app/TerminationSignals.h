#pragma once

#include <QObject>

class QSocketNotifier;

// SIGTERM, SIGHUP and SIGINT (a shutdown, a logout, Ctrl+C in a terminal) end the program
// through its event loop instead of at once: the handler only writes a byte to a socket pair,
// and the loop, seeing it, announces the signal and quits. A second signal ends the program
// the system's way.
class TerminationSignals : public QObject {
    Q_OBJECT
public:
    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;
    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

    bool received() const { return m_received; }

signals:
    // Before the event loop quits: what must outlive the program is written now.
    void arrived();

private:
    void readSignal();

    QSocketNotifier* m_notifier = nullptr;
    bool m_received = false;
};
