#pragma once

#include <QWidget>

class Dialogs;
class QTextBrowser;
class QToolButton;
class QUrl;

// frmHelpContents: the user guide in a window of the program, so that Help > Contents works
// without a desktop browser. Links within the guide are followed here, with Back and Forward;
// web and mail links go to the desktop.
class HelpContents : public QWidget {
    Q_OBJECT
public:
    HelpContents(Dialogs& dialogs, const QString& guidePath, QWidget* owner);

    QToolButton* cmdBack = nullptr;
    QToolButton* cmdForward = nullptr;
    QTextBrowser* brwContents = nullptr;

private:
    void linkClicked(const QUrl& link);

    Dialogs& m_dialogs;
};

// Help > Contents: shows the guide window owned by `owner`, or brings the open one forward.
void showHelpContents(Dialogs& dialogs, const QString& guidePath, QWidget* owner);
