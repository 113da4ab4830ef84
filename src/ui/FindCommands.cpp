#include "ui/FindCommands.h"

#include "core/Version.h"
#include "ui/SettingsExplorer.h"
#include "ui/ConfigDocument.h"
#include "ui/DocumentViews.h"
#include "ui/ListSelection.h"
#include "core/RowModel.h"
#include "ui/FindDialog.h"
#include "core/Search.h"
#include "ui/Dialogs.h"

#include <QAction>
#include <QLineEdit>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextCursor>
#include <QTreeView>
#include <QTreeWidget>

namespace {

const QString FindCaption = QStringLiteral("Find");
const QString FindNextCaption = QStringLiteral("Find Next");

} // namespace

FindCommands::FindCommands(MainContext& context) : Component(context)
{
    for (QAction* trigger : {ui().mnuFind, ui().FlatBttn[Button::Find]})
        connect(trigger, &QAction::triggered, this, &FindCommands::OpenFind);
}

void FindCommands::OpenFind()
{
    if (m_dialog) {
        m_dialog->raise();
        m_dialog->activateWindow();
        return;
    }
    m_dialog = new FindDialog(ui().frmMain);
    m_dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(m_dialog->txtFind, &QLineEdit::textChanged, this, &FindCommands::SearchTextEdited);
    connect(m_dialog->FBFind, &QPushButton::clicked, this, &FindCommands::FindPressed);
    connect(m_dialog, &QDialog::finished, this, &FindCommands::FindClosed);

    m_dialog->PlaceBelowMiddleOf(ui().frmMain);
    m_dialog->FBFind->setEnabled(false);
    FindFromStart = true;
    FindTextOffset = 0;
    ChooseTarget();
    m_dialog->show();
}

void FindCommands::ChooseTarget()
{
    if (state().DocumentOpen) {
        (state().LastFocusInTree ? m_dialog->optTV : m_dialog->optEditor)->setChecked(true);
        m_dialog->FBFind->setText(FindCaption);
    } else {
        m_dialog->optTV->setChecked(true);
        m_dialog->optEditor->setEnabled(false);
    }
}

void FindCommands::SearchTextEdited(const QString& text)
{
    FindTextOffset = 0;
    FindFromStart = false;
    m_dialog->FBFind->setText(FindCaption);
    m_dialog->FBFind->setEnabled(!text.isEmpty());
}

void FindCommands::FindPressed()
{
    FindText = m_dialog->txtFind->text();
    if (m_dialog->FBFind->text() == FindCaption)
        FindFromStart = true;
    if (!m_dialog->optEditor->isChecked())
        TreeSearch();
    else if (ctx.views->IsTextView())
        TextSearch();
    else
        ListSearch();
    // The search may have reported a miss in a box of its own; the dialog is still there.
    if (m_dialog)
        m_dialog->FBFind->setText(FindNextCaption);
}

// However the dialog closes, the next opening starts over; the search text is kept.
void FindCommands::FindClosed()
{
    FindFromStart = false;
    FindTextOffset = 0;
    if (m_dialog)
        m_dialog->deleteLater();
    m_dialog = nullptr;
}

void FindCommands::ListSearch()
{
    QTreeView* list = ui().lvListView;
    const int after = FindFromStart ? -1 : SelectedRow(list);
    const int found = Search::FindRow(ctx.rows->rows(), after, FindText);
    if (found < 0) {
        ReportNotFound();
        return;
    }
    SelectRow(list, found);
    list->setFocus();
    FindFromStart = false;
}

void FindCommands::TreeSearch()
{
    const int count = ctx.explorer->NodeCount();
    QStringList texts;
    texts.reserve(count);
    for (int number = 1; number <= count; ++number) {
        const QTreeWidgetItem* node = ctx.explorer->Node(number);
        texts.append(node ? node->text(0) : QString());
    }
    const int after = FindFromStart ? -1 : SelectedNodeIndex();
    const int found = Search::FindNode(texts, after, FindText);
    if (found < 0) {
        ReportNotFound();
        return;
    }
    QTreeWidget* tree = ui().tvTreeView;
    tree->setCurrentItem(ctx.explorer->Node(found + 1));
    tree->setFocus();
    FindFromStart = false;
}

// 0-based in insertion order; -1 when no node is selected.
int FindCommands::SelectedNodeIndex() const
{
    const QList<QTreeWidgetItem*> selected = ctx.ui.tvTreeView->selectedItems();
    if (selected.isEmpty())
        return -1;
    const int count = ctx.explorer->NodeCount();
    for (int number = 1; number <= count; ++number) {
        if (ctx.explorer->Node(number) == selected.constFirst())
            return number - 1;
    }
    return -1;
}

void FindCommands::TextSearch()
{
    const qsizetype offset = FindFromStart ? 0 : FindTextOffset;
    const Search::TextMatch match = Search::FindText(ctx.document->text(), offset, FindText);
    if (match.found()) {
        ui().frmMain->activateWindow();
        QPlainTextEdit* textView = ui().txtTextBox;
        textView->setFocus();
        // The match is in positions of the text, whose line breaks are two characters long.
        const int start = ctx.document->cursorPositionFromText(static_cast<int>(match.start));
        const int end =
            ctx.document->cursorPositionFromText(static_cast<int>(match.start + match.length));
        QTextCursor cursor = textView->textCursor();
        cursor.setPosition(start);
        cursor.setPosition(end, QTextCursor::KeepAnchor);
        textView->setTextCursor(cursor);
        FindTextOffset = match.start + 1;
    } else {
        ReportNotFound();
    }
    FindFromStart = false;
}

void FindCommands::ReportNotFound()
{
    ctx.dialogs.message(m_dialog, ProductName, QStringLiteral("String not found."),
                        QMessageBox::NoIcon, QMessageBox::Ok);
}
