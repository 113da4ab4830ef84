#pragma once

#include "ui/MainContext.h"

class QEvent;
class QKeyEvent;

// Delete, move and comment one line of the document, in the list view or the text view, and
// the list view's own mouse and keyboard triggers for them.
class RowOperations : public Component {
    Q_OBJECT
public:
    explicit RowOperations(MainContext& context);

    void DeleteItem();
    void MoveRowUp();
    void MoveRowDown();
    void ToggleComment();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool HandleListKey(const QKeyEvent& key);
    // The selected row after giving the list the focus, or -1 when the command has nothing to do.
    int SelectedRowForCommand();
    void SelectAndShow(int row);
    void FinishDelete();
    void ToggleCommentInList();
    void ToggleCommentInText();
};
