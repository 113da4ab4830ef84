#pragma once

#include "ui/DocumentWidgets.h"

#include <QObject>
#include <QPointer>
#include <QString>

class ConfigDocument;
class Dialogs;
class FindDialog;
class SettingsTree;

// Edit > Find: the modeless Find dialog and the searches it runs over the list, the text view
// or the Settings Explorer, one match per press, continuing from the last match. The dialog
// keeps the keyboard focus while it is open, so Return is always the next press; each match is
// selected and scrolled into view behind it.
class FindCommands : public QObject {
    Q_OBJECT
public:
    FindCommands(const ConfigDocument& document, Dialogs& dialogs, const DocumentWidgets& views,
                 SettingsTree* tree, QObject* parent = nullptr);

    void openFind();
    // F3: the next press of Find while the dialog holds a search text; with the dialog closed,
    // the last search again from the selection or caret; with nothing searched yet, Find.
    void findNext();
    // Shift+F3: the same search backwards, from the match shown towards the start.
    void findPrevious();
    // Edit > Go to Line: the caret to the start of the line asked for, or that row selected.
    void goToLine();
    // Whether the tree was the last of tree, list and text view to take the keyboard focus:
    // the search then starts in the Settings Explorer.
    void setLastFocusInTree(bool inTree) { m_lastFocusInTree = inTree; }
    bool LastFocusInTree() const { return m_lastFocusInTree; }

    // The search state lives as long as the main window.
    QString FindText;
    bool FindFromStart = false;
    // Leading characters of the document's text that a continued text search skips.
    qsizetype FindTextOffset = 0;

signals:
    // A node of the Settings Explorer was found and selected: the value editor shows it.
    void nodeFound();

private:
    void chooseTarget();
    void searchTextEdited(const QString& text);
    void findPressed();
    void search(bool backward);
    void repeatSearch(bool backward);
    void runSearch(bool backward);
    void findClosed();
    void listSearch(bool backward);
    void treeSearch(bool backward);
    void textSearch(bool backward);
    void reportNotFound();

    const ConfigDocument& m_document;
    Dialogs& m_dialogs;
    DocumentWidgets m_views;
    SettingsTree* m_tree;
    bool m_lastFocusInTree = false;
    // Where the last search looked, for F3 once the dialog is closed.
    bool m_searchedTree = false;
    QPointer<FindDialog> m_dialog;
};
