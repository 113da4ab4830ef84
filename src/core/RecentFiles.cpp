#include "core/RecentFiles.h"

#include <QDir>

namespace {

// The same file written two ways ("/a/./b.cfg", "/a/b.cfg") is one entry. A name with a line
// break cannot be stored one a line and is not kept.
QString normalised(const QString& path)
{
    if (!QDir::isAbsolutePath(path) || path.contains(u'\n'))
        return {};
    return QDir::cleanPath(path);
}

} // namespace

RecentFiles::RecentFiles(const QStringList& paths)
{
    for (const QString& path : paths) {
        const QString entry = normalised(path);
        if (!entry.isEmpty() && !m_paths.contains(entry) && m_paths.size() < MaxEntries)
            m_paths.append(entry);
    }
}

void RecentFiles::add(const QString& path)
{
    const QString entry = normalised(path);
    if (entry.isEmpty())
        return;
    m_paths.removeAll(entry);
    m_paths.prepend(entry);
    while (m_paths.size() > MaxEntries)
        m_paths.removeLast();
}

void RecentFiles::remove(const QString& path)
{
    m_paths.removeAll(normalised(path));
}

RecentFiles RecentFiles::fromStored(const QString& text)
{
    return RecentFiles(text.split(u'\n', Qt::SkipEmptyParts));
}

QString RecentFiles::toStored() const
{
    return m_paths.join(u'\n');
}

QString RecentFiles::menuCaption(int number, const QString& path)
{
    QString shown = path;
    shown.replace(u'&', QStringLiteral("&&"));
    return QStringLiteral("&%1 %2").arg(number).arg(shown);
}
