#pragma once

#include "ui/MainContext.h"

class QEvent;

// The main window's layout rules that Qt's layouts do not give by themselves: the minimum
// width, the collapsed help pane, the list's "Parameter" column taking the spare width, and
// the editor strip placed by hand over the list.
class MainLayout : public Component {
    Q_OBJECT
public:
    explicit MainLayout(MainContext& context);

    void ResizeLayout();
    void TitleStripLayout();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void SizeToolbarButtons();
    void SetAccessibleNames();
    void SizeTitleStrip();
    void CentreStripControls();
    void KeepMinimumWidth();
    void KeepHelpPaneCollapsed();
    void FitParameterColumn();
    void PlaceEditorControls(int x, int listWidth);

    int twips(double value) const;
};
