#include "ui/Commands.h"

#include "ui/ToolbarIcons.h"
#include "ui/Twips.h"

#include <QAction>
#include <QActionGroup>
#include <QMainWindow>
#include <QMap>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <algorithm>

namespace Commands {
namespace {

constexpr Command menu(const char* name, const char* caption)
{
    return {Kind::Menu, name, nullptr, caption};
}
constexpr Command submenu(const char* parent, const char* name, const char* caption)
{
    return {Kind::Submenu, name, parent, caption};
}
constexpr Command popUp(const char* name, const char* accessibleName)
{
    return {Kind::PopUp, name, nullptr, accessibleName};
}
constexpr Command item(const char* parent, const char* name, const char* caption,
                       const char* shortcuts = nullptr)
{
    return {Kind::Item, name, parent, caption, shortcuts};
}
constexpr Command separator(const char* parent, const char* name)
{
    return {Kind::Separator, name, parent, nullptr};
}

// Groups of exclusive choices.
enum : int { LineEnds = 1, Listing, View, PopUpListing };

// Menus in the order of the bar, each item in its menu's order; the toolbar's order is its own.
constexpr Command Table[] = {
    menu("mnuFile", "&File"),
    submenu("mnuFile", "mnuFilemnuSelectVersion", "Select Dra&vane Version"),
    item("mnuFile", "mnuFileNew", "&New", "Ctrl+N")
        .withIcon("document-new")
        .onToolbar(Button::New, 0, "New"),
    item("mnuFile", "mnuFileOpen", "&Open...", "Ctrl+O")
        .withIcon("document-open")
        .onToolbar(Button::Open, 1, "Open"),
    submenu("mnuFile", "mnuFileRecent", "Recent &Files"),
    item("mnuFile", "mnuFilemnuSave", "&Save", "Ctrl+S")
        .enabled(When::WithDocument)
        .withIcon("document-save")
        .onToolbar(Button::Save, 2, "Save"),
    item("mnuFile", "mnuFilemnuSaveAs", "Save &As", "Ctrl+Shift+S").enabled(When::WithDocument),
    item("mnuFile", "mnuFileCompare", "Co&mpare with Saved...").enabled(When::WithDocument),
    submenu("mnuFile", "mnuFileLineEnds", "&Line Ends").enabled(When::WithDocument),
    // A file with mixed line ends has neither mark.
    item("mnuFileLineEnds", "mnuFileLineEndsCrLf", "&Windows (CR LF)").marked(LineEnds),
    item("mnuFileLineEnds", "mnuFileLineEndsLf", "&Unix (LF)").marked(LineEnds),
    separator("mnuFile", "mnuFileBar0"),
    item("mnuFile", "mnuFilemnuPrint", "&Print", "Ctrl+P")
        .enabled(When::WithDocument)
        .withIcon("document-print")
        .onToolbar(Button::Print, 3, "Print"),
    separator("mnuFile", "mnuFileBar1"),
    item("mnuFile", "mnuFileClose", "&Close", "Ctrl+W").enabled(When::WithDocument),
    item("mnuFile", "mnuFilemnuExit", "&Exit", "Ctrl+Q"),

    menu("mnuEdit", "&Edit"),
    item("mnuEdit", "mnuEditUndo", "&Undo", "Ctrl+Z").enabled(When::ByOwner),
    item("mnuEdit", "mnuEditRedo", "&Redo", "Ctrl+Y; Ctrl+Shift+Z").enabled(When::ByOwner),
    separator("mnuEdit", "mnuEditBar0"),
    item("mnuEdit", "mnuEditCut", "Cu&t", "Ctrl+X")
        .enabled(When::InTextView)
        .withIcon("edit-cut")
        .onToolbar(Button::Cut, 4, "Cut", true),
    item("mnuEdit", "mnuEditCopy", "&Copy", "Ctrl+C")
        .enabled(When::InTextView)
        .withIcon("edit-copy")
        .onToolbar(Button::Copy, 5, "Copy"),
    item("mnuEdit", "mnuEditPaste", "&Paste", "Ctrl+V")
        .enabled(When::InTextView)
        .withIcon("edit-paste")
        .onToolbar(Button::Paste, 6, "Paste"),
    item("mnuEdit", "mnuEditDelete", "&Delete")
        .enabled(When::WithDocument)
        .withIcon("edit-delete")
        .onToolbar(Button::Delete, 7, "Delete"),
    separator("mnuEdit", "mnuEditBar1"),
    item("mnuEdit", "mnuEditSelectAll", "Select &All", "Ctrl+A").enabled(When::InTextView),
    item("mnuEdit", "mnuFind", "&Find", "Ctrl+F")
        .withIcon("edit-find")
        .onToolbar(Button::Find, 8, "Find", true),
    item("mnuEdit", "mnuFindNext", "Find &Next", "F3"),
    item("mnuEdit", "mnuFindPrevious", "Find Pre&vious", "Shift+F3"),
    item("mnuEdit", "mnuReplace", "R&eplace...", "Ctrl+H").enabled(When::InTextView),
    item("mnuEdit", "mnuGoToLine", "&Go to Line...", "Ctrl+G").enabled(When::WithDocument),

    menu("mnuView", "&View"),
    item("mnuView", "mnuViewmnuShowHelp", "&Show Help Window")
        .marked()
        .withIcon("help-contextual")
        .onToolbar(Button::ShowHelp, 13, "Show/Hide Help Window", true),
    separator("mnuView", "mnuViewBar2"),
    item("mnuView", "mnuViewmnuListCat", "List Settings &Categorically")
        .marked(Listing)
        .withIcon("view-list-tree")
        .onToolbar(Button::ListCat, 10, "List Settings Categorically"),
    item("mnuView", "mnuViewmnuListAlpha", "List Settings &Alphabetically")
        .marked(Listing)
        .withIcon("view-sort-ascending")
        .onToolbar(Button::ListAlpha, 9, "List Settings Alphabetically", true),
    separator("mnuView", "mnuViewBar0"),
    item("mnuView", "mnuViewmnuLVText", "&Text View")
        .marked(View)
        .withIcon("text-x-generic")
        .onToolbar(Button::TextView, 11, "Text View", true),
    item("mnuView", "mnuViewmnuLVList", "&List View")
        .marked(View)
        .withIcon("view-list-details")
        .onToolbar(Button::ListView, 12, "List View"),
    item("mnuView", "mnuViewmnuProblems", "&Problems").marked(),
    separator("mnuView", "mnuViewBar1"),
    item("mnuView", "mnuViewmnuExpandTV", "&Expand Tree").enabled(When::ByCategory),
    item("mnuView", "mnuViewmnuCollapseTV", "Collapse T&ree").enabled(When::ByCategory),

    menu("mnuTools", "&Tools"),
    item("mnuTools", "mnuToolsFonts", "&Fonts...").enabled(When::ByOwner),
    item("mnuTools", "mnuToolsConfirmDelete", "&Confirm Delete").marked(),

    menu("mnuHelp", "&Help"),
    item("mnuHelp", "mnuHelpContents", "&Contents", "F1"),
    separator("mnuHelp", "mnuHelpBar0"),
    item("mnuHelp", "mnuHelpAbout", "&About "),

    popUp("mnuPopUpLV", "List commands"),
    item("mnuPopUpLV", "mnu_PopUpLV_MoveUp", "Move &Up")
        .enabled(When::InListView)
        .withIcon("go-up")
        .onToolbar(Button::MoveUp, 14, "Move Up", true),
    item("mnuPopUpLV", "mnu_PopUpLV_MoveDown", "Move &Down")
        .enabled(When::InListView)
        .withIcon("go-down")
        .onToolbar(Button::MoveDown, 15, "Move Down"),
    separator("mnuPopUpLV", "mnu_PopUpLV_Bar0"),
    item("mnuPopUpLV", "mnu_PopUpLV_Delete", "De&lete").withIcon("edit-delete"),
    item("mnuPopUpLV", "mnu_PopUpLV_TextView", "Switch to &Text View").withIcon("text-x-generic"),
    separator("mnuPopUpLV", "mnu_PopUpLV_Bar1"),
    item("mnuPopUpLV", "mnu_PopUpLV_Comment", "Add/Remove &Comment")
        .enabled(When::WithDocument)
        .withIcon("comment-toggle", false)
        .onToolbar(Button::Comment, 16, "Add/Remove Comment", true),

    popUp("mnuPopUpTV", "Settings Explorer commands"),
    item("mnuPopUpTV", "mnu_PopUpTV_ExpandAll", "&Expand All").enabled(When::ByCategory),
    item("mnuPopUpTV", "mnu_PopUpTV_CollapseAll", "&Collapse All").enabled(When::ByCategory),
    separator("mnuPopUpTV", "mnu_PopUpTV_Bar0"),
    item("mnuPopUpTV", "mnu_PopUpTV_SortCategory", "&Sort by Category").marked(PopUpListing),
    item("mnuPopUpTV", "mnu_PopUpTV_SortAlpha", "Sort &Alphabetically").marked(PopUpListing),
};

// Toolbar buttons are squares of this side, in twips: the whole row fits the default window.
constexpr double ToolbarButtonSize = 300;

QString withoutMnemonic(QString caption)
{
    return caption.remove(QLatin1Char('&')).trimmed();
}

} // namespace

std::span<const Command> table()
{
    return Table;
}

void exclusiveChoices(QObject* owner, const QList<QAction*>& choices,
                      QActionGroup::ExclusionPolicy policy)
{
    auto* group = new QActionGroup(owner);
    group->setExclusionPolicy(policy);
    for (QAction* choice : choices)
        group->addAction(choice);
}

} // namespace Commands

using namespace Commands;

CommandSet::CommandSet(QMainWindow& window)
{
    QMap<int, QList<QAction*>> choices;
    for (const Command& command : table()) {
        addToMenus(window, command);
        if (command.choices != 0)
            choices[command.choices].append(m_items.value(QLatin1String(command.name)));
    }
    // A file with mixed line ends has neither mark.
    for (auto group = choices.cbegin(); group != choices.cend(); ++group)
        exclusiveChoices(group->first()->parent(), *group,
                         group.key() == LineEnds ? QActionGroup::ExclusionPolicy::ExclusiveOptional
                                                 : QActionGroup::ExclusionPolicy::Exclusive);
    addToToolbar(window);
    exclusiveChoices(m_toolbar, {button(Button::ListAlpha), button(Button::ListCat)});
    // Until the window's load step says otherwise. Only the list commands change what goes by
    // category, so it starts enabled.
    for (When rule : {When::WithDocument, When::InTextView, When::InListView, When::ByOwner}) {
        for (QAction* action : enabledWhen(rule))
            action->setEnabled(false);
    }
}

void CommandSet::addToMenus(QMainWindow& window, const Command& command)
{
    const QString name = QLatin1String(command.name);
    const QString caption = QString::fromUtf8(command.caption);
    QMenu* parent = command.parent ? menu(command.parent) : nullptr;
    QMenu* made = nullptr;
    switch (command.kind) {
    case Kind::Menu:
        made = window.menuBar()->addMenu(caption);
        made->menuAction()->setObjectName(name + QLatin1String("Title"));
        made->setAccessibleName(withoutMnemonic(caption));
        break;
    case Kind::Submenu:
        made = parent->addMenu(caption);
        made->setAccessibleName(withoutMnemonic(caption));
        break;
    case Kind::PopUp:
        made = new QMenu(&window);
        made->setAccessibleName(caption);
        break;
    case Kind::Separator:
        parent->addSeparator()->setObjectName(name);
        return;
    case Kind::Item: {
        QAction* action = parent->addAction(caption);
        action->setObjectName(name);
        if (command.shortcuts)
            action->setShortcuts(QKeySequence::listFromString(QLatin1String(command.shortcuts)));
        action->setCheckable(command.checkable);
        // Checkable items go without an icon: in several styles it takes the check mark's place.
        if (command.icon && !command.checkable)
            action->setIcon(commandIcon(command.icon, command.themedIcon));
        m_items.insert(name, action);
        return;
    }
    }
    made->setObjectName(name);
    m_menus.insert(name, made);
}

void CommandSet::addToToolbar(QMainWindow& window)
{
    m_toolbar = window.addToolBar(QStringLiteral("Toolbar"));
    m_toolbar->setObjectName(QStringLiteral("CoolBar1"));
    m_toolbar->setAccessibleName(QStringLiteral("Toolbar"));
    m_toolbar->setMovable(false);
    m_toolbar->setFloatable(false);
    m_toolbar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    m_toolbar->toggleViewAction()->setEnabled(false);
    setToolbarIconSize(m_toolbar);

    QList<const Command*> placed;
    for (const Command& command : table()) {
        if (command.toolbar.button >= 0)
            placed.append(&command);
    }
    std::sort(placed.begin(), placed.end(), [](const Command* a, const Command* b) {
        return a->toolbar.position < b->toolbar.position;
    });
    const int side = Twips::toPixels(ToolbarButtonSize, &window);
    for (const Command* command : std::as_const(placed)) {
        const ToolbarSlot& slot = command->toolbar;
        if (slot.gapBefore)
            m_toolbar->addSeparator();
        const QString tooltip = QLatin1String(slot.tooltip);
        QAction* button = m_toolbar->addAction(tooltip);
        button->setObjectName(QStringLiteral("FlatBttn(%1)").arg(slot.button));
        button->setToolTip(tooltip);
        button->setCheckable(command->checkable);
        if (command->icon)
            button->setIcon(commandIcon(command->icon, command->themedIcon));
        QWidget* widget = m_toolbar->widgetForAction(button);
        widget->setFixedSize(side, side);
        widget->setAccessibleName(tooltip);
        m_buttons.at(static_cast<size_t>(slot.button)) = button;
    }
}

QAction* CommandSet::item(const char* name) const
{
    QAction* found = m_items.value(QLatin1String(name));
    if (!found)
        qFatal("no command named %s", name);
    return found;
}

QMenu* CommandSet::menu(const char* name) const
{
    QMenu* found = m_menus.value(QLatin1String(name));
    if (!found)
        qFatal("no menu named %s", name);
    return found;
}

QList<QAction*> CommandSet::triggers(const char* name) const
{
    QList<QAction*> all{item(name)};
    for (const Command& command : table()) {
        if (qstrcmp(command.name, name) == 0 && command.toolbar.button >= 0)
            all.append(button(command.toolbar.button));
    }
    return all;
}

QList<QAction*> CommandSet::enabledWhen(When rule) const
{
    QList<QAction*> all;
    for (const Command& command : table()) {
        if (command.when != rule)
            continue;
        if (command.kind == Kind::Submenu)
            all.append(menu(command.name)->menuAction());
        else
            all.append(triggers(command.name));
    }
    return all;
}
