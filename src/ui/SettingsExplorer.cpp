#include "ui/SettingsExplorer.h"

#include "ui/SettingsTree.h"

#include <QAction>
#include <QSignalBlocker>

SettingsExplorer::SettingsExplorer(SettingsTree& tree, const CatalogueTable& catalogue, Marks marks,
                                   QObject* parent)
    : QObject(parent), m_tree(tree), m_catalogue(catalogue), m_marks(std::move(marks))
{}

void SettingsExplorer::BuildSettingsTree(bool byCategory)
{
    m_tree.rebuild(m_catalogue, byCategory);
    setButtonMarks(byCategory);
    setMenuMarks(byCategory);
    emit treeRebuilt();
    CollapseAllNodes();
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
    return m_marks.menuByCategory->isChecked();
}

int SettingsExplorer::nodeCount() const
{
    return m_tree.nodeCount();
}

void SettingsExplorer::setMenuMarks(bool byCategory)
{
    m_marks.menuByCategory->setChecked(byCategory);
    m_marks.menuAlphabetical->setChecked(!byCategory);
    m_marks.popUpByCategory->setChecked(byCategory);
    m_marks.popUpAlphabetical->setChecked(!byCategory);
}

void SettingsExplorer::setButtonMarks(bool byCategory)
{
    m_marks.buttonByCategory->setChecked(byCategory);
    m_marks.buttonAlphabetical->setChecked(!byCategory);
}
