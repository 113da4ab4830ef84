#pragma once

#include <QHash>
#include <QPointer>
#include <QStackedWidget>
#include <QTextBlock>
#include <QUrl>

class QTextBrowser;
class QTextDocument;
class QThread;

// helpPane, the lower pane of the work area: a setting's reference page, or the blank face
// (fraBrowser) when no page applies.
class HelpPane : public QStackedWidget {
    Q_OBJECT
public:
    explicit HelpPane(QWidget* parent = nullptr);
    ~HelpPane() override;

    // Reads the page at `address` ahead, so that showing it later costs a scroll. The page is
    // parsed on a thread of its own and laid out in short steps while the window is idle, so
    // the window answers throughout.
    void preload(const QString& address);
    // The preloaded page is parsed and laid out.
    bool isPageReady() const { return m_ready; }

    // address: a page file, optionally followed by "#" and an anchor.
    void showHelpPage(const QString& address);
    void blankHelpPane();

    QWidget* fraBrowser = nullptr;
    QTextBrowser* brwHelpBrowser = nullptr;

signals:
    // A web or mail address: the desktop opens it.
    void externalLinkClicked(const QUrl& url);
    void pageReady();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void linkClicked(const QUrl& link);
    void showAnchor(const QString& anchor);
    bool scrollToKnownAnchor(const QString& anchor);
    void adoptPreloaded();
    void layOutAhead();
    bool glance(const QUrl& url);
    void prepareGlance();
    bool glancing() const;
    void endGlance();

    // The section the pane was asked to show. A resize reflows the page, which would leave
    // another section in view; until the user scrolls, the pane goes back to this one.
    QString m_anchor;

    // The page the browser holds, without its anchor. When it came from preload() the browser
    // shows that document directly and the pane finds anchors through its own index: Qt's
    // own search walks the whole page at every click.
    QUrl m_page;
    bool m_preloadedShown = false;
    QHash<QString, int> m_anchors;
    QTextBlock m_nextToLayOut;
    bool m_ready = false;

    struct Loading;
    QPointer<QThread> m_loader;
    std::shared_ptr<Loading> m_loading;

    // A large page read ahead takes seconds to parse and lay out. A section asked for meanwhile
    // shows at once from a slice of the page's text, over the browser, until the whole page is
    // ready beneath it.
    QUrl m_readingPage;
    QString m_pageText; // null until first needed; empty when the page is small or unreadable
    QTextBrowser* m_glance = nullptr;
};
