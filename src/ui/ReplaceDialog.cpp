#include "ui/ReplaceDialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

ReplaceDialog::ReplaceDialog(QWidget* owner) : ToolDialog(owner)
{
    setObjectName(QStringLiteral("frmReplace"));
    setWindowTitle(QStringLiteral("Replace"));

    lblFind = named(new QLabel(QStringLiteral("Fi&nd what:"), this), "lblFind");
    txtFind = named(new QLineEdit(this), "txtFind");
    txtFind->setMinimumWidth(fontMetrics().averageCharWidth() * 32);
    lblFind->setBuddy(txtFind);
    lblReplace = named(new QLabel(QStringLiteral("Re&place with:"), this), "lblReplace");
    txtReplace = named(new QLineEdit(this), "txtReplace");
    lblReplace->setBuddy(txtReplace);
    chkMatchCase = named(new QCheckBox(QStringLiteral("Match &case"), this), "chkMatchCase");
    FBReplace = named(new QPushButton(QStringLiteral("&Replace"), this), "FBReplace");
    FBReplace->setDefault(true);
    FBReplaceAll = named(new QPushButton(QStringLiteral("Replace &All"), this), "FBReplaceAll");
    FBClose = named(new QPushButton(QStringLiteral("Close"), this), "FBClose");
    connect(FBClose, &QPushButton::clicked, this, &QDialog::close);

    auto* grid = new QGridLayout(this);
    grid->addWidget(lblFind, 0, 0);
    grid->addWidget(txtFind, 0, 1);
    grid->addWidget(lblReplace, 1, 0);
    grid->addWidget(txtReplace, 1, 1);
    grid->addWidget(chkMatchCase, 2, 0, 1, 2);
    grid->addWidget(FBReplace, 0, 2);
    grid->addWidget(FBReplaceAll, 1, 2);
    grid->addWidget(FBClose, 2, 2);
    grid->setColumnStretch(1, 1);
    grid->setSizeConstraint(QLayout::SetFixedSize);
    // Reading order, the buttons last, whatever the grid's order of creation.
    QWidget* const order[] = {txtFind, txtReplace, chkMatchCase, FBReplace, FBReplaceAll, FBClose};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
}
