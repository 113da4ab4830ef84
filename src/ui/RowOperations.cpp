#include "ui/RowOperations.h"

#include "ui/ConfigDocument.h"
#include "core/ConfigText.h"
#include "ui/DocumentViews.h"
#include "ui/ListSelection.h"
#include "core/RowModel.h"
#include "ui/ValueEditor.h"
#include "ui/Dialogs.h"

#include <QAction>
#include <QCursor>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTreeView>

namespace {

const QString CommentMark = QStringLiteral(";");
const QString LineBreak = QStringLiteral("\r\n");

// The caret's line in text (CR LF between lines): [start, end) without its line break.
std::pair<qsizetype, qsizetype> LineAround(const QString& text, qsizetype position)
{
    qsizetype start = 0;
    if (position >= 2) {
        const qsizetype previousBreak = text.lastIndexOf(LineBreak, position - 2);
        if (previousBreak >= 0)
            start = previousBreak + LineBreak.size();
    }
    qsizetype end = text.indexOf(LineBreak, start);
    if (end < 0)
        end = text.size();
    return {start, end};
}

// Removes the first ";" when the line, leading spaces aside, starts with one; otherwise puts
// ";" in front of the line.
QString ToggledLine(QString line)
{
    qsizetype firstNonSpace = 0;
    while (firstNonSpace < line.size() && line.at(firstNonSpace) == QLatin1Char(' '))
        ++firstNonSpace;
    if (firstNonSpace < line.size() && line.at(firstNonSpace) == CommentMark.front())
        return line.remove(firstNonSpace, 1);
    return CommentMark + line;
}

} // namespace

RowOperations::RowOperations(MainContext& context) : Component(context)
{
    MainWidgets& ui = this->ui();
    for (QAction* trigger : {ui.mnuEditDelete, ui.FlatBttn[Button::Delete], ui.mnu_PopUpLV_Delete})
        connect(trigger, &QAction::triggered, this, &RowOperations::DeleteItem);
    for (QAction* trigger : {ui.mnu_PopUpLV_MoveUp, ui.FlatBttn[Button::MoveUp]})
        connect(trigger, &QAction::triggered, this, &RowOperations::MoveRowUp);
    for (QAction* trigger : {ui.mnu_PopUpLV_MoveDown, ui.FlatBttn[Button::MoveDown]})
        connect(trigger, &QAction::triggered, this, &RowOperations::MoveRowDown);
    for (QAction* trigger : {ui.mnu_PopUpLV_Comment, ui.FlatBttn[Button::Comment]})
        connect(trigger, &QAction::triggered, this, &RowOperations::ToggleComment);

    connect(ui.lvListView, &QAbstractItemView::doubleClicked, this, &RowOperations::DeleteItem);
    ui.lvListView->installEventFilter(this);
    ui.lvListView->viewport()->installEventFilter(this);
}

bool RowOperations::eventFilter(QObject* watched, QEvent* event)
{
    QTreeView* list = ui().lvListView;
    if (watched == list) {
        if (event->type() == QEvent::FocusIn)
            state().LastFocusInTree = false;
        else if (event->type() == QEvent::KeyPress)
            return HandleListKey(*static_cast<QKeyEvent*>(event));
    } else if (watched == list->viewport()) {
        const auto type = event->type();
        if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonDblClick)
            return false;
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (type == QEvent::MouseButtonPress && mouse->button() == Qt::RightButton) {
            // The pop-up acts on the selected row, the one the value editor was set up for,
            // so the press does not select the row under the pointer.
            ui().mnuPopUpLV->popup(QCursor::pos());
            return true;
        }
        // Only a left double-click deletes.
        return type == QEvent::MouseButtonDblClick && mouse->button() != Qt::LeftButton;
    }
    return false;
}

bool RowOperations::HandleListKey(const QKeyEvent& key)
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

int RowOperations::SelectedRowForCommand()
{
    const int row = SelectedRow(ui().lvListView);
    if (ctx.rows->count() == 0 || row < 0)
        return -1;
    ui().lvListView->setFocus();
    return row;
}

void RowOperations::SelectAndShow(int row)
{
    QTreeView* list = ui().lvListView;
    SelectRow(list, row);
    const QModelIndex index = ctx.rows->index(row, 0);
    if (index.isValid())
        list->scrollTo(index);
}

void RowOperations::DeleteItem()
{
    const bool confirm = ui().mnuToolsConfirmDelete->isChecked();
    if (ctx.views->IsTextView()) {
        QTextCursor cursor = ui().txtTextBox->textCursor();
        cursor.removeSelectedText();
        state().DocumentChanged = true;
        return;
    }

    const int row = SelectedRowForCommand();
    if (row < 0)
        return;
    if (confirm) {
        const QString question = QStringLiteral("Are you sure you want to delete the item ") +
                                 ctx.rows->row(row).Setting + QStringLiteral(" ?");
        const auto answer = ctx.dialogs.message(
            ui().frmMain, QStringLiteral("Delete Item"), question, QMessageBox::NoIcon,
            QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
        if (answer != QMessageBox::Yes) {
            FinishDelete();
            return;
        }
    }
    ctx.rows->removeRowAt(row);
    // The row that took the removed one's place keeps the keyboard going.
    SelectAndShow(std::min(row, ctx.rows->count() - 1));
    FinishDelete();
}

void RowOperations::FinishDelete()
{
    ctx.valueEditor->ResetValueEditor();
    // The reset hands the focus to the Settings Explorer; the user was working in the list.
    ui().lvListView->setFocus();
    state().DocumentChanged = true;
}

void RowOperations::MoveRowUp()
{
    const int k = SelectedRowForCommand();
    if (k <= 0)
        return;
    const Row moved = ctx.rows->row(k);
    // The moved row gets a new, empty Key: its own stays in use until the old row is gone.
    ctx.rows->insertRowAt(k - 1, Row{QString(), moved.Setting, moved.Parameter});
    ctx.rows->removeRowAt(k + 1);
    SelectAndShow(k - 1);
    state().DocumentChanged = true;
}

void RowOperations::MoveRowDown()
{
    const int k = SelectedRowForCommand();
    if (k < 0 || k == ctx.rows->count() - 1)
        return;
    const Row moved = ctx.rows->row(k);
    ctx.rows->insertRowAt(k + 2, Row{QString(), moved.Setting, moved.Parameter});
    ctx.rows->removeRowAt(k);
    SelectAndShow(k + 1);
    state().DocumentChanged = true;
}

void RowOperations::ToggleComment()
{
    if (ctx.views->IsTextView())
        ToggleCommentInText();
    else
        ToggleCommentInList();
}

void RowOperations::ToggleCommentInList()
{
    const int k = SelectedRowForCommand();
    if (k < 0)
        return;
    const Row& row = ctx.rows->row(k);
    if (row.Setting == CommentMark) {
        // An empty Parameter gives a blank row, still a valid one.
        const auto [setting, parameter] = ConfigText::SplitFirstWord(row.Parameter);
        ctx.rows->setRowTexts(k, setting, parameter);
    } else {
        ctx.rows->setRowTexts(k, CommentMark, row.Setting + QLatin1Char(' ') + row.Parameter);
    }
    state().DocumentChanged = true;
}

void RowOperations::ToggleCommentInText()
{
    QPlainTextEdit* textView = ui().txtTextBox;
    const QString text = ctx.document->text();
    const int caret = ctx.document->textPositionFromCursor(textView->textCursor().position());
    const auto [start, end] = LineAround(text, caret);

    ctx.document->setText(text.first(start) + ToggledLine(text.sliced(start, end - start)) +
                          text.sliced(end));

    textView->setFocus();
    // The caret goes back to the same text position, not adjusted for the mark.
    QTextCursor cursor = textView->textCursor();
    cursor.setPosition(ctx.document->cursorPositionFromText(caret));
    textView->setTextCursor(cursor);
}
