#pragma once

#include "ui/FindDialog.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

// frmReplace: the text to find and its replacement in the text view, whether the case must
// match, and the Replace, Replace All and Close buttons. ReplaceCommands does the work.
class ReplaceDialog : public ToolDialog {
    Q_OBJECT
public:
    explicit ReplaceDialog(QWidget* owner);

    QLabel* lblFind = nullptr;
    QLineEdit* txtFind = nullptr;
    QLabel* lblReplace = nullptr;
    QLineEdit* txtReplace = nullptr;
    QCheckBox* chkMatchCase = nullptr;
    QPushButton* FBReplace = nullptr;
    QPushButton* FBReplaceAll = nullptr;
    QPushButton* FBClose = nullptr;
};
