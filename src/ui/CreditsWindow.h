#pragma once

#include <QDialog>

class QTextBrowser;

// frmEasterEgg: the people behind the program, on a fixed formatted page.
class CreditsWindow : public QDialog {
    Q_OBJECT
public:
    explicit CreditsWindow(QWidget* owner);

    QTextBrowser* RichTextBox1 = nullptr;
};
