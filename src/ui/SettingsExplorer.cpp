#include "ui/SettingsExplorer.h"

#include "core/EditingState.h"
#include "ui/SettingsTree.h"

#include <QAction>
#include <QSignalBlocker>

SettingsExplorer::SettingsExplorer(SettingsTree& tree, EditingState& state, Marks marks,
                                   QObject* parent)
    : QObject(parent), m_tree(tree), m_state(state), m_marks(std::move(marks))
{
    connect(&m_state, &EditingState::listByCategoryChanged, this, &SettingsExplorer::showMode);
    showMode(m_state.listByCategory());
}

void SettingsExplorer::BuildSettingsTree(bool byCategory)
{
    m_state.setListByCategory(byCategory);
    m_tree.rebuild(m_state.catalogue(), byCategory);
    emit treeRebuilt();
    // A tree built afresh is collapsed already; laying it out again for that would be wasted.
    emit helpBlankRequested();
    if (QTreeWidgetItem* first = m_tree.node(1))
        first->setExpanded(true);
    m_tree.reapplyFilter();
}

void SettingsExplorer::listCommand(bool byCategory)
{
    BuildSettingsTree(byCategory);
    emit helpBlankRequested();
    // Only the list commands set these: start-up and a version choice leave them as they were.
    for (QAction* item : m_marks.categoryOnly)
        item->setEnabled(byCategory);
    // The first node is selected for the keys to start from; the value editor stays bare
    // until the user picks a setting.
    if (QTreeWidgetItem* first = m_tree.node(1)) {
        const QSignalBlocker quiet(m_tree);
        m_tree.setCurrentItem(first);
    }
}

void SettingsExplorer::ExpandAllNodes()
{
    if (SettingsTree::isCategoryNode(m_tree.selectedNode()))
        emit helpBlankRequested();
    m_tree.expandAll();
    if (QTreeWidgetItem* first = m_tree.node(1))
        m_tree.scrollToItem(first);
}

void SettingsExplorer::CollapseAllNodes()
{
    m_tree.collapseAll();
    emit helpBlankRequested();
}

bool SettingsExplorer::isByCategory() const
{
    return m_state.listByCategory();
}

int SettingsExplorer::nodeCount() const
{
    return m_tree.nodeCount();
}

void SettingsExplorer::showMode(bool byCategory)
{
    for (QAction* item :
         {m_marks.menuByCategory, m_marks.buttonByCategory, m_marks.popUpByCategory})
        item->setChecked(byCategory);
    for (QAction* item :
         {m_marks.menuAlphabetical, m_marks.buttonAlphabetical, m_marks.popUpAlphabetical})
        item->setChecked(!byCategory);
}
