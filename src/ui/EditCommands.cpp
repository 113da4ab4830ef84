#include "ui/EditCommands.h"

#include "core/ConfigDocument.h"
#include "core/ConfigText.h"
#include "core/DocumentEdits.h"
#include "ui/Dialogs.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QTextCursor>

EditCommands::EditCommands(ConfigDocument& document, Dialogs& dialogs, QWidget* window,
                           QPlainTextEdit* text, QObject* parent)
    : QObject(parent), m_document(document), m_dialogs(dialogs), m_window(window), m_text(text)
{
    m_text->installEventFilter(this);
}

// The text view would otherwise cut, copy and paste by itself (rich text on the clipboard,
// no-break spaces turned into spaces, a CR LF pasted as two line breaks) and claim the undo keys
// for a history it does not keep; those keys run the commands below instead.
bool EditCommands::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_text &&
        (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress))
        return runEditKey(static_cast<QKeyEvent*>(event));
    return QObject::eventFilter(watched, event);
}

bool EditCommands::runEditKey(QKeyEvent* event)
{
    using Command = void (EditCommands::*)();
    // The platform's keys, read once: asking at every key stroke builds its lists afresh.
    static const std::pair<QList<QKeySequence>, Command> clipboardKeys[] = {
        {QKeySequence::keyBindings(QKeySequence::Cut), &EditCommands::cut},
        {QKeySequence::keyBindings(QKeySequence::Copy), &EditCommands::copy},
        {QKeySequence::keyBindings(QKeySequence::Paste), &EditCommands::paste},
    };
    // The menu's own keys, whatever the platform binds to undo and redo.
    const std::pair<QKeyCombination, Command> historyKeys[] = {
        {Qt::CTRL | Qt::Key_Z, &EditCommands::undo},
        {Qt::CTRL | Qt::Key_Y, &EditCommands::redo},
        {Qt::CTRL | Qt::SHIFT | Qt::Key_Z, &EditCommands::redo},
    };
    const QKeyCombination pressed(event->modifiers() &
                                      ~(Qt::KeypadModifier | Qt::GroupSwitchModifier),
                                  Qt::Key(event->key()));
    Command command = nullptr;
    for (const auto& [keys, each] : clipboardKeys) {
        if (keys.contains(QKeySequence(pressed)))
            command = each;
    }
    for (const auto& [key, each] : historyKeys) {
        if (pressed == key)
            command = each;
    }
    if (!command)
        return false;
    // Claiming the override keeps the menu shortcut from running the command a second time.
    event->accept();
    if (event->type() == QEvent::KeyPress)
        (this->*command)();
    return true;
}

QString EditCommands::selectedText() const
{
    QString text = m_text->textCursor().selectedText();
    text.replace(QChar::ParagraphSeparator, u'\n');
    return text;
}

void EditCommands::undo()
{
    m_document.undo();
}

void EditCommands::redo()
{
    m_document.redo();
}

void EditCommands::copy()
{
    if (m_document.isTextView())
        QGuiApplication::clipboard()->setText(selectedText());
}

void EditCommands::cut()
{
    if (!m_document.isTextView())
        return;
    QGuiApplication::clipboard()->setText(selectedText());
    const QTextCursor cursor = m_text->textCursor();
    DocumentEdits(m_document)
        .replaceRange(cursor.selectionStart(), cursor.selectionEnd(), QString(),
                      QStringLiteral("Cut"));
}

void EditCommands::paste()
{
    if (!m_document.isTextView())
        return;
    // Every line break becomes one: the view would make two lines of a CR LF.
    QString text = QGuiApplication::clipboard()->text();
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    QTextCursor cursor = m_text->textCursor();
    cursor.setPosition(DocumentEdits(m_document)
                           .replaceRange(cursor.selectionStart(), cursor.selectionEnd(), text,
                                         QStringLiteral("Paste")));
    m_text->setTextCursor(cursor);
}

void EditCommands::selectAll()
{
    m_text->setFocus();
    m_text->selectAll();
}

void EditCommands::print()
{
    QString text =
        m_document.isTextView() ? m_document.text() : ConfigText::TextFromLines(m_document.lines());
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    RichTextBox1.setPlainText(text);
    RichTextBox1.setDefaultFont(m_text->font());

    QPrinter printer(QPrinter::HighResolution);
    if (!m_dialogs.choosePrinter(m_window, printer, QStringLiteral("Print")))
        return;
    RichTextBox1.print(&printer);
}
