#include "ui/FindCommands.h"

#include "core/ConfigDocument.h"
#include "core/Search.h"
#include "core/Version.h"
#include "ui/Dialogs.h"
#include "ui/FindDialog.h"
#include "ui/ListSelection.h"
#include "ui/SettingsTree.h"

#include <QLineEdit>
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

FindCommands::FindCommands(const ConfigDocument& document, Dialogs& dialogs,
                           const DocumentWidgets& views, SettingsTree* tree, QObject* parent)
    : QObject(parent), m_document(document), m_dialogs(dialogs), m_views(views), m_tree(tree)
{}

void FindCommands::openFind()
{
    if (m_dialog) {
        m_dialog->raise();
        m_dialog->activateWindow();
        m_dialog->txtFind->setFocus(Qt::ShortcutFocusReason);
        return;
    }
    m_dialog = new FindDialog(m_views.window);
    m_dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(m_dialog->txtFind, &QLineEdit::textChanged, this, &FindCommands::searchTextEdited);
    connect(m_dialog->FBFind, &QPushButton::clicked, this, &FindCommands::findPressed);
    connect(m_dialog, &QDialog::finished, this, &FindCommands::findClosed);

    m_dialog->placeBelowMiddleOf(m_views.window);
    m_dialog->FBFind->setEnabled(false);
    FindFromStart = true;
    FindTextOffset = 0;
    chooseTarget();
    m_dialog->show();
    m_dialog->activateWindow();
    m_dialog->txtFind->setFocus(Qt::ShortcutFocusReason);
}

void FindCommands::findNext()
{
    if (m_dialog && m_dialog->FBFind->isEnabled())
        findPressed();
    else
        openFind();
}

void FindCommands::findPrevious()
{
    if (m_dialog && m_dialog->FBFind->isEnabled())
        search(true);
    else
        openFind();
}

void FindCommands::chooseTarget()
{
    if (m_document.DocumentOpen()) {
        (m_lastFocusInTree ? m_dialog->optTV : m_dialog->optEditor)->setChecked(true);
        m_dialog->FBFind->setText(FindCaption);
    } else {
        m_dialog->optTV->setChecked(true);
        m_dialog->optEditor->setEnabled(false);
    }
}

void FindCommands::searchTextEdited(const QString& text)
{
    FindTextOffset = 0;
    FindFromStart = false;
    m_dialog->FBFind->setText(FindCaption);
    m_dialog->FBFind->setEnabled(!text.isEmpty());
}

void FindCommands::findPressed()
{
    search(false);
}

void FindCommands::search(bool backward)
{
    FindText = m_dialog->txtFind->text();
    if (m_dialog->FBFind->text() == FindCaption)
        FindFromStart = true;
    if (!m_dialog->optEditor->isChecked())
        treeSearch(backward);
    else if (m_document.isTextView())
        textSearch(backward);
    else
        listSearch(backward);
    // The search may have reported a miss in a box of its own; the dialog is still there.
    if (m_dialog)
        m_dialog->FBFind->setText(FindNextCaption);
}

// However the dialog closes, the next opening starts over; the search text is kept.
void FindCommands::findClosed()
{
    FindFromStart = false;
    FindTextOffset = 0;
    if (m_dialog)
        m_dialog->deleteLater();
    m_dialog = nullptr;
}

void FindCommands::listSearch(bool backward)
{
    QTreeView* list = m_views.list;
    const int from = FindFromStart ? -1 : selectedRow(list);
    const QList<Row>& rows = m_document.rows().rows();
    const int found = backward ? Search::findRowBefore(rows, from, FindText)
                               : Search::findRow(rows, from, FindText);
    if (found < 0) {
        reportNotFound();
        return;
    }
    selectRow(list, found);
    list->scrollTo(list->model()->index(found, 0));
    FindFromStart = false;
}

void FindCommands::treeSearch(bool backward)
{
    SettingsTree* tree = m_tree;
    const int count = tree->nodeCount();
    QStringList texts;
    texts.reserve(count);
    // A node the filter hides matches nothing: the search never stops where nobody can see.
    for (int number = 1; number <= count; ++number) {
        const QTreeWidgetItem* node = tree->node(number);
        texts.append(node->isHidden() ? QString() : node->text(0));
    }
    const int from = FindFromStart ? -1 : tree->nodeIndex(tree->selectedNode());
    const int found = backward ? Search::findNodeBefore(texts, from, FindText)
                               : Search::findNode(texts, from, FindText);
    if (found < 0) {
        reportNotFound();
        return;
    }
    QTreeWidgetItem* node = tree->node(found + 1);
    tree->setCurrentItem(node);
    tree->scrollToItem(node);
    FindFromStart = false;
    emit nodeFound();
}

void FindCommands::textSearch(bool backward)
{
    QPlainTextEdit* textView = m_views.text;
    // Backwards from the start of the match shown (or of the caret).
    const qsizetype before =
        FindFromStart ? -1
                      : m_document.textPositionFromCursor(textView->textCursor().selectionStart());
    const Search::TextMatch match =
        backward
            ? Search::FindTextBefore(m_document.text(), before, FindText)
            : Search::FindText(m_document.text(), FindFromStart ? 0 : FindTextOffset, FindText);
    if (match.found()) {
        // The match is in positions of the text, whose line breaks are two characters long.
        const int start = m_document.cursorPositionFromText(static_cast<int>(match.start));
        const int end =
            m_document.cursorPositionFromText(static_cast<int>(match.start + match.length));
        QTextCursor cursor = textView->textCursor();
        cursor.setPosition(start);
        cursor.setPosition(end, QTextCursor::KeepAnchor);
        textView->setTextCursor(cursor);
        textView->ensureCursorVisible();
        FindTextOffset = match.start + 1;
    } else {
        reportNotFound();
    }
    FindFromStart = false;
}

void FindCommands::reportNotFound()
{
    m_dialogs.message(m_dialog, ProductName, QStringLiteral("String not found."),
                      QMessageBox::NoIcon, QMessageBox::Ok);
}
