#pragma once

#include <QObject>
#include <QTextDocument>

class ConfigDocument;
class Dialogs;
class QKeyEvent;
class QPlainTextEdit;
class QWidget;

// Undo and Redo, the text view's clipboard commands and Select All, and File > Print.
class EditCommands : public QObject {
    Q_OBJECT
public:
    EditCommands(ConfigDocument& document, Dialogs& dialogs, QWidget* window, QPlainTextEdit* text,
                 QObject* parent = nullptr);

    void undo();
    void redo();
    void cut();
    void copy();
    void paste();
    void selectAll();
    void print();

    // RichTextBox1: the text and font of the last Print, kept until the next one.
    const QTextDocument& printBuffer() const { return RichTextBox1; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool runEditKey(QKeyEvent* event);
    QString selectedText() const;

    ConfigDocument& m_document;
    Dialogs& m_dialogs;
    QWidget* m_window;
    QPlainTextEdit* m_text;
    QTextDocument RichTextBox1;
};
