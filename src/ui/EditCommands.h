#pragma once

#include "ui/MainContext.h"

#include <QTextDocument>

class QKeyEvent;

// The text view's clipboard commands and Select All, File > Print, and Help > About.
class EditCommands : public Component {
    Q_OBJECT
public:
    explicit EditCommands(MainContext& context);

    void Cut();
    void Copy();
    void Paste();
    void SelectAll();
    void Print();

    // RichTextBox1: the text and font of the last Print, kept until the next one.
    const QTextDocument& PrintBuffer() const { return RichTextBox1; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool RunClipboardKey(QKeyEvent* event);
    QString SelectedText() const;

    QTextDocument RichTextBox1;
};
