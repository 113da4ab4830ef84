#pragma once

#include <QList>
#include <QTreeWidget>

class CatalogueTable;

// tvTreeView: the catalogue's settings by category or alphabetically. Each node keeps its key
// ("P" + category, "C" + setting name) in NodeKeyRole, and the nodes are kept in the order
// they were added, so that node number n is at hand.
class SettingsTree : public QTreeWidget {
    Q_OBJECT
public:
    static constexpr int NodeKeyRole = Qt::UserRole + 1;

    explicit SettingsTree(QWidget* parent = nullptr);

    void rebuild(const CatalogueTable& catalogue, bool byCategory);
    // Node number n (1-based) in insertion order, or nullptr.
    QTreeWidgetItem* node(int number) const;
    int nodeCount() const;
    // 0-based in insertion order; -1 for none.
    int nodeIndex(const QTreeWidgetItem* node) const;
    QTreeWidgetItem* selectedNode() const;
    static bool isCategoryNode(const QTreeWidgetItem* node);

signals:
    // A click or a double-click chose the selected node.
    void settingChosen(const QString& name);
    void categoryChosen();
    // The selection moved to a node by any other means: keys, a drag, the program.
    void settingSelected(const QString& name);
    void categorySelected();
    // Enter or F2 on a setting: the user wants to type its value.
    void editRequested();
    void popUpRequested();
    void focusEntered();

protected:
    void focusInEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void chooseSelectedNode();
    void addCategoryNodes(const CatalogueTable& catalogue, QList<QTreeWidgetItem*>& topLevel);
    void addAlphabeticalNodes(const CatalogueTable& catalogue, QList<QTreeWidgetItem*>& topLevel);

    QList<QTreeWidgetItem*> m_nodes;
};
