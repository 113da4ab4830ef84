#include "ui/ToolbarIcons.h"

#include "ui/Twips.h"

#include <QByteArray>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QIcon>
#include <QToolBar>

// Resources in a static library must be registered by name, from the global namespace; once,
// from whichever thread asks first.
static void registerIconResources()
{
    static const bool registered = [] {
        Q_INIT_RESOURCE(icons);
        return true;
    }();
    Q_UNUSED(registered);
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
    registerIconResources();
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
    registerIconResources();
    // A menu item and its toolbar button share one icon: each picture is parsed and drawn once.
    static QHash<QByteArray, QIcon> made;
    const QByteArray key = QByteArray(name) + (themed ? "/themed" : "");
    const auto found = made.constFind(key);
    if (found != made.cend())
        return *found;
    const QString file = QLatin1String(name);
    const auto parsed = loaded().constFind(file);
    const QIcon bundled =
        parsed != loaded().cend() ? *parsed : QIcon(QStringLiteral(":/icons/%1.svg").arg(file));
    return *made.insert(key, themed ? QIcon::fromTheme(file, bundled) : bundled);
}

void setToolbarIconSize(QToolBar* toolbar)
{
    const int side = Twips::toPixels(IconSize, toolbar);
    toolbar->setIconSize(QSize(side, side));
}
