#pragma once

#include "core/FileIdentity.h"

#include <QFileSystemWatcher>
#include <QObject>

class ConfigDocument;
class Dialogs;
class QWidget;

// Notices when another program changes the document's file: offers to reload it while the
// document is open, and asks before Save overwrites such a change.
class ExternalChanges : public QObject {
    Q_OBJECT
public:
    ExternalChanges(const ConfigDocument& document, Dialogs& dialogs, QWidget* window,
                    QObject* parent = nullptr);

    // The overwrite question when the file at path is not what was last read or written;
    // false when the user keeps it.
    bool mayOverwrite(const QString& path);

public slots:
    // The document was read from or written to path: what is there now is the document's.
    void fileUsed(const QString& path);
    void forget();

signals:
    // The user wants the file read again.
    void reloadRequested(const QString& path);

private:
    void fileChanged(const QString& path);

    const ConfigDocument& m_document;
    Dialogs& m_dialogs;
    QWidget* m_window;
    QFileSystemWatcher m_watcher;
    QString m_path;
    FileIdentity m_recorded;
    // The change the user last declined to reload: not asked about again.
    FileIdentity m_declined;
    bool m_asking = false;
};
