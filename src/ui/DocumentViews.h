#pragma once

#include "ui/MainContext.h"

class QEvent;

// Which of the list view and the text view shows, the switch between them (carrying the
// document across), the commands that depend on the view, and the text view's notices.
class DocumentViews : public Component {
    Q_OBJECT
public:
    explicit DocumentViews(MainContext& context);

    bool IsTextView() const;
    void SetView(bool textMode);
    void SetViewCommandStates(bool isText);
    void TextViewCommand();
    void ListViewCommand();
    void PopUpSwitchToTextView();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // LinesFromRows and TextFromLines, leaving the text view alone when it already shows the
    // rendered rows.
    void TextFromRows();
};
