#include "ui/ApplyEdit.h"

#include "core/Version.h"
#include "ui/DocumentViews.h"
#include "ui/ListSelection.h"
#include "core/RowModel.h"
#include "ui/ValueEditor.h"
#include "ui/Dialogs.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QRandomGenerator>
#include <QTextCursor>
#include <QTreeView>
#include <QTreeWidget>

#include <algorithm>

namespace {

const QString CommentEntry = QStringLiteral(" COMMENT(;)");
const QString BlankLineEntry = QStringLiteral(" BLANK LINE");

QTreeWidgetItem* SelectedNode(const QTreeWidget* tree)
{
    const QList<QTreeWidgetItem*> selected = tree->selectedItems();
    return selected.isEmpty() ? nullptr : selected.constFirst();
}

bool IsCategoryNode(const QTreeWidgetItem* node)
{
    return node->data(0, NodeKeyRole).toString().startsWith(u'P');
}

} // namespace

ApplyEdit::ApplyEdit(MainContext& context) : Component(context) {}

void ApplyEdit::OK()
{
    ApplyValueEdit();
    ui().txtParam->setText(QString());
}

void ApplyEdit::ApplyValueEdit()
{
    if (!state().DocumentOpen)
        return;
    // An edit set up from a list row belongs to the setting the strip was set up for, not to
    // whatever the tree happens to show; only a new setting is named by the tree.
    const bool editingRow = state().EditingExistingRow;
    const QTreeWidgetItem* node = editingRow ? nullptr : SelectedNode(ui().tvTreeView);
    if (!editingRow && !node)
        return;

    const MainWidgets& ui = this->ui();
    Edit edit;
    edit.name = editingRow ? ctx.valueEditor->SetUpSettingName() : node->text(0);
    if (edit.name == CommentEntry)
        edit.name = QStringLiteral(";");
    edit.choice = ui.cboParam->currentText();
    edit.value = ui.txtParam->text();
    edit.multiple = !ui.cboParam->isHidden() && !ui.txtParam->isHidden();

    if (!ui.txtParam->isHidden() && edit.value.isEmpty()) {
        ctx.dialogs.message(ui.frmMain, ProductName, QStringLiteral("Please enter a value."),
                            QMessageBox::Warning, QMessageBox::Ok);
        return;
    }
    if (node && IsCategoryNode(node))
        return;

    if (ctx.views->IsTextView())
        ApplyToText(edit);
    else
        ApplyToList(edit);
}

void ApplyEdit::ApplyToList(const Edit& edit)
{
    RowModel& rows = *ctx.rows;
    QTreeView* list = ui().lvListView;
    if (rows.count() == 0) {
        rows.insertRowAt(0, Row{rows.uniqueKey(QStringLiteral("K1")), QString(), QString()});
        SelectRow(list, 0);
    }

    // A blank line always goes to the top of the list.
    if (edit.name == BlankLineEntry) {
        const QString key = QStringLiteral("KB") + QString::number(rows.count() + 1);
        rows.insertRowAt(0, Row{rows.uniqueKey(key), QString(), QString()});
        SelectRow(list, 0);
        list->setFocus();
        state().DocumentChanged = true;
        return;
    }

    int position = SelectedRow(list);
    list->setFocus();
    if (!state().EditingExistingRow) {
        position = InsertBeforeSelection(edit);
    } else if (position < 0) {
        return;
    } else if (edit.multiple) {
        rows.setRowTexts(position, edit.name + edit.choice, edit.value);
    } else {
        rows.setParameter(position, edit.choice + edit.value);
    }
    SelectRow(list, position);
    state().DocumentChanged = true;
}

// The new row takes the selected row's place; without a selection it goes to the top.
int ApplyEdit::InsertBeforeSelection(const Edit& edit)
{
    RowModel& rows = *ctx.rows;
    const int position = std::max(SelectedRow(ui().lvListView), 0);
    Row row;
    row.Key = rows.uniqueKey(NewRowKey(edit));
    if (edit.multiple) {
        row.Setting = edit.name + edit.choice;
        row.Parameter = edit.value;
    } else {
        row.Setting = edit.name;
        row.Parameter = edit.choice + edit.value;
    }
    rows.insertRowAt(position, row);
    return position;
}

QString ApplyEdit::NewRowKey(const Edit& edit) const
{
    const int count = ctx.rows->count();
    if (edit.multiple)
        return QStringLiteral("K") + QString::number(count + 1);
    const double fraction = QRandomGenerator::global()->generateDouble();
    const auto number = static_cast<float>(count + 2 + fraction);
    return QStringLiteral("K") + QString::number(number, 'g', 7);
}

void ApplyEdit::ApplyToText(const Edit& edit)
{
    const QString name = edit.name == BlankLineEntry ? QString() : edit.name;
    const QString line = edit.multiple ? name + edit.choice + u' ' + edit.value + u'\n'
                                       : name + u' ' + edit.choice + edit.value + u'\n';
    QPlainTextEdit* text = ui().txtTextBox;
    QTextCursor cursor = text->textCursor();
    cursor.insertText(line);
    text->setTextCursor(cursor);
    text->setFocus();
    state().DocumentChanged = true;
}
