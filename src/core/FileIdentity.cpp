#include "core/FileIdentity.h"

#include "core/RegularFile.h"

#include <QCryptographicHash>
#include <QFileInfo>

namespace {

// What the file system says of the file; no hash yet.
FileIdentity statOf(const QFileInfo& info)
{
    FileIdentity identity;
    identity.exists = true;
    identity.modified = info.lastModified();
    identity.size = info.size();
    return identity;
}

} // namespace

FileIdentity FileIdentity::of(const QString& path)
{
    const QFileInfo info(path);
    const bool hashed = info.size() <= MaxHashedBytes;
    const std::optional<QByteArray> bytes =
        RegularFile::read(path, hashed ? MaxHashedBytes + 1 : 0);
    if (!bytes)
        return {};
    FileIdentity identity = statOf(info);
    // What was read, should the file have grown meanwhile, unless that is too much to hash.
    if (hashed && bytes->size() <= MaxHashedBytes) {
        identity.size = bytes->size();
        identity.hash = QCryptographicHash::hash(*bytes, QCryptographicHash::Sha256);
    }
    return identity;
}

FileIdentity FileIdentity::of(const QString& path, const QByteArray& content)
{
    const QFileInfo info(path);
    if (!info.exists())
        return {};
    FileIdentity identity = statOf(info);
    if (content.size() <= MaxHashedBytes)
        identity.hash = QCryptographicHash::hash(content, QCryptographicHash::Sha256);
    return identity;
}

bool changedOnDisk(const FileIdentity& recorded, const FileIdentity& now)
{
    if (!now.exists)
        return false;
    if (!recorded.exists || recorded.size != now.size)
        return true;
    if (!recorded.hash.isEmpty() && !now.hash.isEmpty())
        return recorded.hash != now.hash;
    return recorded.modified != now.modified;
}
