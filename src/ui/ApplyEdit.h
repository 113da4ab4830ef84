#pragma once

#include "core/RowEdits.h"
#include "ui/DocumentWidgets.h"

#include <QObject>

class ConfigDocument;
class Dialogs;
class SettingsTree;

// Writes what the value editor holds into the document when OK is pressed: into the list's
// rows while the list shows, as a line at the caret while the text shows.
class ApplyEdit : public QObject {
    Q_OBJECT
public:
    ApplyEdit(ConfigDocument& document, Dialogs& dialogs, const DocumentWidgets& views,
              SettingsTree* tree, QObject* parent = nullptr);

    // editingRow: the edit changes the list's selected row; otherwise it adds the setting the
    // tree has selected.
    void ApplyValueEdit(RowEdits::ValueEdit edit, bool editingRow);

signals:
    // OK wrote nothing, and why.
    void notApplied(const QString& reason);

private:
    void applyToList(const RowEdits::ValueEdit& edit, bool editingRow);
    void applyToText(const RowEdits::ValueEdit& edit);
    int insertBeforeSelection(const RowEdits::ValueEdit& edit);

    ConfigDocument& m_document;
    Dialogs& m_dialogs;
    DocumentWidgets m_views;
    SettingsTree* m_tree;
};
