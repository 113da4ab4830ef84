#pragma once

#include "ui/WorkArea.h"

#include <QObject>

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

    explicit MainLayout(const Parts& parts, QObject* parent = nullptr);

    void resizeLayout();
    void titleStripLayout();
    bool isHelpShown() const;
    void toggleHelpWindow();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void keepMinimumWidth();
    void keepHelpPaneCollapsed();
    void fitParameterColumn();
    void setSplitPosition(double upperTwips, bool collapseLower);
    int twips(double value) const;

    Parts m_parts;
    bool m_helpToggleInProgress = false;
};
