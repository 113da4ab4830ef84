#pragma once

#include <QList>
#include <QObject>

class ConfigDocument;
class QAbstractScrollArea;
class QAction;
class QEvent;
class QKeyEvent;
class QPlainTextEdit;
class QTreeView;

// The list view and the text view of the document: which one shows, the switch between them
// (the document converts itself across), and the commands that depend on the view or on an
// open document.
class DocumentViews : public QObject {
    Q_OBJECT
public:
    struct Commands {
        // The view's marks: menu items and toolbar buttons.
        QAction* textItem;
        QAction* listItem;
        QAction* textButton;
        QAction* listButton;
        QAction* fontsItem;
        QAction* editMenu;
        QList<QAction*> needDocument;
        QList<QAction*> textViewOnly;
        QList<QAction*> listViewOnly;
    };

    DocumentViews(ConfigDocument& document, QTreeView* list, QPlainTextEdit* text,
                  Commands commands, QObject* parent = nullptr);

    bool IsTextView() const;
    void SetView(bool textMode);
    void textViewCommand();
    void listViewCommand();
    void popUpSwitchToTextView();
    void SetDocumentCommandStates();
    // Announces the selected row again, as after a command that changed it.
    void announceSelection();
    // Selects the row (list) or puts the caret at the position (text), scrolled into view; a
    // row is chosen as a click on it would choose it.
    void showChange(int place);

signals:
    // A click chose a row of the list (-1: none is selected).
    void rowChosen(int row);
    // The list's selected row changed or was rewritten, by any means (-1: none is selected).
    void rowSelected(int row);
    // Enter or F2 in the list: the user wants to type the selected row's value.
    void editRequested();
    // The user switched views: the value editor has nothing to show.
    void viewSwitched();
    // The list or the text view took the keyboard focus.
    void documentFocused();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showView(bool textMode);
    void SetViewCommandStates(bool isText);
    bool listKeyPressed(QKeyEvent* key);
    bool textKeyPressed(QKeyEvent* key);
    bool leaveText(QKeyEvent* key);
    bool breakLine(QKeyEvent* key);
    void setViewEnabled(QAbstractScrollArea* view, bool enabled);

    ConfigDocument& m_document;
    QTreeView* m_list;
    QPlainTextEdit* m_text;
    Commands m_commands;
};
