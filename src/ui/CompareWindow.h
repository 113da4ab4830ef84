#pragma once

#include <QDialog>

class ConfigDocument;
class Dialogs;
class QPlainTextEdit;

// File > Compare with Saved: a read-only window with the unified difference between the file
// on disk and what Save would write, removed lines red and added lines green.
class CompareWindow : public QDialog {
    Q_OBJECT
public:
    CompareWindow(const QString& difference, QWidget* parent);

    // Builds the window for the document and shows it, not modal; a document that cannot be
    // written is reported instead.
    static CompareWindow* showFor(const ConfigDocument& document, Dialogs& dialogs,
                                  QWidget* window);

private:
    QPlainTextEdit* txtCompare = nullptr;
};
