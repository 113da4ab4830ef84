#include "ui/EditCommands.h"

#include "ui/ConfigDocument.h"
#include "ui/DocumentViews.h"
#include "ui/AboutBox.h"
#include "ui/Dialogs.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QTextCursor>

EditCommands::EditCommands(MainContext& context) : Component(context)
{
    MainWidgets& ui = this->ui();
    const std::pair<QAction*, void (EditCommands::*)()> triggers[] = {
        {ui.mnuEditCut, &EditCommands::Cut},
        {ui.FlatBttn[Button::Cut], &EditCommands::Cut},
        {ui.mnuEditCopy, &EditCommands::Copy},
        {ui.FlatBttn[Button::Copy], &EditCommands::Copy},
        {ui.mnuEditPaste, &EditCommands::Paste},
        {ui.FlatBttn[Button::Paste], &EditCommands::Paste},
        {ui.mnuEditSelectAll, &EditCommands::SelectAll},
        {ui.mnuFilemnuPrint, &EditCommands::Print},
        {ui.FlatBttn[Button::Print], &EditCommands::Print},
    };
    for (const auto& [action, command] : triggers)
        connect(action, &QAction::triggered, this, command);
    connect(ui.mnuHelpAbout, &QAction::triggered, this,
            [this] { ShowAboutBox(ctx.dialogs, ctx.ui.frmMain); });

    ui.txtTextBox->installEventFilter(this);
}

// The text view would otherwise cut, copy and paste by itself (rich text on the clipboard,
// no-break spaces turned into spaces, a CR LF pasted as two line breaks); its clipboard keys
// run the commands below instead.
bool EditCommands::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == ui().txtTextBox &&
        (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress))
        return RunClipboardKey(static_cast<QKeyEvent*>(event));
    return Component::eventFilter(watched, event);
}

bool EditCommands::RunClipboardKey(QKeyEvent* event)
{
    const std::pair<QKeySequence::StandardKey, void (EditCommands::*)()> keys[] = {
        {QKeySequence::Cut, &EditCommands::Cut},
        {QKeySequence::Copy, &EditCommands::Copy},
        {QKeySequence::Paste, &EditCommands::Paste},
    };
    for (const auto& [key, command] : keys) {
        if (!event->matches(key))
            continue;
        // Claiming the override keeps the menu shortcut from running the command a second time.
        event->accept();
        if (event->type() == QEvent::KeyPress)
            (this->*command)();
        return true;
    }
    return false;
}

QString EditCommands::SelectedText() const
{
    QString text = ctx.ui.txtTextBox->textCursor().selectedText();
    text.replace(QChar::ParagraphSeparator, u'\n');
    text.replace(QChar::LineSeparator, u'\n');
    return text;
}

void EditCommands::Copy()
{
    if (!ctx.views->IsTextView())
        return;
    QGuiApplication::clipboard()->setText(SelectedText());
}

void EditCommands::Cut()
{
    if (!ctx.views->IsTextView())
        return;
    QGuiApplication::clipboard()->setText(SelectedText());
    ui().txtTextBox->textCursor().removeSelectedText();
    state().DocumentChanged = true;
}

void EditCommands::Paste()
{
    if (!ctx.views->IsTextView())
        return;
    // Every line break becomes one: the view would make two lines of a CR LF.
    QString text = QGuiApplication::clipboard()->text();
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    QPlainTextEdit* textView = ui().txtTextBox;
    QTextCursor cursor = textView->textCursor();
    cursor.insertText(text);
    textView->setTextCursor(cursor);
    state().DocumentChanged = true;
}

void EditCommands::SelectAll()
{
    QPlainTextEdit* textView = ui().txtTextBox;
    textView->setFocus();
    textView->selectAll();
}

void EditCommands::Print()
{
    if (!ctx.views->IsTextView()) {
        // Refilling the hidden text view is no edit of the document.
        const bool changed = state().DocumentChanged;
        ctx.document->LinesFromRows();
        ctx.document->TextFromLines();
        state().DocumentChanged = changed;
    }
    QString text = ctx.document->text();
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    RichTextBox1.setPlainText(text);
    RichTextBox1.setDefaultFont(ui().txtTextBox->font());

    QPrinter printer(QPrinter::HighResolution);
    if (!ctx.dialogs.choosePrinter(ui().frmMain, printer, QStringLiteral("Print")))
        return;
    RichTextBox1.print(&printer);
}
