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

void FindCommands::OpenFind()
{
    if (m_dialog) {
        m_dialog->raise();
        m_dialog->activateWindow();
        return;
    }
    m_dialog = new FindDialog(m_views.window);
    m_dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(m_dialog->txtFind, &QLineEdit::textChanged, this, &FindCommands::SearchTextEdited);
    connect(m_dialog->FBFind, &QPushButton::clicked, this, &FindCommands::FindPressed);
    connect(m_dialog, &QDialog::finished, this, &FindCommands::FindClosed);

    m_dialog->PlaceBelowMiddleOf(m_views.window);
    m_dialog->FBFind->setEnabled(false);
    FindFromStart = true;
    FindTextOffset = 0;
    ChooseTarget();
    m_dialog->show();
}

void FindCommands::ChooseTarget()
{
    if (m_document.DocumentOpen()) {
        (m_lastFocusInTree ? m_dialog->optTV : m_dialog->optEditor)->setChecked(true);
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
    else if (m_document.isTextView())
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
    QTreeView* list = m_views.list;
    const int after = FindFromStart ? -1 : SelectedRow(list);
    const int found = Search::FindRow(m_document.rows().rows(), after, FindText);
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
    SettingsTree* tree = m_tree;
    const int count = tree->NodeCount();
    QStringList texts;
    texts.reserve(count);
    for (int number = 1; number <= count; ++number)
        texts.append(tree->Node(number)->text(0));
    const int after = FindFromStart ? -1 : tree->NodeIndex(tree->SelectedNode());
    const int found = Search::FindNode(texts, after, FindText);
    if (found < 0) {
        ReportNotFound();
        return;
    }
    tree->setCurrentItem(tree->Node(found + 1));
    tree->setFocus();
    FindFromStart = false;
}

void FindCommands::TextSearch()
{
    const qsizetype offset = FindFromStart ? 0 : FindTextOffset;
    const Search::TextMatch match = Search::FindText(m_document.text(), offset, FindText);
    if (match.found()) {
        m_views.window->activateWindow();
        QPlainTextEdit* textView = m_views.text;
        textView->setFocus();
        // The match is in positions of the text, whose line breaks are two characters long.
        const int start = m_document.cursorPositionFromText(static_cast<int>(match.start));
        const int end =
            m_document.cursorPositionFromText(static_cast<int>(match.start + match.length));
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
    m_dialogs.message(m_dialog, ProductName, QStringLiteral("String not found."),
                      QMessageBox::NoIcon, QMessageBox::Ok);
}
