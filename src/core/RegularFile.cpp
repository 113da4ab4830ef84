#include "core/RegularFile.h"

#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace RegularFile {

Descriptor& Descriptor::operator=(Descriptor&& other) noexcept
{
    if (this != &other) {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = std::exchange(other.m_fd, -1);
    }
    return *this;
}

Descriptor::~Descriptor()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

bool Descriptor::close()
{
    return ::close(std::exchange(m_fd, -1)) == 0;
}

Descriptor open(const QByteArray& nativePath, int flags, bool* notRegular, struct stat* status)
{
    struct stat kind {};
    if (notRegular)
        *notRegular = false;
    const auto refuse = [&] {
        if (notRegular)
            *notRegular = true;
        return Descriptor();
    };
    // Asked of the path first: merely opening some devices has effects.
    if (::stat(nativePath.constData(), &kind) == 0 && !S_ISREG(kind.st_mode))
        return refuse();
    Descriptor file(::open(nativePath.constData(), flags | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (!file)
        return file;
    if (fstat(file.get(), &kind) != 0)
        return Descriptor();
    if (!S_ISREG(kind.st_mode))
        return refuse();
    const int mode = fcntl(file.get(), F_GETFL);
    if (mode < 0 || fcntl(file.get(), F_SETFL, mode & ~O_NONBLOCK) != 0)
        return Descriptor();
    if (status)
        *status = kind;
    return file;
}

void syncFolder(const QByteArray& nativeFolder)
{
    const Descriptor folder(::open(nativeFolder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder)
        ::fsync(folder.get());
}

std::optional<QByteArray> read(const QString& path, qint64 maxBytes)
{
    struct stat status {};
    const Descriptor file = open(QFile::encodeName(path), O_RDONLY, nullptr, &status);
    if (!file)
        return std::nullopt;
    QByteArray bytes;
    bytes.reserve(qsizetype(qBound<qint64>(0, qint64(status.st_size), maxBytes)));
    char buffer[64 * 1024];
    while (bytes.size() < maxBytes) {
        const ssize_t got = ::read(file.get(), buffer,
                                   size_t(qMin<qint64>(sizeof buffer, maxBytes - bytes.size())));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return std::nullopt;
        if (got == 0)
            break;
        bytes.append(buffer, got);
    }
    return bytes;
}

} // namespace RegularFile
