#pragma once

#include "ui/MainContext.h"

#include <QList>

class QTreeWidgetItem;

// The Settings Explorer tree (tvTreeView): the loaded catalogue by category or alphabetically,
// its list, expand and collapse commands and its pop-up menu. The listing mode lives only in
// the six marks (menu checks and toolbar buttons) that are always set together.
class SettingsExplorer : public Component {
    Q_OBJECT
public:
    explicit SettingsExplorer(MainContext& context);

    void BuildSettingsTree(bool byCategory);
    void ListCommand(bool byCategory);
    void ExpandAllNodes();
    void CollapseAllNodes();
    bool IsByCategory() const;
    // Node number n (1-based) in insertion order, or nullptr.
    QTreeWidgetItem* Node(int number) const;
    int NodeCount() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ConnectCommands();
    void AddCategoryNodes(QList<QTreeWidgetItem*>& topLevel);
    void AddAlphabeticalNodes(QList<QTreeWidgetItem*>& topLevel);
    void PopUpListCommand(bool byCategory);
    void SetMenuMarks(bool byCategory);
    void SetButtonMarks(bool byCategory);
    void ClearEditorStrip();
    void PlaceDescriptionLabel();
    bool ForwardNavigationKey(QEvent* event);
    QTreeWidgetItem* SelectedNode() const;

    // Every node in the order it was added; node number n is m_nodes[n - 1].
    QList<QTreeWidgetItem*> m_nodes;
    bool m_forwardingKey = false;
};
