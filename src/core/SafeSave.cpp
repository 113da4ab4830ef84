#include "core/SafeSave.h"

#include "core/RegularFile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QThreadPool>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <optional>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/xattr.h>
#include <tuple>
#include <unistd.h>

namespace SafeSave {
namespace {

using RegularFile::Descriptor;
using RegularFile::syncFolder;

// Hidden, and matched by no "*.cfg*" filter, should a crash leave it behind.
constexpr char TempMarker[] = ".dracfg-";
constexpr QByteArrayView CopyMagic("DraCFG save copy\n");
constexpr QByteArrayView PartialSuffix(".partial");
constexpr int RandomLetters = 6;

int writesSoFar = 0;
WriteHook writeHook;

QString systemError(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

QString notRegularFile()
{
    return QStringLiteral("it is not a regular file");
}

// Every write of a save passes here, so that a test can make any one of them fail.
bool writeAll(int fd, QByteArrayView data, off_t offset)
{
    for (qsizetype done = 0; done < data.size();) {
        const qsizetype allowed =
            writeHook ? writeHook(++writesSoFar, data.size() - done) : data.size() - done;
        const ssize_t chunk =
            allowed <= 0 ? (errno = EIO, -1)
                         : ::pwrite(fd, data.data() + done, size_t(allowed), offset + done);
        if (chunk < 0 && errno == EINTR)
            continue;
        if (chunk <= 0)
            return false;
        done += chunk; // after a short write (a full disk) the next attempt tells the cause
    }
    return true;
}

bool copyBytes(int from, off_t fromOffset, int to, off_t toOffset, qint64 length)
{
    QByteArray buffer(qsizetype(qMin<qint64>(length, 64 * 1024)), Qt::Uninitialized);
    for (qint64 done = 0; done < length;) {
        const ssize_t got =
            ::pread(from, buffer.data(), size_t(qMin<qint64>(buffer.size(), length - done)),
                    fromOffset + done);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0) {
            if (got == 0)
                errno = EIO; // shorter than it was
            return false;
        }
        if (!writeAll(to, QByteArrayView(buffer).first(got), toOffset + done))
            return false;
        done += got;
    }
    return true;
}

QByteArray folderOf(const QByteArray& path)
{
    const qsizetype slash = path.lastIndexOf('/');
    return slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : path.first(slash);
}

QByteArray nameOf(const QByteArray& path)
{
    return path.sliced(path.lastIndexOf('/') + 1);
}

// Creates a file that did not exist, named prefix, six random letters and suffix.
Descriptor createUnique(const QByteArray& prefix, QByteArrayView suffix, mode_t mode,
                        QByteArray& name)
{
    static constexpr char Letters[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = prefix;
        for (int i = 0; i < RandomLetters; ++i)
            name += Letters[QRandomGenerator::global()->bounded(int(sizeof Letters) - 1)];
        name += suffix;
        Descriptor file(
            ::open(name.constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, mode));
        if (file || errno != EEXIST)
            return file;
    }
    return Descriptor();
}

// The file a save replaces: a symbolic link's final target, even a target that is missing.
QString writtenPath(const QString& path)
{
    const QFileInfo info(path);
    if (!info.isSymLink())
        return info.absoluteFilePath();
    const QString target = info.canonicalFilePath();
    return target.isEmpty() ? info.symLinkTarget() : target;
}

// Gives the new file, not yet in place, what the old one had. The owner first: changing it
// clears the set-user-ID and set-group-ID bits, which the mode then restores.
QString carryOver(int newFile, const QByteArray& oldPath, const struct stat& old)
{
    struct stat fresh {};
    if (fstat(newFile, &fresh) != 0)
        return systemError(errno);
    // Only when they differ: a folder that hands its group to new files needs no change, which
    // its users may not be allowed to make.
    if ((fresh.st_uid != old.st_uid || fresh.st_gid != old.st_gid) &&
        fchown(newFile, old.st_uid, old.st_gid) != 0)
        return QStringLiteral("its owner and group cannot be kept (%1)").arg(systemError(errno));
    if (fchmod(newFile, old.st_mode & 07777) != 0)
        return QStringLiteral("its permissions cannot be kept (%1)").arg(systemError(errno));

    const ssize_t listSize = listxattr(oldPath.constData(), nullptr, 0);
    if (listSize <= 0)
        return {}; // none, or a file system without them
    QByteArray names(listSize, Qt::Uninitialized);
    const ssize_t namesSize = listxattr(oldPath.constData(), names.data(), names.size());
    for (const QByteArray& name : names.first(qMax<ssize_t>(namesSize, 0)).split('\0')) {
        if (name.isEmpty())
            continue;
        const ssize_t size = getxattr(oldPath.constData(), name.constData(), nullptr, 0);
        if (size < 0)
            continue;
        QByteArray value(size, Qt::Uninitialized);
        const ssize_t got = getxattr(oldPath.constData(), name.constData(), value.data(), size);
        if (got < 0)
            continue;
        // An access list decides who may read the file: without it the save would change that.
        // Other attributes (a security label only an administrator may set) are kept where the
        // platform allows it.
        if (fsetxattr(newFile, name.constData(), value.constData(), size_t(got), 0) != 0 &&
            name.startsWith("system.posix_acl"))
            return QStringLiteral("its access control list cannot be kept (%1)")
                .arg(systemError(errno));
    }
    return {};
}

struct Attempt {
    QString failure;
    bool tryInPlace = false; // the folder would take no new file like the old one
};

// A complete new file renamed over the old one: a crash at any moment leaves one or the other.
Attempt replaceByRename(const QByteArray& target, const QByteArray& bytes, const struct stat* old)
{
    QByteArray tempName;
    // Private until it has the old file's mode; a new file gets what the umask allows.
    Descriptor temp = createUnique(folderOf(target) + "/." + nameOf(target) + TempMarker, {},
                                   old ? 0600 : 0666, tempName);
    if (!temp)
        return {systemError(errno), true};
    const auto discard = [&](const QString& failure, bool tryInPlace) {
        ::unlink(tempName.constData());
        return Attempt{failure, tryInPlace};
    };
    if (old) {
        if (const QString failure = carryOver(temp.get(), target, *old); !failure.isEmpty())
            return discard(failure, true);
    }
    if (!writeAll(temp.get(), bytes, 0) || fsync(temp.get()) != 0 || !temp.close() ||
        ::rename(tempName.constData(), target.constData()) != 0)
        return discard(systemError(errno), false);
    // The file is whole on disk already, under one name or the other: the save need not wait
    // for the folder to record which.
    QThreadPool::globalInstance()->start([folder = folderOf(target)] { syncFolder(folder); });
    return {};
}

// What saves of this file killed half-way left. One that a save running now in another program
// made is newer than this save's start, and stays.
void removeStaleTemps(const QByteArray& target, const timespec& started)
{
    const QByteArray prefix = '.' + nameOf(target) + TempMarker;
    DIR* folder = opendir(folderOf(target).constData());
    if (!folder)
        return;
    while (const dirent* entry = readdir(folder)) {
        const QByteArrayView name(entry->d_name);
        struct stat status {};
        if (name.size() == prefix.size() + RandomLetters && name.startsWith(prefix) &&
            fstatat(dirfd(folder), entry->d_name, &status, AT_SYMLINK_NOFOLLOW) == 0 &&
            S_ISREG(status.st_mode) &&
            std::tie(status.st_mtim.tv_sec, status.st_mtim.tv_nsec) <
                std::tie(started.tv_sec, started.tv_nsec))
            unlinkat(dirfd(folder), entry->d_name, 0);
    }
    closedir(folder);
}

// Space for the new content, claimed without changing the file: a full disk then stops the
// save before any of its bytes changes.
bool reserveSpace(int file, qint64 size, qint64 oldSize)
{
    if (size <= oldSize || fallocate(file, FALLOC_FL_KEEP_SIZE, 0, size) == 0)
        return true;
    if (errno != EOPNOTSUPP)
        return false;
    struct statvfs disk {};
    if (fstatvfs(file, &disk) != 0 ||
        qint64(disk.f_bavail) * qint64(disk.f_frsize) >= size - oldSize)
        return true;
    errno = ENOSPC;
    return false;
}

QString copiesFolder()
{
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    return data.isEmpty() ? QString() : data + QStringLiteral("/saves");
}

// What a copy's first lines tell: the file, its old size, and the new content's size and hash,
// by which a file the save did finish is told from one it left half-written.
struct CopyHeader {
    QByteArray file;
    qint64 oldSize = -1;
    qint64 newSize = -1;
    QByteArray newHash;
    qint64 dataOffset = 0;

    QByteArray text() const
    {
        return CopyMagic.toByteArray() + file.toPercentEncoding() + '\n' +
               QByteArray::number(oldSize) + '\n' + QByteArray::number(newSize) + '\n' +
               newHash.toHex() + '\n';
    }
};

QByteArray hashOf(QByteArrayView bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
}

std::optional<CopyHeader> readHeader(int copy)
{
    QByteArray head(16 * 1024 + 128, Qt::Uninitialized);
    const ssize_t got = ::pread(copy, head.data(), size_t(head.size()), 0);
    head.truncate(qMax<ssize_t>(got, 0));
    if (!head.startsWith(CopyMagic))
        return std::nullopt;
    const QList<QByteArray> lines = head.sliced(CopyMagic.size()).split('\n');
    if (lines.size() < 5)
        return std::nullopt;
    CopyHeader header;
    bool sized = false, newSized = false;
    header.file = QByteArray::fromPercentEncoding(lines[0]);
    header.oldSize = lines[1].toLongLong(&sized);
    header.newSize = lines[2].toLongLong(&newSized);
    header.newHash = QByteArray::fromHex(lines[3]);
    header.dataOffset = CopyMagic.size();
    for (int i = 0; i < 4; ++i)
        header.dataOffset += lines[i].size() + 1;
    if (!sized || !newSized || header.file.isEmpty() || header.oldSize < 0)
        return std::nullopt;
    return header;
}

// The old content of a file rewritten in place, kept until the new content is on disk. Its
// writer keeps it locked, which tells it from a copy a crash left behind.
struct Copy {
    Descriptor file;
    QByteArray path;
    CopyHeader header;
};

std::optional<Copy> keepCopy(int file, qint64 oldSize, const QByteArray& target,
                             const QByteArray& bytes, QString& failure)
{
    const QString folder = copiesFolder();
    const QByteArray nativeFolder = QFile::encodeName(folder);
    const auto fail = [&](int error) {
        failure = QStringLiteral("no copy of its content can be kept in %1 (%2)")
                      .arg(folder, systemError(error));
        return std::nullopt;
    };
    if (folder.isEmpty())
        return fail(ENOENT);
    QDir().mkpath(QFileInfo(folder).path());
    if (::mkdir(nativeFolder.constData(), 0700) != 0 && errno != EEXIST)
        return fail(errno);
    ::chmod(nativeFolder.constData(), 0700);

    Copy copy;
    copy.header = {target, oldSize, bytes.size(), hashOf(bytes)};
    const QByteArray text = copy.header.text();
    copy.header.dataOffset = text.size();
    // Named as complete only once it is: a crash before leaves a ".partial" name, whose file was
    // never touched.
    QByteArray partial;
    copy.file = createUnique(nativeFolder + '/' + nameOf(target).left(100) + '-', PartialSuffix,
                             0600, partial);
    if (!copy.file)
        return fail(errno);
    copy.path = partial.chopped(PartialSuffix.size());
    if (flock(copy.file.get(), LOCK_EX) != 0 || !writeAll(copy.file.get(), text, 0) ||
        !copyBytes(file, 0, copy.file.get(), text.size(), oldSize) || fsync(copy.file.get()) != 0 ||
        ::rename(partial.constData(), copy.path.constData()) != 0) {
        const int error = errno;
        ::unlink(partial.constData());
        return fail(error);
    }
    syncFolder(nativeFolder);
    return copy;
}

bool putBack(int file, const Copy& copy)
{
    const qint64 size = copy.header.oldSize;
    return copyBytes(copy.file.get(), copy.header.dataOffset, file, 0, size) &&
           ftruncate(file, size) == 0 && fsync(file) == 0;
}

// Where it is, so that every hard link keeps showing the same file and a folder the user may not
// write is no obstacle.
QString rewriteInPlace(const QByteArray& target, const QByteArray& bytes)
{
    bool notRegular = false;
    struct stat old {};
    Descriptor file = RegularFile::open(target, O_RDWR, &notRegular, &old);
    if (notRegular)
        return notRegularFile();
    if (!file || !reserveSpace(file.get(), bytes.size(), old.st_size))
        return systemError(errno);
    QString failure;
    const std::optional<Copy> copy = keepCopy(file.get(), old.st_size, target, bytes, failure);
    if (!copy)
        return failure;
    if (writeAll(file.get(), bytes, 0) && ftruncate(file.get(), bytes.size()) == 0 &&
        fsync(file.get()) == 0) {
        ::unlink(copy->path.constData());
        return {};
    }
    const QString reason = systemError(errno);
    if (putBack(file.get(), *copy)) {
        ::unlink(copy->path.constData());
        return reason + QStringLiteral("; the file was put back as it was");
    }
    return QStringLiteral("%1; the file could not be put back as it was: its old content is in %2")
        .arg(reason, QFile::decodeName(copy->path));
}

// Whether the file holds its old or its new content in full: then the crash lost nothing.
bool nothingLost(int copy, const CopyHeader& header)
{
    const std::optional<QByteArray> now =
        RegularFile::read(QFile::decodeName(header.file), qMax(header.oldSize, header.newSize) + 1);
    if (!now)
        return false;
    if (now->size() == header.newSize && hashOf(*now) == header.newHash)
        return true;
    if (now->size() != header.oldSize)
        return false;
    QByteArray old(qsizetype(header.oldSize), Qt::Uninitialized);
    return ::pread(copy, old.data(), size_t(old.size()), header.dataOffset) == old.size() &&
           old == *now;
}

} // namespace

QString write(const QString& path, const QByteArray& bytes)
{
    timespec started{};
    // The clock the file system stamps files by, so that nothing made after this is "older".
    clock_gettime(CLOCK_REALTIME_COARSE, &started);
    const QByteArray target = QFile::encodeName(writtenPath(path));
    struct stat old {};
    const bool exists = ::stat(target.constData(), &old) == 0;
    if (exists && !S_ISREG(old.st_mode))
        return notRegularFile();
    QString failure;
    if (exists && old.st_nlink > 1) {
        failure = rewriteInPlace(target, bytes);
    } else {
        const Attempt renamed = replaceByRename(target, bytes, exists ? &old : nullptr);
        failure = exists && renamed.tryInPlace ? rewriteInPlace(target, bytes) : renamed.failure;
    }
    if (failure.isEmpty())
        removeStaleTemps(target, started);
    return failure;
}

QList<LeftoverSave> leftoverSaves()
{
    QList<LeftoverSave> found;
    const QString folder = copiesFolder();
    if (folder.isEmpty())
        return found;
    const QFileInfoList entries = QDir(folder).entryInfoList(
        QDir::Files | QDir::Hidden | QDir::System, QDir::Time | QDir::Reversed);
    for (const QFileInfo& entry : entries) {
        const QByteArray copyPath = QFile::encodeName(entry.filePath());
        const Descriptor copy = RegularFile::open(copyPath, O_RDONLY);
        // A save still running holds its copy locked.
        if (!copy || flock(copy.get(), LOCK_EX | LOCK_NB) != 0)
            continue;
        if (copyPath.endsWith(PartialSuffix)) {
            ::unlink(copyPath.constData());
            continue;
        }
        const std::optional<CopyHeader> header = readHeader(copy.get());
        if (!header || entry.size() - header->dataOffset != header->oldSize)
            continue; // not one of ours
        if (nothingLost(copy.get(), *header))
            ::unlink(copyPath.constData());
        else
            found.append({QFile::decodeName(header->file), entry.filePath(), entry.lastModified()});
    }
    return found;
}

QString restoreLeftover(const LeftoverSave& leftover)
{
    bool notRegular = false;
    const Descriptor copy =
        RegularFile::open(QFile::encodeName(leftover.copyPath), O_RDONLY, &notRegular);
    if (notRegular)
        return notRegularFile();
    if (!copy)
        return systemError(errno);
    if (flock(copy.get(), LOCK_EX | LOCK_NB) != 0)
        return QStringLiteral("its save is still running");
    const std::optional<CopyHeader> header = readHeader(copy.get());
    QByteArray old(qsizetype(header ? header->oldSize : 0), Qt::Uninitialized);
    if (!header ||
        ::pread(copy.get(), old.data(), size_t(old.size()), header->dataOffset) != old.size())
        return QStringLiteral("the copy of its old content is damaged");
    const QString failure = write(leftover.filePath, old);
    if (failure.isEmpty())
        discardLeftover(leftover);
    return failure;
}

void discardLeftover(const LeftoverSave& leftover)
{
    ::unlink(QFile::encodeName(leftover.copyPath).constData());
}

void setWriteHookForTesting(WriteHook hook)
{
    writesSoFar = 0;
    writeHook = std::move(hook);
}

} // namespace SafeSave
