#pragma once

#include <QByteArray>
#include <QString>
#include <optional>
#include <sys/stat.h>
#include <utility>

// Files read or written by path, never a pipe or a device: opening a pipe that nobody writes to
// waits for ever, and reading a device to its end might never finish.
namespace RegularFile {

// An open file descriptor, closed when it goes.
class Descriptor {
public:
    explicit Descriptor(int fd = -1) : m_fd(fd) {}
    Descriptor(Descriptor&& other) noexcept : m_fd(std::exchange(other.m_fd, -1)) {}
    Descriptor& operator=(Descriptor&& other) noexcept;
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor();

    int get() const { return m_fd; }
    explicit operator bool() const { return m_fd >= 0; }
    // Closes now, for its answer: some file systems report a failed write only here.
    bool close();

private:
    int m_fd = -1;
};

// Opens a regular file through symbolic links without waiting on a pipe or a device. Invalid
// with errno set when the open fails; invalid with *notRegular set when it is no regular file.
// The kind is asked of the opened descriptor, so a file swapped in meanwhile is caught too.
Descriptor open(const QByteArray& nativePath, int flags, bool* notRegular = nullptr,
                struct stat* status = nullptr);

// Makes a new name or a rename in the folder survive a crash.
void syncFolder(const QByteArray& nativeFolder);

// At most maxBytes of a regular file, whatever size it reports (a /proc file reports none):
// a caller asks for one byte more than it accepts to tell a file that is too large. Nothing
// when it cannot be read or is no regular file.
std::optional<QByteArray> read(const QString& path, qint64 maxBytes);

} // namespace RegularFile
