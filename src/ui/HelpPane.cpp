#include "ui/HelpPane.h"

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
}

void HelpPane::showHelpPage(const QString& address)
{
    const QUrl url = helpPageUrl(address);
    brwHelpBrowser->setSource(url);
    setCurrentWidget(brwHelpBrowser);
    // QTextBrowser places an anchor only while it shows; the browser face has just come up.
    if (url.hasFragment())
        brwHelpBrowser->scrollToAnchor(url.fragment());
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
    if (target.isLocalFile())
        brwHelpBrowser->setSource(target);
}
