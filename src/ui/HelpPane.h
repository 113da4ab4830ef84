#pragma once

#include <QStackedWidget>

class QTextBrowser;
class QUrl;

// helpPane, the lower pane of the work area: a setting's reference page, or the blank face
// (fraBrowser) when no page applies.
class HelpPane : public QStackedWidget {
    Q_OBJECT
public:
    explicit HelpPane(QWidget* parent = nullptr);

    // address: a page file, optionally followed by "#" and an anchor.
    void showHelpPage(const QString& address);
    void blankHelpPane();

    QWidget* fraBrowser = nullptr;
    QTextBrowser* brwHelpBrowser = nullptr;

signals:
    // A web or mail address: the desktop opens it.
    void externalLinkClicked(const QUrl& url);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void linkClicked(const QUrl& link);
    void showAnchor(const QString& anchor);

    // The section the pane was asked to show. A resize reflows the page, which would leave
    // another section in view; until the user scrolls, the pane goes back to this one.
    QString m_anchor;
};
