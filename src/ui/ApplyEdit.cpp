#include "ui/ApplyEdit.h"

#include "core/ConfigDocument.h"
#include "core/DocumentEdits.h"
#include "core/SettingLookup.h"
#include "core/Version.h"
#include "ui/Dialogs.h"
#include "ui/ListSelection.h"

#include <QPlainTextEdit>
#include <QRandomGenerator>
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
    const RowModel& rows = m_document.rows();
    DocumentEdits edits(m_document);
    const QString name = stepName(edit.name);
    if (rows.count() == 0) {
        edits.insertRow(0, Row{QStringLiteral("K1"), QString(), QString()}, name);
        selectRow(m_views.list, 0);
    }

    // A blank line always goes to the top of the list.
    if (edit.name == SettingLookup::BlankLineEntry) {
        selectRow(m_views.list, edits.insertBlankLine(name));
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
        edits.setRowTexts(position, setting, parameter, name);
    }
    selectRow(m_views.list, position);
}

// The new row takes the selected row's place; without a selection it goes to the top.
int ApplyEdit::insertBeforeSelection(const RowEdits::ValueEdit& edit)
{
    const int position = std::max(selectedRow(m_views.list), 0);
    Row row = RowEdits::newRow(edit);
    row.Key = RowEdits::newRowKey(m_document.rows().count(), edit.multiple(),
                                  QRandomGenerator::global()->generateDouble());
    return DocumentEdits(m_document).insertRow(position, row, stepName(edit.name));
}

// The new line goes in whole, before the caret's line, never into the middle of one. A
// selection of whole lines is replaced by it.
void ApplyEdit::applyToText(const RowEdits::ValueEdit& edit)
{
    QTextCursor cursor = m_views.text->textCursor();
    cursor.setPosition(DocumentEdits(m_document)
                           .insertLine(cursor.selectionStart(), cursor.selectionEnd(),
                                       RowEdits::newLine(edit), stepName(edit.name)));
    m_views.text->setTextCursor(cursor);
    m_views.text->setFocus();
}
