#pragma once

#include "ui/MainContext.h"

class QUrl;

// The lower pane of the work area: a setting's reference page, or the blank face when no page
// applies. Also Show/Hide Help Window and Help Contents (F1).
class HelpPane : public Component {
    Q_OBJECT
public:
    explicit HelpPane(MainContext& context);

    // address: a page file, optionally followed by "#" and an anchor.
    void ShowHelpPage(const QString& address);
    // Shows the blank face; with hideBrowserFirst the browser is hidden before the frame shows.
    void BlankHelpPane(bool hideBrowserFirst = false);
    bool IsHelpShown() const;
    void ToggleHelpWindow();
    void HelpContents();

private:
    void ConnectCommands();
    void LinkClicked(const QUrl& link);
    void SetSplitPosition(double upperTwips, bool collapseLower);
};
