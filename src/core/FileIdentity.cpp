#include "core/FileIdentity.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>

FileIdentity FileIdentity::of(const QString& path)
{
    QFile file(path);
    const QFileInfo info(path);
    if (!info.isFile() || !file.open(QIODevice::ReadOnly))
        return {};
    return ofBytes(file.readAll(), info.lastModified());
}

FileIdentity FileIdentity::ofBytes(const QByteArray& bytes, const QDateTime& modified)
{
    FileIdentity identity;
    identity.exists = true;
    identity.size = bytes.size();
    identity.modified = modified;
    identity.hash = QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
    return identity;
}

bool changedOnDisk(const FileIdentity& recorded, const FileIdentity& now)
{
    if (!now.exists)
        return false;
    return !recorded.exists || recorded.size != now.size || recorded.hash != now.hash;
}
