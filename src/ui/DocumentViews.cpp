#include "ui/DocumentViews.h"

#include "ui/ConfigDocument.h"
#include "core/ConfigText.h"
#include "ui/ValueEditor.h"

#include <QAction>
#include <QEvent>
#include <QPlainTextEdit>
#include <QTreeView>

DocumentViews::DocumentViews(MainContext& context) : Component(context)
{
    MainWidgets& ui = this->ui();
    for (QAction* trigger : {ui.mnuViewmnuLVText, ui.FlatBttn[Button::TextView]})
        connect(trigger, &QAction::triggered, this, &DocumentViews::TextViewCommand);
    for (QAction* trigger : {ui.mnuViewmnuLVList, ui.FlatBttn[Button::ListView]})
        connect(trigger, &QAction::triggered, this, &DocumentViews::ListViewCommand);
    connect(ui.mnu_PopUpLV_TextView, &QAction::triggered, this,
            &DocumentViews::PopUpSwitchToTextView);

    connect(ui.txtTextBox, &QPlainTextEdit::textChanged, this,
            [this] { state().DocumentChanged = true; });
    ui.txtTextBox->installEventFilter(this);
}

// Hidden rather than visible: the answer must hold before the window is first shown.
bool DocumentViews::IsTextView() const
{
    return !ctx.ui.txtTextBox->isHidden();
}

void DocumentViews::SetView(bool textMode)
{
    MainWidgets& ui = this->ui();
    ui.lvListView->setVisible(!textMode);
    ui.txtTextBox->setVisible(textMode);
    ui.mnuViewmnuLVText->setChecked(textMode);
    ui.mnuViewmnuLVList->setChecked(!textMode);
    ui.FlatBttn[Button::TextView]->setChecked(textMode);
    ui.FlatBttn[Button::ListView]->setChecked(!textMode);

    if (!state().DocumentOpen) {
        ui.mnuToolsFonts->setEnabled(false);
        return;
    }
    ui.mnuToolsFonts->setEnabled(textMode);
    SetViewCommandStates(textMode);
}

void DocumentViews::SetViewCommandStates(bool isText)
{
    MainWidgets& ui = this->ui();
    for (QAction* textOnly :
         {ui.mnuEditCut, ui.mnuEditCopy, ui.mnuEditPaste, ui.mnuEditSelectAll,
          ui.FlatBttn[Button::Cut], ui.FlatBttn[Button::Copy], ui.FlatBttn[Button::Paste]})
        textOnly->setEnabled(isText);
    for (QAction* listOnly : {ui.FlatBttn[Button::MoveUp], ui.FlatBttn[Button::MoveDown]})
        listOnly->setEnabled(!isText);
}

void DocumentViews::TextViewCommand()
{
    // Clicking the pressed toolbar button raised it; the view itself stays as it is.
    if (ui().mnuViewmnuLVText->isChecked()) {
        ui().FlatBttn[Button::TextView]->setChecked(true);
        return;
    }
    TextFromRows();
    SetView(true);
    ctx.valueEditor->ResetValueEditor();
    ui().txtTextBox->setFocus();
}

void DocumentViews::ListViewCommand()
{
    if (ui().mnuViewmnuLVList->isChecked()) {
        ui().FlatBttn[Button::ListView]->setChecked(true);
        return;
    }
    ctx.document->LinesFromText();
    ctx.document->RowsFromLines();
    SetView(false);
    ctx.valueEditor->ResetValueEditor();
}

void DocumentViews::PopUpSwitchToTextView()
{
    TextFromRows();
    SetView(true);
}

void DocumentViews::TextFromRows()
{
    ctx.document->LinesFromRows();
    if (!state().DocumentOpen)
        return;
    // Setting the text it already holds would mark an unchanged document as changed.
    const QString rendered = ConfigText::TextFromLines(ctx.document->LineArray);
    if (rendered != ctx.document->text())
        ctx.document->setText(rendered);
}

bool DocumentViews::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == ui().txtTextBox && event->type() == QEvent::FocusIn)
        state().LastFocusInTree = false;
    return Component::eventFilter(watched, event);
}
