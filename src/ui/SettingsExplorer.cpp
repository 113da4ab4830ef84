#include "ui/SettingsExplorer.h"

#include "ui/SettingsTree.h"

#include <QAction>

SettingsExplorer::SettingsExplorer(SettingsTree& tree, const CatalogueTable& catalogue, Marks marks,
                                   QObject* parent)
    : QObject(parent), m_tree(tree), m_catalogue(catalogue), m_marks(std::move(marks))
{}

void SettingsExplorer::BuildSettingsTree(bool byCategory)
{
    m_tree.Rebuild(m_catalogue, byCategory);
    SetButtonMarks(byCategory);
    SetMenuMarks(byCategory);
    emit treeRebuilt();
    CollapseAllNodes();
    if (QTreeWidgetItem* first = m_tree.Node(1))
        first->setExpanded(true);
}

void SettingsExplorer::ListCommand(bool byCategory)
{
    BuildSettingsTree(byCategory);
    emit helpBlankRequested();
    for (QAction* item : m_marks.categoryOnly)
        item->setEnabled(byCategory);
    if (QTreeWidgetItem* first = m_tree.Node(1))
        m_tree.setCurrentItem(first);
}

void SettingsExplorer::ExpandAllNodes()
{
    if (SettingsTree::IsCategoryNode(m_tree.SelectedNode()))
        emit helpBlankRequested();
    m_tree.expandAll();
    if (QTreeWidgetItem* first = m_tree.Node(1))
        m_tree.scrollToItem(first);
}

void SettingsExplorer::CollapseAllNodes()
{
    m_tree.collapseAll();
    emit helpBlankRequested();
}

bool SettingsExplorer::IsByCategory() const
{
    return m_marks.menuByCategory->isChecked();
}

int SettingsExplorer::NodeCount() const
{
    return m_tree.NodeCount();
}

void SettingsExplorer::SetMenuMarks(bool byCategory)
{
    m_marks.menuByCategory->setChecked(byCategory);
    m_marks.menuAlphabetical->setChecked(!byCategory);
    m_marks.popUpByCategory->setChecked(byCategory);
    m_marks.popUpAlphabetical->setChecked(!byCategory);
}

void SettingsExplorer::SetButtonMarks(bool byCategory)
{
    m_marks.buttonByCategory->setChecked(byCategory);
    m_marks.buttonAlphabetical->setChecked(!byCategory);
}
