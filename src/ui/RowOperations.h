#pragma once

#include "ui/DocumentWidgets.h"

#include <QObject>

class ConfigDocument;
class Dialogs;
class QAction;
class QEvent;
class QKeyEvent;
class QMenu;

// Delete, move and comment one line of the document, in the list view or the text view, and
// the list view's own mouse and keyboard triggers for them.
class RowOperations : public QObject {
    Q_OBJECT
public:
    // listPopUp: the list's pop-up menu; confirmDelete: whether Delete asks first.
    RowOperations(ConfigDocument& document, Dialogs& dialogs, const DocumentWidgets& views,
                  QMenu* listPopUp, QAction* confirmDelete, QObject* parent = nullptr);

    void DeleteItem();
    void MoveRowUp();
    void MoveRowDown();
    void ToggleComment();

signals:
    // A row was deleted (or its deletion refused): the value editor has nothing to show.
    void rowDeleted();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool handleListKey(const QKeyEvent& key);
    // The selected row after giving the list the focus, or -1 when the command has nothing to do.
    int selectedRowForCommand();
    void selectAndShow(int row);
    void finishDelete();

    ConfigDocument& m_document;
    Dialogs& m_dialogs;
    DocumentWidgets m_views;
    QMenu* m_listPopUp;
    QAction* m_confirmDelete;
};
