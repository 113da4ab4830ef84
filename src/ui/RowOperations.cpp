#include "ui/RowOperations.h"

#include "core/ConfigDocument.h"
#include "core/RowEdits.h"
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
    if (m_document.isTextView()) {
        const ConfigDocument::Step step(m_document, QStringLiteral("Delete"));
        m_views.text->textCursor().removeSelectedText();
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
    {
        const ConfigDocument::Step step(m_document, QStringLiteral("Delete"));
        m_document.rows().removeRowAt(row);
    }
    // The row that took the removed one's place keeps the keyboard going.
    selectAndShow(std::min(row, m_document.rows().count() - 1));
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
    const int k = selectedRowForCommand();
    if (k <= 0)
        return;
    RowModel& rows = m_document.rows();
    // The moved row keeps its line but gets a new, empty Key: its own stays in use until the old
    // row is gone.
    Row moved = rows.row(k);
    moved.Key.clear();
    {
        ConfigDocument::Step step(m_document, QStringLiteral("Move Up"), k);
        step.setPlaceAfter(k - 1);
        rows.insertRowAt(k - 1, moved);
        rows.removeRowAt(k + 1);
    }
    selectAndShow(k - 1);
}

void RowOperations::MoveRowDown()
{
    const int k = selectedRowForCommand();
    RowModel& rows = m_document.rows();
    if (k < 0 || k == rows.count() - 1)
        return;
    Row moved = rows.row(k);
    moved.Key.clear();
    {
        ConfigDocument::Step step(m_document, QStringLiteral("Move Down"), k);
        step.setPlaceAfter(k + 1);
        rows.insertRowAt(k + 2, moved);
        rows.removeRowAt(k);
    }
    selectAndShow(k + 1);
}

void RowOperations::ToggleComment()
{
    const ConfigDocument::Step step(m_document, QStringLiteral("Add/Remove Comment"));
    if (m_document.isTextView())
        toggleCommentInText();
    else
        toggleCommentInList();
}

void RowOperations::toggleCommentInList()
{
    const int k = selectedRowForCommand();
    if (k < 0)
        return;
    const auto [setting, parameter] = RowEdits::toggledComment(m_document.rows().row(k));
    m_document.rows().setRowTexts(k, setting, parameter);
}

void RowOperations::toggleCommentInText()
{
    QPlainTextEdit* textView = m_views.text;
    const int caret = m_document.textPositionFromCursor(textView->textCursor().position());
    m_document.setText(RowEdits::toggleCommentAt(m_document.text(), caret));

    textView->setFocus();
    // The caret goes back to the same text position, not adjusted for the mark.
    QTextCursor cursor = textView->textCursor();
    cursor.setPosition(m_document.cursorPositionFromText(caret));
    textView->setTextCursor(cursor);
}
