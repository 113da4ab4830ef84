#pragma once

#include <QDialog>
#include <QLatin1String>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// A control of a window, carrying its name as its objectName.
template <typename Widget> Widget* named(Widget* widget, const char* name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

// A modeless window of the editor's own that stays beside the main window while the user works.
class ToolDialog : public QDialog {
    Q_OBJECT
public:
    using QDialog::QDialog;

    // Puts the top edge half way down the owner; the left edge is where Qt places a dialog.
    void placeBelowMiddleOf(QWidget* owner);
};

// frmFind: the search text, the choice between the Settings Explorer and the editor, and the
// Find / Find Next button. It only shows the controls; FindCommands runs the searches.
class FindDialog : public ToolDialog {
    Q_OBJECT
public:
    explicit FindDialog(QWidget* owner);

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
