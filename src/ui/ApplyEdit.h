#pragma once

#include "core/RowEdits.h"
#include "ui/DocumentWidgets.h"

#include <QObject>

class ConfigDocument;
class Dialogs;

// Writes what the value editor holds into the document when OK is pressed: into the list's
// rows while the list shows, as a line at the caret while the text shows.
class ApplyEdit : public QObject {
    Q_OBJECT
public:
    ApplyEdit(ConfigDocument& document, Dialogs& dialogs, const DocumentWidgets& views,
              QObject* parent = nullptr);

    // An edit set up from a row changes that row; one set up from the tree adds its setting
    // before the list's selected row.
    void ApplyValueEdit(RowEdits::ValueEdit edit);

signals:
    // OK wrote nothing, and why.
    void notApplied(const QString& reason);

private:
    void applyToList(const RowEdits::ValueEdit& edit);
    void applyToText(const RowEdits::ValueEdit& edit);
    int insertBeforeSelection(const RowEdits::ValueEdit& edit);

    ConfigDocument& m_document;
    Dialogs& m_dialogs;
    DocumentWidgets m_views;
};
