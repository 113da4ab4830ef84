#pragma once

#include <QMessageBox>
#include <QObject>
#include <functional>

class ConfigDocument;
class Dialogs;
class QWidget;

// New, Open, Save, Save As and Close, the save question and the caption that names the
// document. The document reads and writes itself; these commands ask and tell the user.
class FileCommands : public QObject {
    Q_OBJECT
public:
    FileCommands(ConfigDocument& document, Dialogs& dialogs, QWidget* window,
                 QObject* parent = nullptr);

    void NewDocument();
    void OpenDocument();
    // Open's steps after the dialog: the size test, then LoadDocument.
    bool openChosenFile(const QString& path);
    void SaveDocument();
    void SaveDocumentAs();
    void closeCommand();
    bool LoadDocument(const QString& path);
    bool WriteDocument(const QString& path);
    QString AskSavePath(const QString& suggestedName);
    void CloseDocument();
    // The save question before unsaved changes are dropped; false when the command must stop.
    bool maySetDocumentAside();
    // Open without the dialog: a file chosen from the recent list.
    void openRecent(const QString& path);
    // The document was filled from elsewhere (recovered changes): its file counts as used.
    void documentReplaced();

    // Asked before each write; false leaves the file and the document as they are.
    using WriteGuard = std::function<bool(const QString& path)>;
    void setWriteGuard(WriteGuard guard) { m_writeGuard = std::move(guard); }

signals:
    // New put an empty row in the list.
    void documentCreated();
    void documentClosed();
    // The document was read from or written to path.
    void fileUsed(const QString& path);

private:
    // Save As; true when the document was written.
    bool saveAs();
    // Asks before a file that does not look like text is opened.
    bool mayOpenAsText(const QString& path, const QByteArray& bytes);
    void tell(const QString& text, QMessageBox::Icon icon);

    ConfigDocument& m_document;
    Dialogs& m_dialogs;
    QWidget* m_window;
    WriteGuard m_writeGuard;
};
