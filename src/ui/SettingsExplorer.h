#pragma once

#include <QObject>

class EditingState;
class QAction;
class SettingsTree;

// The Settings Explorer's commands: building the tree from the chosen version's settings by
// category or alphabetically, and expanding and collapsing it. The listing mode is the editing
// state's; the marks of the menu items and toolbar buttons follow it.
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

    SettingsExplorer(SettingsTree& tree, EditingState& state, Marks marks,
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
    void showMode(bool byCategory);

    SettingsTree& m_tree;
    EditingState& m_state;
    Marks m_marks;
};
