#pragma once

#include <QDialog>
#include <QUrl>

class Dialogs;
class QFrame;
class QLabel;
class QPushButton;

// frmAbout: the product's name and version, the maker, a link to the web site (the picture)
// and to support (the address). Shift+click on the picture shows the credits instead.
class AboutBox : public QDialog {
    Q_OBJECT
public:
    AboutBox(Dialogs& dialogs, QWidget* owner);

    static const QUrl WebSite;
    static const QUrl SupportAddress;

    QLabel* Image1 = nullptr;
    QLabel* lblTitle = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label5 = nullptr;
    QFrame* fraOK = nullptr;
    QPushButton* FBOK = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildTexts();
    QFrame* buildOKFrame();
    void pictureClicked(Qt::KeyboardModifiers modifiers);

    Dialogs& m_dialogs;
};

// Help > About: builds the box owned by `owner` and runs it modally.
void showAboutBox(Dialogs& dialogs, QWidget* owner);
