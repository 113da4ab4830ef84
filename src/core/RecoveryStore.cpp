#include "core/RecoveryStore.h"

#include "core/RegularFile.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStandardPaths>
#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QByteArray Magic = QByteArrayLiteral("DraCFG recovery 1");
const QString CopySuffix = QStringLiteral(".recovery");
const QString PartSuffix = QStringLiteral(".part");

QString systemError(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// The user's alone: owned by the user, no access for group or others, and no symbolic link.
bool isPrivate(const QString& path, mode_t type)
{
    struct stat info {};
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0 &&
           (info.st_mode & S_IFMT) == type && info.st_uid == ::getuid() &&
           (info.st_mode & 077) == 0;
}

QByteArray readLine(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readLine().trimmed() : QByteArray();
}

// When the process started, counted from the system's start, and which start that was: a
// process id taken over by a later process, or after a restart, gives another identity.
QString identityOf(qint64 processId)
{
    const QByteArray boot = readLine(QStringLiteral("/proc/sys/kernel/random/boot_id"));
    const QByteArray stat = readLine(QStringLiteral("/proc/%1/stat").arg(processId));
    // The name in parentheses may hold anything; the start time is the 20th field after it.
    const QList<QByteArray> fields = stat.mid(stat.lastIndexOf(')') + 1).simplified().split(' ');
    if (boot.isEmpty() || fields.size() < 20)
        return {};
    return QString::fromLatin1(boot + '/' + fields.at(19));
}

// The process id at the start of a copy's file name.
qint64 processIdOfName(const QString& name)
{
    bool ok = false;
    const qint64 id = name.section(u'-', 0, 0).toLongLong(&ok);
    return ok ? id : 0;
}

bool isPlainName(const QString& name)
{
    return !name.isEmpty() && !name.startsWith(u'.') && !name.contains(u'/');
}

// Writes all of bytes to a new file of mode 600 and makes them durable before the rename.
QString writeDurably(const QByteArray& path, const QByteArray& bytes)
{
    RegularFile::Descriptor file(::open(path.constData(),
                                        O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW,
                                        S_IRUSR | S_IWUSR));
    if (!file)
        return systemError(errno);
    // An existing file keeps its mode through O_CREAT.
    if (::fchmod(file.get(), S_IRUSR | S_IWUSR) != 0)
        return systemError(errno);
    for (qsizetype written = 0; written < bytes.size();) {
        const ssize_t chunk =
            ::write(file.get(), bytes.constData() + written, size_t(bytes.size() - written));
        if (chunk < 0 && errno == EINTR)
            continue;
        if (chunk <= 0)
            return systemError(errno);
        written += chunk;
    }
    if (::fsync(file.get()) != 0)
        return systemError(errno);
    return file.close() ? QString() : systemError(errno);
}

} // namespace

QString RecoveryStore::defaultFolder()
{
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    return data.isEmpty() ? QString() : data + QStringLiteral("/recovery");
}

RecoveryStore::RecoveryStore(QString folder) : m_folder(std::move(folder)) {}

RecoveryStore::Copy RecoveryStore::fromThisProcess()
{
    Copy copy;
    copy.processId = QCoreApplication::applicationPid();
    copy.process = identityOf(copy.processId);
    copy.time = QDateTime::currentDateTimeUtc();
    return copy;
}

bool RecoveryStore::isAlive(qint64 processId, const QString& process)
{
    // kill() takes a negative or zero id for whole groups of processes.
    if (processId <= 0 || processId > std::numeric_limits<pid_t>::max())
        return false;
    if (::kill(pid_t(processId), 0) != 0 && errno != EPERM)
        return false;
    const QString now = process.isEmpty() ? QString() : identityOf(processId);
    return now.isEmpty() || now == process;
}

QString RecoveryStore::fileName(qint64 processId, const QString& key)
{
    const QByteArray hash = QCryptographicHash::hash(key.toUtf8(), QCryptographicHash::Sha1);
    return QStringLiteral("%1-%2").arg(processId).arg(QString::fromLatin1(hash.toHex().left(16))) +
           CopySuffix;
}

QByteArray RecoveryStore::serialize(const Copy& copy)
{
    const QJsonObject header{
        {QStringLiteral("path"), copy.path},
        {QStringLiteral("view"), copy.textView ? QStringLiteral("text") : QStringLiteral("list")},
        {QStringLiteral("time"), copy.time.toUTC().toString(Qt::ISODateWithMs)},
        {QStringLiteral("pid"), copy.processId},
        {QStringLiteral("process"), copy.process},
        {QStringLiteral("size"), copy.bytes.size()},
    };
    return Magic + '\n' + QJsonDocument(header).toJson(QJsonDocument::Compact) + '\n' + copy.bytes;
}

std::optional<RecoveryStore::Copy> RecoveryStore::parse(const QByteArray& stored)
{
    const qsizetype magicEnd = stored.indexOf('\n');
    const qsizetype headerEnd = stored.indexOf('\n', magicEnd + 1);
    if (magicEnd < 0 || headerEnd < 0 || stored.first(magicEnd) != Magic)
        return std::nullopt;
    QJsonParseError error{};
    const QJsonDocument json =
        QJsonDocument::fromJson(stored.sliced(magicEnd + 1, headerEnd - magicEnd - 1), &error);
    const QJsonObject header = json.object();
    const QString view = header.value(QStringLiteral("view")).toString();
    Copy copy;
    copy.path = header.value(QStringLiteral("path")).toString();
    copy.textView = view == QStringLiteral("text");
    copy.time =
        QDateTime::fromString(header.value(QStringLiteral("time")).toString(), Qt::ISODateWithMs);
    copy.processId = header.value(QStringLiteral("pid")).toInteger();
    copy.process = header.value(QStringLiteral("process")).toString();
    copy.bytes = stored.sliced(headerEnd + 1);
    const bool whole = error.error == QJsonParseError::NoError && json.isObject() &&
                       header.value(QStringLiteral("path")).isString() &&
                       (copy.textView || view == QStringLiteral("list")) && copy.time.isValid() &&
                       copy.processId > 0 &&
                       header.value(QStringLiteral("size")).toInteger(-1) == copy.bytes.size();
    if (!whole)
        return std::nullopt;
    return copy;
}

QString RecoveryStore::write(const QString& name, const Copy& copy) const
{
    if (m_folder.isEmpty())
        return QStringLiteral("there is no data folder");
    if (!isPlainName(name))
        return QStringLiteral("%1 is no file name").arg(name);
    QDir().mkpath(QFileInfo(m_folder).path());
    const QByteArray folder = QFile::encodeName(m_folder);
    if (::mkdir(folder.constData(), S_IRWXU) != 0 && errno != EEXIST)
        return QStringLiteral("%1: %2").arg(m_folder, systemError(errno));
    if (!isPrivate(m_folder, S_IFDIR))
        return QStringLiteral("%1 is not the user's alone").arg(m_folder);

    // A crash during the write leaves the part, never a damaged copy.
    const QByteArray target = QFile::encodeName(m_folder + u'/' + name);
    const QByteArray part = target + QFile::encodeName(PartSuffix);
    QString failure = writeDurably(part, serialize(copy));
    if (failure.isEmpty() && ::rename(part.constData(), target.constData()) != 0)
        failure = systemError(errno);
    if (!failure.isEmpty()) {
        ::unlink(part.constData());
        return QStringLiteral("%1: %2").arg(m_folder + u'/' + name, failure);
    }
    RegularFile::syncFolder(folder);
    return {};
}

void RecoveryStore::remove(const QString& name) const
{
    if (!m_folder.isEmpty() && isPlainName(name))
        ::unlink(QFile::encodeName(m_folder + u'/' + name).constData());
}

QList<RecoveryStore::Copy> RecoveryStore::leftovers() const
{
    QList<Copy> copies;
    if (m_folder.isEmpty() || !isPrivate(m_folder, S_IFDIR))
        return copies;
    const QDir folder(m_folder);
    const QStringList names = folder.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : names) {
        const QString path = folder.filePath(name);
        if (!isPrivate(path, S_IFREG))
            continue;
        if (name.endsWith(PartSuffix)) {
            // What a write that never finished left behind.
            if (!isAlive(processIdOfName(name), QString()))
                remove(name);
            continue;
        }
        if (!name.endsWith(CopySuffix) || QFileInfo(path).size() > MaxCopyBytes)
            continue;
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            continue;
        std::optional<Copy> copy = parse(file.readAll());
        if (!copy) {
            remove(name);
            continue;
        }
        if (isAlive(copy->processId, copy->process))
            continue;
        copy->file = name;
        copies.append(std::move(*copy));
    }
    std::stable_sort(copies.begin(), copies.end(),
                     [](const Copy& a, const Copy& b) { return a.time < b.time; });
    return copies;
}
