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

    // Shows only the settings whose name or description contains `text` (any case), with
    // their categories expanded. An empty text brings the whole tree back as it was before
    // the filtering began, the current node kept.
    void filter(const QString& text);
    const QString& filterText() const { return m_filter; }
    // Filters a freshly built tree by the text that filtered the one before.
    void reapplyFilter();
    // Hands the selected node to the value editor again, the focus left where it is.
    void announceSelection();

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
    // Aligned with m_nodes: each setting's description (empty for a category) and whether
    // the filter hides the node.
    QStringList m_descriptions;
    QList<bool> m_hidden;
    QString m_filter;
    // The categories that were expanded when the filtering began.
    QList<QTreeWidgetItem*> m_expandedBeforeFilter;
};
