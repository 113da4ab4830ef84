#include "ui/HelpPane.h"

#include <QEvent>
#include <QScrollBar>
#include <QTextBrowser>
#include <QUrl>

namespace {

bool opensOutside(const QUrl& url)
{
    const QString scheme = url.scheme().toLower();
    return scheme == QLatin1String("http") || scheme == QLatin1String("https") ||
           scheme == QLatin1String("mailto");
}

// The file URL of an address, its anchor as the fragment.
QUrl helpPageUrl(const QString& address)
{
    // fromLocalFile would encode the "#" into the file name.
    const qsizetype hash = address.indexOf(u'#');
    QUrl url = QUrl::fromLocalFile(hash < 0 ? address : address.left(hash));
    if (hash >= 0)
        url.setFragment(address.mid(hash + 1));
    return url;
}

} // namespace

HelpPane::HelpPane(QWidget* parent) : QStackedWidget(parent)
{
    setObjectName(QStringLiteral("helpPane"));
    setAccessibleName(QStringLiteral("Help Window"));
    fraBrowser = new QWidget(this);
    fraBrowser->setObjectName(QStringLiteral("fraBrowser"));
    fraBrowser->setAccessibleName(QStringLiteral("Blank help page"));
    fraBrowser->setAutoFillBackground(true);
    fraBrowser->setBackgroundRole(QPalette::Base);
    brwHelpBrowser = new QTextBrowser(this);
    brwHelpBrowser->setObjectName(QStringLiteral("brwHelpBrowser"));
    brwHelpBrowser->setAccessibleName(QStringLiteral("Help page"));
    brwHelpBrowser->setOpenLinks(false);
    brwHelpBrowser->setOpenExternalLinks(false);
    addWidget(fraBrowser);
    addWidget(brwHelpBrowser);
    setCurrentWidget(fraBrowser);
    connect(brwHelpBrowser, &QTextBrowser::anchorClicked, this, &HelpPane::linkClicked);
    connect(brwHelpBrowser->verticalScrollBar(), &QScrollBar::actionTriggered, this,
            [this] { m_anchor.clear(); });
    brwHelpBrowser->viewport()->installEventFilter(this);
}

void HelpPane::showHelpPage(const QString& address)
{
    const QUrl url = helpPageUrl(address);
    brwHelpBrowser->setSource(url);
    setCurrentWidget(brwHelpBrowser);
    // QTextBrowser places an anchor only while it shows; the browser face has just come up.
    showAnchor(url.fragment());
}

void HelpPane::showAnchor(const QString& anchor)
{
    m_anchor = anchor;
    if (!anchor.isEmpty())
        brwHelpBrowser->scrollToAnchor(anchor);
}

bool HelpPane::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == brwHelpBrowser->viewport() && event->type() == QEvent::Resize &&
        !m_anchor.isEmpty()) {
        // After the browser's own resize handling has reflowed the page.
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (!m_anchor.isEmpty() && currentWidget() == brwHelpBrowser)
                    brwHelpBrowser->scrollToAnchor(m_anchor);
            },
            Qt::QueuedConnection);
    }
    return QStackedWidget::eventFilter(watched, event);
}

// One face of the stack shows at a time, so the browser is never seen over the frame.
void HelpPane::blankHelpPane()
{
    setCurrentWidget(fraBrowser);
}

void HelpPane::linkClicked(const QUrl& link)
{
    if (opensOutside(link)) {
        emit externalLinkClicked(link);
        return;
    }
    const QUrl target = brwHelpBrowser->source().resolved(link);
    if (target.isLocalFile()) {
        brwHelpBrowser->setSource(target);
        showAnchor(target.fragment());
    }
}
