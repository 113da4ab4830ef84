#pragma once

#include "ui/ToolbarButtons.h"

#include <QActionGroup>
#include <QHash>
#include <QList>
#include <QString>
#include <array>
#include <span>

class QAction;
class QMainWindow;
class QMenu;
class QObject;
class QToolBar;

// Every menu, menu item, pop-up menu and toolbar button of the main window, described once.
namespace Commands {

enum class Kind { Menu, Submenu, PopUp, Item, Separator };

// When a command can run.
enum class When {
    Always,
    WithDocument,
    InTextView, // with a document shown as text
    InListView, // with a document shown as a list
    ByCategory, // while the Settings Explorer lists by category
    ByOwner,    // the component behind it decides (the history, the views)
};

struct ToolbarSlot {
    int button = -1;  // Button:: index, -1: none
    int position = 0; // left to right
    const char* tooltip = nullptr;
    bool gapBefore = false;
};

struct Command {
    Kind kind;
    const char* name;    // the objectName
    const char* parent;  // the menu it goes in; none for the menus of the bar and the pop-ups
    const char* caption; // of a pop-up menu: the name a screen reader announces
    const char* shortcuts = nullptr; // "; " between two
    When when = When::Always;
    bool checkable = false;
    int choices = 0;            // items with the same non-zero number are exclusive choices
    const char* icon = nullptr; // the freedesktop name and the bundled file's base name
    bool themedIcon = true;     // false: the program's own icon, no theme has it
    ToolbarSlot toolbar{};

    constexpr Command enabled(When rule) const
    {
        Command c = *this;
        c.when = rule;
        return c;
    }
    constexpr Command marked(int group = 0) const
    {
        Command c = *this;
        c.checkable = true;
        c.choices = group;
        return c;
    }
    constexpr Command withIcon(const char* iconName, bool themed = true) const
    {
        Command c = *this;
        c.icon = iconName;
        c.themedIcon = themed;
        return c;
    }
    constexpr Command onToolbar(int button, int position, const char* tooltip,
                                bool gapBefore = false) const
    {
        Command c = *this;
        c.toolbar = {button, position, tooltip, gapBefore};
        return c;
    }
};

std::span<const Command> table();

// Radio marks for choices of which exactly one holds: choosing the marked one again keeps it.
void exclusiveChoices(
    QObject* owner, const QList<QAction*>& choices,
    QActionGroup::ExclusionPolicy policy = QActionGroup::ExclusionPolicy::Exclusive);

} // namespace Commands

// The menus, pop-up menus and toolbar of a window, built from the table.
class CommandSet {
public:
    explicit CommandSet(QMainWindow& window);

    // A name not in the table is a programming error: it stops the program.
    QAction* item(const char* name) const;
    QMenu* menu(const char* name) const;
    QAction* button(int index) const { return m_buttons.at(static_cast<size_t>(index)); }
    QToolBar* toolbar() const { return m_toolbar; }
    // The item and its toolbar button, if it has one.
    QList<QAction*> triggers(const char* name) const;
    // The items, submenus and buttons under the rule.
    QList<QAction*> enabledWhen(Commands::When rule) const;

private:
    void addToMenus(QMainWindow& window, const Commands::Command& command);
    void addToToolbar(QMainWindow& window);

    QHash<QString, QAction*> m_items;
    QHash<QString, QMenu*> m_menus;
    std::array<QAction*, Button::Count> m_buttons{};
    QToolBar* m_toolbar = nullptr;
};
