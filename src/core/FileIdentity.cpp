#include "core/FileIdentity.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>

FileIdentity FileIdentity::of(const QString& path)
{
    const QFileInfo info(path);
    QFile file(path);
    if (!info.isFile() || !file.open(QIODevice::ReadOnly))
        return {};
    FileIdentity identity;
    identity.exists = true;
    identity.modified = info.lastModified();
    identity.size = info.size();
    if (identity.size <= MaxHashedBytes) {
        const QByteArray bytes = file.readAll();
        identity.size = bytes.size(); // what was hashed, should the file grow meanwhile
        identity.hash = QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
    }
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
