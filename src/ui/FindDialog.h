#pragma once

#include <QDialog>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// frmFind: the search text, the choice between the Settings Explorer and the editor, and the
// Find / Find Next button. It only shows the controls; FindCommands runs the searches.
class FindDialog : public QDialog {
    Q_OBJECT
public:
    explicit FindDialog(QWidget* owner);

    // Puts the top edge half way down the owner; the left edge is where Qt places a dialog.
    void placeBelowMiddleOf(QWidget* owner);

    QLabel* Label1 = nullptr;
    QLineEdit* txtFind = nullptr;
    QGroupBox* frmView = nullptr;
    QRadioButton* optTV = nullptr;
    QRadioButton* optEditor = nullptr;
    QPushButton* FBFind = nullptr;
    QPushButton* FBCancel = nullptr;

private:
    QWidget* buildTargetFrame();
    QWidget* buildButtons();
};
