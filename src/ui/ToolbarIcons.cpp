#include "ui/ToolbarIcons.h"

#include "ui/Twips.h"

#include <QByteArray>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QIcon>
#include <QToolBar>

// Resources in a static library must be registered by name, from the global namespace.
static void registerIconResources()
{
    Q_INIT_RESOURCE(icons);
}

// The pictures are drawn on a 16-pixel grid: crisp at 16 pixels and at twice that.
static constexpr double IconSize = 240; // twips

namespace {

QHash<QString, QIcon>& loaded()
{
    static QHash<QString, QIcon> icons;
    return icons;
}

} // namespace

QHash<QString, QIcon> loadBundledIcons()
{
    static const bool registered = (registerIconResources(), true);
    Q_UNUSED(registered);
    QHash<QString, QIcon> icons;
    const QDir folder(QStringLiteral(":/icons"));
    for (const QString& file : folder.entryList({QStringLiteral("*.svg")}, QDir::Files))
        icons.insert(QFileInfo(file).completeBaseName(), QIcon(folder.filePath(file)));
    return icons;
}

void useBundledIcons(const QHash<QString, QIcon>& icons)
{
    loaded().insert(icons);
}

bool bundledIconsInUse()
{
    return !loaded().isEmpty();
}

QIcon commandIcon(const char* name, bool themed)
{
    static const bool registered = (registerIconResources(), true);
    Q_UNUSED(registered);
    // A menu item and its toolbar button share one icon: each picture is parsed and drawn once.
    static QHash<QByteArray, QIcon> made;
    const QByteArray key = QByteArray(name) + (themed ? "/themed" : "");
    const auto found = made.constFind(key);
    if (found != made.cend())
        return *found;
    const QString file = QLatin1String(name);
    const QIcon bundled = loaded().contains(file)
                              ? loaded().value(file)
                              : QIcon(QStringLiteral(":/icons/%1.svg").arg(file));
    return *made.insert(key, themed ? QIcon::fromTheme(file, bundled) : bundled);
}

void setToolbarIconSize(QToolBar* toolbar)
{
    const int side = Twips::toPixels(IconSize, toolbar);
    toolbar->setIconSize(QSize(side, side));
}
