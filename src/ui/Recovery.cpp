#include "ui/Recovery.h"

#include "core/ConfigDocument.h"
#include "core/ConfigFile.h"
#include "core/SafeSave.h"
#include "core/Version.h"
#include "ui/Dialogs.h"

#include <QUuid>

Recovery::Recovery(ConfigDocument& document, Dialogs& dialogs, QWidget* window, RecoveryStore store,
                   QObject* parent)
    : QObject(parent), m_document(document), m_dialogs(dialogs), m_window(window),
      m_store(std::move(store))
{
    m_settle.setSingleShot(true);
    connect(&m_settle, &QTimer::timeout, this, &Recovery::writeCopy);
    // Every edit, undo and redo, each key of a run of typing too.
    connect(&m_document, &ConfigDocument::changed, this, &Recovery::documentEdited);
    connect(&m_document, &ConfigDocument::changedChanged, this, &Recovery::documentEdited);
    connect(&m_document, &ConfigDocument::viewChanged, this, &Recovery::documentEdited);
    connect(&m_document, &ConfigDocument::pathChanged, this, &Recovery::documentEdited);
    connect(&m_document, &ConfigDocument::openChanged, this, &Recovery::documentReplaced);
}

void Recovery::documentReplaced()
{
    m_untitledKey = QUuid::createUuid().toString(QUuid::WithoutBraces);
    documentEdited();
}

void Recovery::documentEdited()
{
    if (m_ending)
        return;
    if (!m_document.DocumentOpen() || !m_document.DocumentChanged()) {
        m_settle.stop();
        removeCopy();
        return;
    }
    if (!m_settle.isActive())
        m_pendingSince.start();
    else if (m_pendingSince.elapsed() >= MaxDelayMilliseconds)
        return; // due within the settling time
    m_settle.start(SettleMilliseconds);
}

void Recovery::writeCopy()
{
    m_settle.stop();
    if (!m_document.DocumentOpen() || !m_document.DocumentChanged()) {
        removeCopy();
        return;
    }
    RecoveryStore::Copy copy = RecoveryStore::fromThisProcess();
    copy.path = m_document.path();
    copy.textView = m_document.isTextView();
    ConfigFile::Encoded encoded = m_document.bytesToWrite();
    if (!encoded.bytes) {
        // A character the file's encoding cannot hold: the copy keeps it in UTF-8 rather than
        // lose the edits.
        ConfigFile::Format format = m_document.format();
        format.encoding = ConfigFile::Encoding::Utf8;
        format.byteOrderMark = false;
        encoded = ConfigFile::encode(m_document.textToWrite(), format);
    }
    copy.bytes = encoded.bytes.value_or(QByteArray());
    const QString name =
        RecoveryStore::fileName(copy.processId, copy.path.isEmpty() ? m_untitledKey : copy.path);
    const QString failure = m_store.write(name, copy);
    if (!failure.isEmpty()) {
        if (!m_failed)
            emit message(QStringLiteral("Unsaved changes cannot be kept for recovery: ") + failure);
        m_failed = true;
        return;
    }
    m_failed = false;
    if (m_written != name)
        removeCopy();
    m_written = name;
}

void Recovery::removeCopy()
{
    if (m_written.isEmpty())
        return;
    m_store.remove(m_written);
    m_written.clear();
}

void Recovery::endSession()
{
    if (m_ending)
        return;
    writeCopy();
    m_ending = true;
}

QList<LeftoverOffer> Recovery::leftoverOffers()
{
    QList<LeftoverOffer> offers;
    // First the files a crash left half written, so that a recovered document is saved over the
    // content they had.
    for (const SafeSave::LeftoverSave& leftover : SafeSave::leftoverSaves()) {
        offers.append({ProductName + QStringLiteral(" ended while saving ") + leftover.filePath +
                           QStringLiteral(", which may now be incomplete. Put back the content it "
                                          "had before that save?"),
                       [this, leftover] {
                           const QString failure = SafeSave::restoreLeftover(leftover);
                           if (!failure.isEmpty())
                               m_dialogs.message(m_window, ProductName,
                                                 QStringLiteral("Could not put back %1: %2")
                                                     .arg(leftover.filePath, failure),
                                                 QMessageBox::Warning, QMessageBox::Ok);
                       },
                       [leftover] { SafeSave::discardLeftover(leftover); }});
    }
    for (const RecoveryStore::Copy& copy : m_store.leftovers()) {
        const QString name = copy.path.isEmpty() ? QStringLiteral("Untitled") : copy.path;
        offers.append({ProductName + QStringLiteral(" ended while ") + name +
                           QStringLiteral(" had unsaved changes. Recover them?"),
                       [this, copy] { recover(copy); },
                       [this, file = copy.file] { m_store.remove(file); }});
    }
    return offers;
}

void Recovery::offer(const QList<LeftoverOffer>& offers)
{
    for (const LeftoverOffer& offer : offers) {
        if (m_ending)
            return;
        const auto answer =
            m_dialogs.message(m_window, ProductName, offer.question, QMessageBox::Question,
                              QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
        // The session may have ended while the question waited: nothing is decided then.
        if (m_ending)
            return;
        if (answer == QMessageBox::Yes)
            offer.accept();
        else if (answer == QMessageBox::No)
            offer.decline();
    }
}

void Recovery::recover(const RecoveryStore::Copy& copy)
{
    if (m_setAsideGuard && !m_setAsideGuard())
        return;
    // Chosen before the load: a switch afterwards would convert the recovered text.
    emit viewWanted(copy.textView);
    const ConfigFile::Decoded decoded = ConfigFile::decode(copy.bytes);
    m_document.load(copy.path, decoded.text, decoded.format);
    // No state in the history is what the file holds: the document stays changed until saved.
    m_document.history().resetClean();
    emit documentRecovered();
    // The old copy goes only once this session keeps its own.
    writeCopy();
    if (!m_written.isEmpty() && m_written != copy.file)
        m_store.remove(copy.file);
}
