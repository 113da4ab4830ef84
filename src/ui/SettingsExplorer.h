#pragma once

#include <QObject>

class CatalogueTable;
class QAction;
class SettingsTree;

// The Settings Explorer's commands: building the tree from the loaded catalogue by category or
// alphabetically, and expanding and collapsing it. The listing mode lives only in the marks
// of the menu items and toolbar buttons, which are always set together.
class SettingsExplorer : public QObject {
    Q_OBJECT
public:
    // The items whose marks show the listing mode, and those that only apply by category.
    struct Marks {
        QAction* menuByCategory;
        QAction* menuAlphabetical;
        QAction* buttonByCategory;
        QAction* buttonAlphabetical;
        QAction* popUpByCategory;
        QAction* popUpAlphabetical;
        QList<QAction*> categoryOnly;
    };

    SettingsExplorer(SettingsTree& tree, const CatalogueTable& catalogue, Marks marks,
                     QObject* parent = nullptr);

    void BuildSettingsTree(bool byCategory);
    void listCommand(bool byCategory);
    void ExpandAllNodes();
    void CollapseAllNodes();
    bool isByCategory() const;
    int nodeCount() const;

signals:
    // The tree was built afresh: the value editor has nothing to show.
    void treeRebuilt();
    void helpBlankRequested();

private:
    void setMenuMarks(bool byCategory);
    void setButtonMarks(bool byCategory);

    SettingsTree& m_tree;
    const CatalogueTable& m_catalogue;
    Marks m_marks;
};
