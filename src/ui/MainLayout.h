#pragma once

#include "ui/WorkArea.h"

#include <QObject>

class EditingState;
class QWidget;

// The main window's layout rules that Qt's layouts do not give by themselves: the minimum
// width, the help pane shown and hidden and a hidden one kept collapsed, the list's "Parameter"
// column taking the spare width, and the value editor strip following the list.
class MainLayout : public QObject {
    Q_OBJECT
public:
    struct Parts : WorkArea {
        QWidget* tree;
        QWidget* documentPane;
    };

    // The help pane shows as far as the state says; showing or hiding it sets the state.
    MainLayout(const Parts& parts, EditingState& state, QObject* parent = nullptr);

    void resizeLayout();
    void titleStripLayout();
    bool isHelpShown() const;
    void showHelpWindow(bool show);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void keepMinimumWidth();
    void keepHelpPaneCollapsed();
    void fitParameterColumn();
    void setSplitPosition(double upperTwips, bool collapseLower);
    int twips(double value) const;

    Parts m_parts;
    EditingState& m_state;
    bool m_helpToggleInProgress = false;
};
