#include "ui/ExternalChanges.h"

#include "core/ConfigDocument.h"
#include "core/Version.h"
#include "ui/Dialogs.h"

#include <QFileInfo>

ExternalChanges::ExternalChanges(const ConfigDocument& document, Dialogs& dialogs, QWidget* window,
                                 QObject* parent)
    : QObject(parent), m_document(document), m_dialogs(dialogs), m_window(window)
{
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, &ExternalChanges::fileChanged);
}

void ExternalChanges::fileUsed(const QString& path)
{
    forget();
    m_path = path;
    // Right after a load or save the document knows the bytes: no need to read them back.
    const QByteArray& bytes = m_document.diskBytes();
    m_recorded = bytes.isEmpty() || path != m_document.path() ? FileIdentity::of(path)
                                                              : FileIdentity::of(path, bytes);
    m_watcher.addPath(path);
}

void ExternalChanges::forget()
{
    if (!m_watcher.files().isEmpty())
        m_watcher.removePaths(m_watcher.files());
    m_path.clear();
    m_recorded = {};
    m_declined = {};
}

bool ExternalChanges::mayOverwrite(const QString& path)
{
    if (path != m_path || !changedOnDisk(m_recorded, FileIdentity::of(path)))
        return true;
    return m_dialogs.message(m_window, ProductName,
                             path + QStringLiteral(" was changed by another program since it was "
                                                   "opened. Overwrite it?"),
                             QMessageBox::Warning, QMessageBox::Yes | QMessageBox::No,
                             QMessageBox::No) == QMessageBox::Yes;
}

void ExternalChanges::fileChanged(const QString& path)
{
    if (path != m_path)
        return;
    // A program that saves by writing a new file and renaming it over the old one ends the
    // watch on the old one: the new file is watched from here on.
    if (!m_watcher.files().contains(path) && QFileInfo::exists(path))
        m_watcher.addPath(path);
    if (m_asking || !m_document.DocumentOpen())
        return;
    const FileIdentity now = FileIdentity::of(path);
    if (!changedOnDisk(m_recorded, now) || !changedOnDisk(m_declined, now))
        return;

    const bool changed = m_document.DocumentChanged();
    const QString question =
        path + (changed ? QStringLiteral(" was changed by another program. Reload it and lose "
                                         "the changes made here?")
                        : QStringLiteral(" was changed by another program. Reload it?"));
    m_asking = true;
    const auto answer = m_dialogs.message(m_window, ProductName, question, QMessageBox::Question,
                                          QMessageBox::Yes | QMessageBox::No,
                                          changed ? QMessageBox::No : QMessageBox::Yes);
    m_asking = false;
    // The question waited for the user: the document may have been closed or saved meanwhile.
    if (path != m_path)
        return;
    if (answer == QMessageBox::Yes)
        emit reloadRequested(path);
    else
        m_declined = now;
}
