#include "ui/RowOperations.h"

#include "core/ConfigDocument.h"
#include "core/DocumentEdits.h"
#include "ui/Dialogs.h"
#include "ui/ListSelection.h"

#include <QAction>
#include <QCursor>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTreeView>

RowOperations::RowOperations(ConfigDocument& document, Dialogs& dialogs,
                             const DocumentWidgets& views, QMenu* listPopUp, QAction* confirmDelete,
                             QObject* parent)
    : QObject(parent), m_document(document), m_dialogs(dialogs), m_views(views),
      m_listPopUp(listPopUp), m_confirmDelete(confirmDelete)
{
    QTreeView* list = m_views.list;
    connect(list, &QAbstractItemView::doubleClicked, this, &RowOperations::DeleteItem);
    list->installEventFilter(this);
    list->viewport()->installEventFilter(this);
}

bool RowOperations::eventFilter(QObject* watched, QEvent* event)
{
    QTreeView* list = m_views.list;
    if (watched == list) {
        if (event->type() == QEvent::KeyPress)
            return handleListKey(*static_cast<QKeyEvent*>(event));
    } else if (watched == list->viewport()) {
        const auto type = event->type();
        if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonDblClick)
            return false;
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (type == QEvent::MouseButtonPress && mouse->button() == Qt::RightButton) {
            // The pop-up acts on the selected row, the one the value editor was set up for,
            // so the press does not select the row under the pointer.
            m_listPopUp->popup(QCursor::pos());
            return true;
        }
        // Only a left double-click deletes.
        return type == QEvent::MouseButtonDblClick && mouse->button() != Qt::LeftButton;
    }
    return false;
}

bool RowOperations::handleListKey(const QKeyEvent& key)
{
    const auto modifiers = key.modifiers() & ~Qt::KeypadModifier;
    if (key.key() == Qt::Key_Delete && modifiers == Qt::NoModifier) {
        DeleteItem();
        return true;
    }
    if (modifiers == Qt::ControlModifier && key.key() == Qt::Key_Up) {
        MoveRowUp();
        return true;
    }
    if (modifiers == Qt::ControlModifier && key.key() == Qt::Key_Down) {
        MoveRowDown();
        return true;
    }
    return false;
}

int RowOperations::selectedRowForCommand()
{
    const int row = selectedRow(m_views.list);
    if (m_document.rows().count() == 0 || row < 0)
        return -1;
    m_views.list->setFocus();
    return row;
}

void RowOperations::selectAndShow(int row)
{
    QTreeView* list = m_views.list;
    selectRow(list, row);
    const QModelIndex index = m_document.rows().index(row, 0);
    if (index.isValid())
        list->scrollTo(index);
}

void RowOperations::DeleteItem()
{
    DocumentEdits edits(m_document);
    if (m_document.isTextView()) {
        const QTextCursor cursor = m_views.text->textCursor();
        edits.replaceRange(cursor.selectionStart(), cursor.selectionEnd(), QString(),
                           QStringLiteral("Delete"));
        return;
    }

    const int row = selectedRowForCommand();
    if (row < 0)
        return;
    if (m_confirmDelete->isChecked()) {
        const QString question = QStringLiteral("Are you sure you want to delete the item ") +
                                 m_document.rows().row(row).Setting + QStringLiteral(" ?");
        const auto answer = m_dialogs.message(m_views.window, QStringLiteral("Delete Item"),
                                              question, QMessageBox::NoIcon,
                                              QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
        if (answer != QMessageBox::Yes) {
            finishDelete();
            return;
        }
    }
    selectAndShow(edits.deleteRow(row));
    finishDelete();
}

void RowOperations::finishDelete()
{
    emit rowDeleted();
    // The user was working in the list, wherever the editor's reset put the focus.
    m_views.list->setFocus();
}

void RowOperations::MoveRowUp()
{
    const int moved = DocumentEdits(m_document).moveUp(selectedRowForCommand());
    if (moved >= 0)
        selectAndShow(moved);
}

void RowOperations::MoveRowDown()
{
    const int moved = DocumentEdits(m_document).moveDown(selectedRowForCommand());
    if (moved >= 0)
        selectAndShow(moved);
}

void RowOperations::ToggleComment()
{
    DocumentEdits edits(m_document);
    if (!m_document.isTextView()) {
        edits.toggleComment(selectedRowForCommand());
        return;
    }
    QPlainTextEdit* textView = m_views.text;
    const int caret = edits.toggleCommentAt(textView->textCursor().position());
    textView->setFocus();
    QTextCursor cursor = textView->textCursor();
    cursor.setPosition(caret);
    textView->setTextCursor(cursor);
}
