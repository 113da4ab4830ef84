#include "ui/ReplaceCommands.h"

#include "core/ConfigDocument.h"
#include "core/DocumentEdits.h"
#include "core/Search.h"
#include "core/Version.h"
#include "ui/Dialogs.h"
#include "ui/ReplaceDialog.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>

ReplaceCommands::ReplaceCommands(ConfigDocument& document, Dialogs& dialogs,
                                 const DocumentWidgets& views, QObject* parent)
    : QObject(parent), m_document(document), m_dialogs(dialogs), m_views(views)
{
    // The window works on the text view alone: it goes when the text view does.
    const auto close = [this] {
        if (m_dialog && !(m_document.DocumentOpen() && m_document.isTextView()))
            m_dialog->close();
    };
    connect(&document, &ConfigDocument::viewChanged, this, close);
    connect(&document, &ConfigDocument::openChanged, this, close);
}

void ReplaceCommands::openReplace()
{
    if (!m_dialog) {
        m_dialog = new ReplaceDialog(m_views.window);
        m_dialog->setAttribute(Qt::WA_DeleteOnClose);
        const auto keyEdited = [this](const QString& key) {
            m_dialog->FBReplace->setEnabled(!key.isEmpty());
            m_dialog->FBReplaceAll->setEnabled(!key.isEmpty());
        };
        connect(m_dialog->txtFind, &QLineEdit::textChanged, this, keyEdited);
        connect(m_dialog->FBReplace, &QPushButton::clicked, this, &ReplaceCommands::replacePressed);
        connect(m_dialog->FBReplaceAll, &QPushButton::clicked, this,
                &ReplaceCommands::replaceAllPressed);
        // A selection within one line is what the user most likely wants replaced.
        const QString selected = m_views.text->textCursor().selectedText();
        if (!selected.contains(QChar::ParagraphSeparator))
            m_dialog->txtFind->setText(selected);
        keyEdited(m_dialog->txtFind->text());
        m_dialog->placeBelowMiddleOf(m_views.window);
        m_dialog->show();
    }
    m_dialog->raise();
    m_dialog->activateWindow();
    m_dialog->txtFind->setFocus(Qt::ShortcutFocusReason);
    m_dialog->txtFind->selectAll();
}

void ReplaceCommands::replacePressed()
{
    const QString key = m_dialog->txtFind->text();
    const QTextCursor cursor = m_views.text->textCursor();
    int from = cursor.selectionStart();
    if (cursor.hasSelection() &&
        Search::isMatch(cursor.selectedText(), key, m_dialog->chkMatchCase->isChecked()))
        from = DocumentEdits(m_document)
                   .replaceRange(cursor.selectionStart(), cursor.selectionEnd(),
                                 m_dialog->txtReplace->text(), QStringLiteral("Replace"));
    selectNextFrom(from);
}

void ReplaceCommands::replaceAllPressed()
{
    const int count = DocumentEdits(m_document)
                          .replaceAll(m_dialog->txtFind->text(), m_dialog->txtReplace->text(),
                                      m_dialog->chkMatchCase->isChecked());
    if (count == 0)
        say(QStringLiteral("String not found."));
    else if (count == 1)
        say(QStringLiteral("Replaced 1 occurrence."));
    else
        say(QStringLiteral("Replaced %1 occurrences.").arg(count));
}

void ReplaceCommands::selectNextFrom(int position)
{
    // The match is in positions of the text, whose line breaks are two characters long.
    const Search::TextMatch match =
        Search::findNext(m_document.text(), m_document.textPositionFromCursor(position),
                         m_dialog->txtFind->text(), m_dialog->chkMatchCase->isChecked());
    if (!match.found()) {
        say(QStringLiteral("String not found."));
        return;
    }
    QTextCursor cursor = m_views.text->textCursor();
    cursor.setPosition(m_document.cursorPositionFromText(static_cast<int>(match.start)));
    cursor.setPosition(
        m_document.cursorPositionFromText(static_cast<int>(match.start + match.length)),
        QTextCursor::KeepAnchor);
    m_views.text->setTextCursor(cursor);
    m_views.text->ensureCursorVisible();
}

void ReplaceCommands::say(const QString& text)
{
    m_dialogs.message(m_dialog, ProductName, text, QMessageBox::NoIcon, QMessageBox::Ok);
}
