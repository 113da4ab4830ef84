#include "ui/FindCommands.h"

#include "core/ConfigDocument.h"
#include "core/Search.h"
#include "core/Version.h"
#include "ui/Dialogs.h"
#include "ui/FindDialog.h"
#include "ui/ListSelection.h"
#include "ui/SettingsTree.h"

#include <QInputDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextBlock>
#include <QTextCursor>
#include <QTreeView>
#include <QTreeWidget>

#include <algorithm>

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
    repeatSearch(false);
}

void FindCommands::findPrevious()
{
    repeatSearch(true);
}

void FindCommands::repeatSearch(bool backward)
{
    if (m_dialog && m_dialog->FBFind->isEnabled()) {
        search(backward);
        return;
    }
    if (m_dialog || FindText.isEmpty()) {
        openFind();
        return;
    }
    // Closing the dialog reset its place in the text: go on from the match shown or the caret.
    FindFromStart = false;
    QPlainTextEdit* textView = m_views.text;
    if (!m_searchedTree && m_document.isTextView()) {
        const QTextCursor cursor = textView->textCursor();
        FindTextOffset = m_document.textPositionFromCursor(cursor.selectionStart()) +
                         (cursor.hasSelection() ? 1 : 0);
    }
    runSearch(backward);
    // Nothing else holds the focus for the next key: the view with the match takes it.
    QWidget* view = m_searchedTree            ? static_cast<QWidget*>(m_tree)
                    : m_document.isTextView() ? static_cast<QWidget*>(textView)
                                              : m_views.list;
    view->setFocus(Qt::ShortcutFocusReason);
}

void FindCommands::goToLine()
{
    const int count = std::max(1, m_document.lineCount());
    const bool inText = m_document.isTextView();
    QPlainTextEdit* textView = m_views.text;
    QTreeView* list = m_views.list;
    QInputDialog ask(m_views.window);
    ask.setObjectName(QStringLiteral("frmGoToLine"));
    ask.setWindowTitle(QStringLiteral("Go to Line"));
    ask.setLabelText(QStringLiteral("&Line number (1 - %1):").arg(count));
    ask.setInputMode(QInputDialog::IntInput);
    ask.setIntRange(1, count);
    ask.setIntValue(inText ? textView->textCursor().blockNumber() + 1
                           : std::max(selectedRow(list), 0) + 1);
    m_dialogs.runModal(ask);
    if (ask.result() != QDialog::Accepted)
        return;
    const int line = ask.intValue() - 1;
    if (inText) {
        textView->setTextCursor(QTextCursor(textView->document()->findBlockByNumber(line)));
        textView->ensureCursorVisible();
        textView->setFocus(Qt::ShortcutFocusReason);
    } else {
        selectRow(list, line);
        list->scrollTo(list->model()->index(line, 0));
        list->setFocus(Qt::ShortcutFocusReason);
    }
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
    m_searchedTree = !m_dialog->optEditor->isChecked();
    runSearch(backward);
    // The search may have reported a miss in a box of its own; the dialog is still there.
    if (m_dialog)
        m_dialog->FBFind->setText(FindNextCaption);
}

void FindCommands::runSearch(bool backward)
{
    if (m_searchedTree)
        treeSearch(backward);
    else if (m_document.isTextView())
        textSearch(backward);
    else
        listSearch(backward);
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
    m_dialogs.message(m_dialog ? static_cast<QWidget*>(m_dialog) : m_views.window, ProductName,
                      QStringLiteral("String not found."), QMessageBox::NoIcon, QMessageBox::Ok);
}
