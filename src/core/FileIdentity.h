#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

// What a file on disk was when the document last read or wrote it: size, modification time and
// its bytes, so that a change made by another program can be told from none. The bytes are
// shared with whoever read or wrote them: keeping them costs nothing, hashing them would.
struct FileIdentity {
    // A larger file is not read to be compared: it is judged by its size and time alone.
    static constexpr qint64 MaxComparedBytes = 4 * 1024 * 1024;

    bool exists = false;
    qint64 size = -1;
    QDateTime modified;
    QByteArray bytes; // empty for a file over MaxComparedBytes

    // A missing or unreadable file gives an identity that does not exist.
    static FileIdentity of(const QString& path);
    // The same from the bytes just read from or written to the file, without reading it again.
    static FileIdentity of(const QString& path, const QByteArray& content);
};

// True when the file now holds other bytes than were recorded: the size tells most changes at
// once, the bytes the rest (times alone prove nothing where the file system keeps them coarsely).
// A new time over the same bytes is no change: nothing the other program wrote would be lost.
// Nor is a vanished file: writing it again loses nothing.
bool changedOnDisk(const FileIdentity& recorded, const FileIdentity& now);
