#include "ui/DocumentViews.h"

#include "core/ConfigDocument.h"
#include "core/DocumentEdits.h"
#include "ui/ListSelection.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTreeView>

DocumentViews::DocumentViews(ConfigDocument& document, QTreeView* list, QPlainTextEdit* text,
                             Commands commands, QObject* parent)
    : QObject(parent), m_document(document), m_list(list), m_text(text),
      m_commands(std::move(commands))
{
    connect(m_list, &QAbstractItemView::clicked, this,
            [this] { emit rowChosen(selectedRow(m_list)); });
    // Keys, a press dragged to another row, a middle click or a command: whatever moved the
    // selection, the value editor follows it.
    connect(m_list->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &DocumentViews::announceSelection);
    connect(&m_document.rows(), &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex& first, const QModelIndex& last) {
                const int row = selectedRow(m_list);
                if (row >= first.row() && row <= last.row())
                    announceSelection();
            });
    connect(&m_document, &ConfigDocument::openChanged, this,
            &DocumentViews::SetDocumentCommandStates);
    connect(&m_document, &ConfigDocument::textReplaced, this, [this] {
        QTextCursor start = m_text->textCursor();
        start.movePosition(QTextCursor::Start);
        m_text->setTextCursor(start);
    });
    m_list->installEventFilter(this);
    m_text->installEventFilter(this);
}

bool DocumentViews::IsTextView() const
{
    return m_document.isTextView();
}

bool DocumentViews::eventFilter(QObject* watched, QEvent* event)
{
    if ((watched == m_list || watched == m_text) && event->type() == QEvent::FocusIn)
        emit documentFocused();
    else if (watched == m_list && event->type() == QEvent::KeyPress)
        return listKeyPressed(static_cast<QKeyEvent*>(event));
    else if (watched == m_text && event->type() == QEvent::KeyPress)
        return textKeyPressed(static_cast<QKeyEvent*>(event));
    return false;
}

bool DocumentViews::textKeyPressed(QKeyEvent* key)
{
    return leaveText(key) || breakLine(key);
}

// Shift+Enter would put a line separator inside the line, which a file holds as a character:
// here it breaks the line, as Enter does.
bool DocumentViews::breakLine(QKeyEvent* key)
{
    const bool shiftEnter = (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
                            (key->modifiers() & Qt::ShiftModifier);
    if (!shiftEnter || m_text->isReadOnly())
        return false;
    QTextCursor cursor = m_text->textCursor();
    cursor.setPosition(
        DocumentEdits(m_document)
            .type(cursor.selectionStart(), cursor.selectionEnd(), QStringLiteral("\n")));
    m_text->setTextCursor(cursor);
    m_text->ensureCursorVisible();
    return true;
}

// Tab types a tab in the text, as in every text editor: Ctrl+Tab and Ctrl+Shift+Tab leave it.
bool DocumentViews::leaveText(QKeyEvent* key)
{
    const int code = key->key();
    if (!(key->modifiers() & Qt::ControlModifier) ||
        (code != Qt::Key_Tab && code != Qt::Key_Backtab))
        return false;
    const bool forward = code == Qt::Key_Tab && !(key->modifiers() & Qt::ShiftModifier);
    QWidget* next = m_text;
    do {
        next = forward ? next->nextInFocusChain() : next->previousInFocusChain();
    } while (next != m_text &&
             !(next->window() == m_text->window() && next->isVisible() && next->isEnabled() &&
               (next->focusPolicy() & Qt::TabFocus) && !next->focusProxy()));
    next->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}

void DocumentViews::announceSelection()
{
    emit rowSelected(selectedRow(m_list));
}

bool DocumentViews::listKeyPressed(QKeyEvent* key)
{
    // The list has no clipboard commands: the view would copy its current cell by itself.
    if (key->matches(QKeySequence::Copy))
        return true;
    const bool edit = key->key() == Qt::Key_F2 ||
                      ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
                       !(key->modifiers() & ~Qt::KeypadModifier));
    if (!edit || selectedRow(m_list) < 0)
        return false;
    emit editRequested();
    return true;
}

// The view chosen before a document exists: no conversion.
void DocumentViews::SetView(bool textMode)
{
    m_document.setView(textMode ? ConfigDocument::View::Text : ConfigDocument::View::List);
    showView(textMode);
}

void DocumentViews::showView(bool textMode)
{
    m_list->setVisible(!textMode);
    m_text->setVisible(textMode);
    m_commands.textItem->setChecked(textMode);
    m_commands.listItem->setChecked(!textMode);
    m_commands.textButton->setChecked(textMode);
    m_commands.listButton->setChecked(!textMode);

    if (!m_document.DocumentOpen()) {
        m_commands.fontsItem->setEnabled(false);
        return;
    }
    m_commands.fontsItem->setEnabled(textMode);
    SetViewCommandStates(textMode);
}

void DocumentViews::SetViewCommandStates(bool isText)
{
    for (QAction* textOnly : m_commands.textViewOnly)
        textOnly->setEnabled(isText);
    for (QAction* listOnly : m_commands.listViewOnly)
        listOnly->setEnabled(!isText);
}

void DocumentViews::textViewCommand()
{
    // Clicking the pressed toolbar button raised it; the view itself stays as it is.
    if (m_document.isTextView()) {
        m_commands.textButton->setChecked(true);
        return;
    }
    m_document.showText();
    showView(true);
    emit viewSwitched();
    m_text->setFocus();
}

void DocumentViews::listViewCommand()
{
    if (!m_document.isTextView()) {
        m_commands.listButton->setChecked(true);
        return;
    }
    m_document.showList();
    showView(false);
    emit viewSwitched();
}

void DocumentViews::popUpSwitchToTextView()
{
    m_document.showText();
    showView(true);
}

void DocumentViews::showChange(int place)
{
    if (m_document.isTextView()) {
        QTextCursor cursor = m_text->textCursor();
        cursor.setPosition(qBound(0, place, m_text->document()->characterCount() - 1));
        m_text->setTextCursor(cursor);
        m_text->ensureCursorVisible();
        return;
    }
    selectRow(m_list, place);
    const QModelIndex index = m_list->model()->index(place, 0);
    if (index.isValid())
        m_list->scrollTo(index);
    // Arranged as a selection is, the focus left with the keys that undo step after step.
    announceSelection();
}

void DocumentViews::SetDocumentCommandStates()
{
    const bool open = m_document.DocumentOpen();
    for (QAction* needsDocument : m_commands.needDocument)
        needsDocument->setEnabled(open);
    m_commands.editMenu->setVisible(open);

    if (open)
        SetViewCommandStates(IsTextView());
    setViewEnabled(m_text, open);
    setViewEnabled(m_list, open);
    m_commands.fontsItem->setEnabled(open);
}

// A disabled view is painted in the grey of a scroll bar, an enabled one in the window
// background of text fields.
void DocumentViews::setViewEnabled(QAbstractScrollArea* view, bool enabled)
{
    view->setEnabled(enabled);
    const QPalette standard = QApplication::palette(view);
    const QColor background =
        standard.color(QPalette::Active, enabled ? QPalette::Base : QPalette::Button);
    if (view->palette().color(QPalette::Active, QPalette::Base) == background &&
        view->palette().color(QPalette::Disabled, QPalette::Base) == background)
        return;
    QPalette palette = view->palette();
    palette.setColor(QPalette::Base, background);
    view->setPalette(palette);
}
