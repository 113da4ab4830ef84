#include "ui/FindDialog.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>

FindDialog::FindDialog(QWidget* owner) : ToolDialog(owner)
{
    setObjectName(QStringLiteral("frmFind"));
    setWindowTitle(QStringLiteral("Find"));

    Label1 = named(new QLabel(QStringLiteral("Fi&nd What:"), this), "Label1");
    txtFind = named(new QLineEdit(this), "txtFind");
    txtFind->setMinimumWidth(fontMetrics().averageCharWidth() * 32);
    Label1->setBuddy(txtFind);

    auto* grid = new QGridLayout(this);
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(txtFind, 0, 1);
    grid->addWidget(buildTargetFrame(), 1, 0, 1, 2);
    grid->addWidget(buildButtons(), 0, 2, 2, 1);
    grid->setColumnStretch(1, 1);
    grid->setSizeConstraint(QLayout::SetFixedSize);
}

QWidget* FindDialog::buildTargetFrame()
{
    frmView = named(new QGroupBox(QStringLiteral("Look at"), this), "frmView");
    optTV = named(new QRadioButton(QStringLiteral("Settings Explorer"), frmView), "optTV");
    optEditor = named(new QRadioButton(QStringLiteral("Editor"), frmView), "optEditor");
    auto* column = new QVBoxLayout(frmView);
    column->addWidget(optTV);
    column->addWidget(optEditor);
    return frmView;
}

QWidget* FindDialog::buildButtons()
{
    auto* buttons = new QWidget(this);
    FBFind = named(new QPushButton(QStringLiteral("Find Next"), buttons), "FBFind");
    FBCancel = named(new QPushButton(QStringLiteral("Cancel"), buttons), "FBCancel");
    // Wide enough for the longer caption, so the dialog keeps its size when it changes.
    FBFind->setMinimumWidth(FBFind->sizeHint().width());
    FBFind->setText(QStringLiteral("Find"));
    FBFind->setDefault(true);
    connect(FBCancel, &QPushButton::clicked, this, &QDialog::close);

    auto* column = new QVBoxLayout(buttons);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(FBFind);
    column->addWidget(FBCancel);
    column->addStretch();
    return buttons;
}

void ToolDialog::placeBelowMiddleOf(QWidget* owner)
{
    adjustSize();
    adjustPosition(owner);
    const QRect outer = owner->frameGeometry();
    int top = outer.top() + outer.height() / 2;
    // Never below the bottom of the screen, where the dialog could not be reached.
    if (const QScreen* screen = owner->screen()) {
        const int frameHeight = frameGeometry().height();
        top = std::min(top, screen->availableGeometry().bottom() + 1 - frameHeight);
    }
    move(x(), top);
}
