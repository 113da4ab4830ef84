#include "ui/ToolbarIcons.h"

#include "ui/Twips.h"

#include <QAction>
#include <QIcon>
#include <QList>
#include <QToolBar>

// Resources in a static library must be registered by name, from the global namespace.
static void registerIconResources()
{
    Q_INIT_RESOURCE(icons);
}

namespace {

// The pictures are drawn on a 16-pixel grid: crisp at 16 pixels and at twice that.
constexpr double IconSize = 240; // twips

struct IconUse {
    int button;
    const char* name; // the freedesktop name and the bundled file's base name
    bool themed;      // false: the program's own icon, no theme has it
};

constexpr IconUse ToolbarIcons[] = {
    {Button::New, "document-new", true},
    {Button::Open, "document-open", true},
    {Button::Save, "document-save", true},
    {Button::Print, "document-print", true},
    {Button::Cut, "edit-cut", true},
    {Button::Copy, "edit-copy", true},
    {Button::Paste, "edit-paste", true},
    {Button::Delete, "edit-delete", true},
    {Button::Find, "edit-find", true},
    {Button::ListAlpha, "view-sort-ascending", true},
    {Button::ListCat, "view-list-tree", true},
    {Button::TextView, "text-x-generic", true},
    {Button::ListView, "view-list-details", true},
    {Button::MoveUp, "go-up", true},
    {Button::MoveDown, "go-down", true},
    {Button::Comment, "comment-toggle", false},
    {Button::ShowHelp, "help-contextual", true},
};

QIcon iconFor(const IconUse& use)
{
    const QIcon bundled(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(use.name)));
    return use.themed ? QIcon::fromTheme(QLatin1String(use.name), bundled) : bundled;
}

} // namespace

void setToolbarIcons(QToolBar* toolbar, const std::array<QAction*, Button::Count>& buttons,
                     const std::function<QList<QAction*>(int button)>& menuItemsFor)
{
    registerIconResources();
    const int side = Twips::toPixels(IconSize, toolbar);
    toolbar->setIconSize(QSize(side, side));
    for (const IconUse& use : ToolbarIcons) {
        const QIcon icon = iconFor(use);
        buttons[static_cast<size_t>(use.button)]->setIcon(icon);
        for (QAction* item : menuItemsFor(use.button))
            item->setIcon(icon);
    }
}
