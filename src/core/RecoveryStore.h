#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <optional>

// Copies of unsaved documents, kept in a folder only the user can read, so that the edits
// outlive a crash. Each copy names the process that wrote it: a copy is left over, and offered
// back, only once that process is gone, so editors running side by side leave each other's
// copies alone.
class RecoveryStore {
public:
    // Larger files are no copy of ours: they are skipped unread.
    static constexpr qint64 MaxCopyBytes = 16 * 1024 * 1024;

    struct Copy {
        QString path;     // the document's file; empty for an untitled document
        QByteArray bytes; // what a save would write
        bool textView = false;
        QDateTime time;
        qint64 processId = 0;
        QString process; // the process's identity beyond its id; empty when unknown
        QString file;    // its file name in the folder; set by leftovers()
    };

    // The folder "recovery" in the user's data folder.
    static QString defaultFolder();
    explicit RecoveryStore(QString folder = defaultFolder());
    const QString& folder() const { return m_folder; }

    // This process's id and identity, for a copy it writes now.
    static Copy fromThisProcess();
    // True while the process that wrote the copy runs; a process id taken over by another
    // process, or one from before a restart, counts as gone where the system tells them apart.
    static bool isAlive(qint64 processId, const QString& process);

    // The file name of this process's copy of the document known by key (its path, or an id of
    // an untitled document).
    static QString fileName(qint64 processId, const QString& key);

    // Replaces the named copy as a whole, or leaves it as it was; returns why it failed, or an
    // empty text. Creates the folder, readable by the user only.
    QString write(const QString& name, const Copy& copy) const;
    void remove(const QString& name) const;

    // The copies whose process is gone, oldest first. A malformed copy of the user's is removed;
    // anything not the user's alone (the folder or a file open to others, or owned by someone
    // else) is skipped.
    QList<Copy> leftovers() const;

    // The stored form of a copy, and back; nothing when the bytes are no whole copy.
    static QByteArray serialize(const Copy& copy);
    static std::optional<Copy> parse(const QByteArray& stored);

private:
    QString m_folder;
};
