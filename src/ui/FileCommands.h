#pragma once

#include "ui/MainContext.h"

#include <QMessageBox>

class QAbstractScrollArea;

// New, Open, Save, Save As and Close, the save question, the caption that names the
// document, and the commands and views that need an open document.
class FileCommands : public Component {
    Q_OBJECT
public:
    explicit FileCommands(MainContext& context);

    void NewDocument();
    void OpenDocument();
    void SaveDocument();
    void SaveDocumentAs();
    void CloseCommand();
    bool LoadDocument(const QString& path);
    bool WriteDocument(const QString& path);
    QString AskSavePath(const QString& suggestedName);
    QString DocumentName() const;
    void CloseDocument();
    void SetDocumentCommandStates();
    // The save question before unsaved changes are dropped; false when the command must stop.
    bool MaySetDocumentAside();

private:
    // Save As; true when the document was written.
    bool SaveAs();
    bool IsUntitled() const;
    void SetCaption(const QString& documentName);
    // The text form followed by CR LF. While the list view shows, the rows are rendered
    // straight into it; the hidden text view is refilled only when it is shown again.
    QString TextToWrite();
    void SetViewEnabled(QAbstractScrollArea* view, bool enabled);
    void ClearTitleStrip();
    void Tell(const QString& text, QMessageBox::Icon icon);
};
