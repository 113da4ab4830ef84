#pragma once

#include "core/RecoveryStore.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <functional>

class ConfigDocument;
class Dialogs;
class QWidget;

// Something an earlier session left behind, offered back once at start-up: a question, and
// what Yes and No do.
struct LeftoverOffer {
    QString question;
    std::function<void()> accept;
    std::function<void()> decline;
};

// Keeps a recovery copy of the document while it has unsaved changes, written shortly after
// each change settles; a save, a close or a clean exit removes it. At start-up it offers the
// copies that ended sessions left behind.
class Recovery : public QObject {
    Q_OBJECT
public:
    // The quiet time after a change before the copy is written, which is also the shortest time
    // between two writes; steady typing still gets a copy every MaxDelayMilliseconds.
    static constexpr int SettleMilliseconds = 1000;
    static constexpr int MaxDelayMilliseconds = 5000;

    Recovery(ConfigDocument& document, Dialogs& dialogs, QWidget* window,
             RecoveryStore store = RecoveryStore(), QObject* parent = nullptr);

    // Asked before a recovered document replaces one with unsaved changes; false stops.
    void setSetAsideGuard(std::function<bool()> guard) { m_setAsideGuard = std::move(guard); }

    // The session ends without questions: the copy is written now and kept.
    void endSession();

    // One offer for each copy an ended session left behind.
    QList<LeftoverOffer> leftoverOffers();
    // Asks about each offer in turn; an answer that is neither Yes nor No leaves it for the
    // next start.
    void offer(const QList<LeftoverOffer>& offers);

signals:
    // Before a recovered document is loaded: the view it was edited in.
    void viewWanted(bool textMode);
    // The document now holds recovered changes.
    void documentRecovered();
    // A copy could not be written.
    void message(const QString& text);

private:
    void documentEdited();
    void documentReplaced();
    void writeCopy();
    void removeCopy();
    void recover(const RecoveryStore::Copy& copy);

    ConfigDocument& m_document;
    Dialogs& m_dialogs;
    QWidget* m_window;
    RecoveryStore m_store;
    std::function<bool()> m_setAsideGuard;
    QTimer m_settle;
    QElapsedTimer m_pendingSince;
    QString m_untitledKey; // stands for the path of an untitled document
    QString m_written;     // the file name of this session's copy; empty while there is none
    bool m_failed = false; // the last write failed and was reported
    bool m_ending = false;
};
