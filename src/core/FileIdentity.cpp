#include "core/FileIdentity.h"

#include "core/RegularFile.h"

#include <QFileInfo>

namespace {

// What the file system says of the file; no bytes yet.
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
    const bool compared = info.size() <= MaxComparedBytes;
    const std::optional<QByteArray> bytes =
        RegularFile::read(path, compared ? MaxComparedBytes + 1 : 0);
    if (!bytes)
        return {};
    FileIdentity identity = statOf(info);
    // What was read, should the file have grown meanwhile, unless that is too much to keep.
    if (compared && bytes->size() <= MaxComparedBytes) {
        identity.size = bytes->size();
        identity.bytes = *bytes;
    }
    return identity;
}

FileIdentity FileIdentity::of(const QString& path, const QByteArray& content)
{
    const QFileInfo info(path);
    if (!info.exists())
        return {};
    FileIdentity identity = statOf(info);
    if (content.size() <= MaxComparedBytes)
        identity.bytes = content;
    return identity;
}

bool changedOnDisk(const FileIdentity& recorded, const FileIdentity& now)
{
    if (!now.exists)
        return false;
    if (!recorded.exists || recorded.size != now.size)
        return true;
    if (!recorded.bytes.isEmpty() && !now.bytes.isEmpty())
        return recorded.bytes != now.bytes;
    return recorded.modified != now.modified;
}
