#include "ui/ApplyEdit.h"

#include "core/ConfigDocument.h"
#include "core/SettingLookup.h"
#include "core/Version.h"
#include "ui/Dialogs.h"
#include "ui/ListSelection.h"

#include <QPlainTextEdit>
#include <QRandomGenerator>
#include <QTextBlock>
#include <QTextCursor>
#include <QTreeView>

#include <algorithm>

namespace {

QString stepName(const QString& setting)
{
    if (setting == SettingLookup::BlankLineEntry)
        return QStringLiteral("Add Blank Line");
    if (setting == QLatin1String(";"))
        return QStringLiteral("Set Comment");
    return QStringLiteral("Set ") + setting;
}

} // namespace

ApplyEdit::ApplyEdit(ConfigDocument& document, Dialogs& dialogs, const DocumentWidgets& views,
                     QObject* parent)
    : QObject(parent), m_document(document), m_dialogs(dialogs), m_views(views)
{}

void ApplyEdit::ApplyValueEdit(RowEdits::ValueEdit edit)
{
    if (!m_document.DocumentOpen()) {
        emit notApplied(QStringLiteral("Nothing was written: no document is open."));
        return;
    }
    if (edit.kind == SettingLookup::Kind::Unknown) {
        emit notApplied(QStringLiteral("Nothing was written: choose a row in the list or a setting "
                                       "in the Settings Explorer."));
        return;
    }
    if (edit.name == SettingLookup::CommentEntry)
        edit.name = QStringLiteral(";");
    if (edit.needsValue() && edit.value.isEmpty()) {
        m_dialogs.message(m_views.window, ProductName, QStringLiteral("Please enter a value."),
                          QMessageBox::Warning, QMessageBox::Ok);
        return;
    }
    const ConfigDocument::Step step(m_document, stepName(edit.name));
    if (m_document.isTextView())
        applyToText(edit);
    else
        applyToList(edit);
}

void ApplyEdit::applyToList(const RowEdits::ValueEdit& edit)
{
    RowModel& rows = m_document.rows();
    if (rows.count() == 0) {
        rows.insertRowAt(0, Row{rows.uniqueKey(QStringLiteral("K1")), QString(), QString()});
        selectRow(m_views.list, 0);
    }

    // A blank line always goes to the top of the list.
    if (edit.name == SettingLookup::BlankLineEntry) {
        rows.insertRowAt(
            0, Row{rows.uniqueKey(RowEdits::blankRowKey(rows.count())), QString(), QString()});
        selectRow(m_views.list, 0);
        m_views.list->setFocus();
        return;
    }

    int position = edit.row;
    m_views.list->setFocus();
    if (!edit.fromRow) {
        position = insertBeforeSelection(edit);
    } else if (position < 0) {
        emit notApplied(QStringLiteral("Nothing was written: no row is selected."));
        return;
    } else {
        // A row left as it was keeps its line exactly as the file had it.
        const Row& row = rows.row(position);
        const auto [setting, parameter] = RowEdits::editedRow(edit, row);
        if (setting != row.Setting || parameter != row.Parameter)
            rows.setRowTexts(position, setting, parameter);
    }
    selectRow(m_views.list, position);
}

// The new row takes the selected row's place; without a selection it goes to the top.
int ApplyEdit::insertBeforeSelection(const RowEdits::ValueEdit& edit)
{
    RowModel& rows = m_document.rows();
    const int position = std::max(selectedRow(m_views.list), 0);
    Row row = RowEdits::newRow(edit);
    row.Key = rows.uniqueKey(RowEdits::newRowKey(rows.count(), edit.multiple(),
                                                 QRandomGenerator::global()->generateDouble()));
    rows.insertRowAt(position, row);
    return position;
}

// The new line goes in whole, before the caret's line, never into the middle of one. A
// selection of whole lines is replaced by it.
void ApplyEdit::applyToText(const RowEdits::ValueEdit& edit)
{
    QTextCursor cursor = m_views.text->textCursor();
    QTextCursor start = cursor;
    start.setPosition(cursor.selectionStart());
    QTextCursor end = cursor;
    end.setPosition(cursor.selectionEnd());
    const bool wholeLines =
        cursor.hasSelection() && start.atBlockStart() && (end.atBlockStart() || end.atBlockEnd());
    if (wholeLines) {
        if (!end.atBlockStart() && end.block().next().isValid())
            end.movePosition(QTextCursor::NextCharacter); // the last line's break goes too
        cursor.setPosition(start.position());
        cursor.setPosition(end.position(), QTextCursor::KeepAnchor);
    } else {
        start.movePosition(QTextCursor::StartOfBlock);
        cursor = start;
    }
    cursor.insertText(RowEdits::newLine(edit));
    m_views.text->setTextCursor(cursor);
    m_views.text->setFocus();
}
