#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

// What a file on disk was when the document last read or wrote it: size, modification time and
// a hash of its bytes, so that a change made by another program can be told from none.
struct FileIdentity {
    bool exists = false;
    qint64 size = -1;
    QDateTime modified;
    QByteArray hash;

    // Reads the file whole (a configuration file is small); a missing or unreadable file gives
    // an identity that does not exist.
    static FileIdentity of(const QString& path);
    static FileIdentity ofBytes(const QByteArray& bytes, const QDateTime& modified);
};

// True when the file now holds other bytes than were recorded: the size tells most changes at
// once, the hash the rest. A new time over the same bytes is no change (nothing the other
// program wrote would be lost), nor is a vanished file (writing it again loses nothing).
bool changedOnDisk(const FileIdentity& recorded, const FileIdentity& now);
