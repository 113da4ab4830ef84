#include "ui/HelpPane.h"

#include "core/Discard.h"
#include "ui/PageSections.h"

#include <QAbstractTextDocumentLayout>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QScrollBar>
#include <QStackedLayout>
#include <QStringDecoder>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTextLayout>
#include <QThread>
#include <QTimer>
#include <QUrl>
#include <memory>
#include <utility>

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

QUrl withoutAnchor(QUrl url)
{
    url.setFragment(QString());
    return url;
}

// Where each anchor name of the document starts.
QHash<QString, int> anchorPositions(const QTextDocument& document)
{
    QHash<QString, int> anchors;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QTextCharFormat format = fragment.charFormat();
            if (!format.isAnchor())
                continue;
            for (const QString& name : format.anchorNames())
                anchors.insert(name, fragment.position());
        }
    }
    return anchors;
}

// A layout step keeps within a frame's time, so the window goes on answering.
constexpr qint64 LayoutStepMilliseconds = 8;

// Pages up to this size parse quickly enough to show on the click.
constexpr qint64 GlanceBytes = 512 * 1024;
// A few screens of text: the slice a glance parses.
constexpr qsizetype GlanceChars = 8 * 1024;

QString decodeHtml(const QByteArray& bytes)
{
    QStringDecoder decoder = QStringDecoder::decoderForHtml(bytes);
    return decoder.isValid() ? decoder.decode(bytes) : QString::fromUtf8(bytes);
}

// Where the element naming `anchor` (name= or id=, quoted or not) sits in the page's text;
// -1 when nowhere.
qsizetype anchorOffset(const QString& html, const QString& anchor)
{
    for (qsizetype at = html.indexOf(anchor); at > 0; at = html.indexOf(anchor, at + 1)) {
        const qsizetype after = at + anchor.size();
        QChar quote = html.at(at - 1);
        qsizetype before = at - 1;
        if (quote == u'"' || quote == u'\'')
            --before;
        else
            quote = QChar();
        if (after < html.size() &&
            !(quote.isNull() ? html.at(after).isSpace() || html.at(after) == u'>'
                             : html.at(after) == quote))
            continue;
        while (before >= 0 && html.at(before).isSpace())
            --before;
        if (before < 0 || html.at(before) != u'=')
            continue;
        const QStringView attribute = QStringView(html).left(before).trimmed().right(4);
        if (attribute.endsWith(u"name", Qt::CaseInsensitive) ||
            attribute.endsWith(u" id", Qt::CaseInsensitive))
            return at;
    }
    return -1;
}

} // namespace

// What the loading thread hands over; whichever of the pane and the thread ends last frees it.
struct HelpPane::Loading {
    QUrl page;
    std::unique_ptr<QTextDocument> document;
    QHash<QString, int> anchors;
};

namespace {

// Read-aheads whose pane went first. Closing the window does not wait for them; the application
// does as it ends, before the fonts and formats they use go.
QList<QPointer<QThread>>& unfinishedLoaders()
{
    static QList<QPointer<QThread>> loaders;
    return loaders;
}

} // namespace

HelpPane::~HelpPane()
{
    if (!m_loader)
        return;
    static const bool registered = [] {
        qAddPostRoutine([] {
            for (const QPointer<QThread>& loader : std::as_const(unfinishedLoaders())) {
                if (loader)
                    loader->wait();
            }
            unfinishedLoaders().clear();
        });
        return true;
    }();
    Q_UNUSED(registered);
    QList<QPointer<QThread>>& loaders = unfinishedLoaders();
    loaders.removeAll(nullptr);
    loaders.append(m_loader);
}

void HelpPane::preload(const QString& address)
{
    if (m_loader || m_ready || !m_readingPage.isEmpty())
        return;
    auto loading = std::make_shared<Loading>();
    loading->page = withoutAnchor(helpPageUrl(address));
    m_readingPage = loading->page;
    if (QFileInfo(m_readingPage.toLocalFile()).size() > GlanceBytes)
        prepareGlance();
    m_loading = loading;
    QThread* mainThread = thread();
    const QFont font = brwHelpBrowser->font();
    m_loader = QThread::create([loading, mainThread, font] {
        QFile file(loading->page.toLocalFile());
        if (!file.open(QIODevice::ReadOnly))
            return;
        // The parse's scratch runs to megabytes, and the heap keeps what is freed: given back
        // before and after, it does not add to what the window holds at its most.
        releaseFreedMemory();
        auto document = std::make_unique<QTextDocument>();
        document->setDefaultFont(font);
        document->setMetaInformation(QTextDocument::DocumentUrl, loading->page.toString());
        {
            const QString html = decodeHtml(file.readAll());
            file.close();
            PageSections::setHtml(*document, html);
        }
        loading->anchors = anchorPositions(*document);
        releaseFreedMemory();
        document->moveToThread(mainThread);
        loading->document = std::move(document);
    });
    connect(m_loader, &QThread::finished, this, &HelpPane::adoptPreloaded);
    connect(m_loader, &QThread::finished, m_loader, &QObject::deleteLater);
    m_loader->start(QThread::LowPriority);
}

// The browser takes the parsed page unless a click came first and it shows a page already.
void HelpPane::adoptPreloaded()
{
    const std::shared_ptr<Loading> loading = std::move(m_loading);
    // A glance stands for the page even when the browser beneath holds another one.
    if (!loading || !loading->document || (!m_page.isEmpty() && !glancing())) {
        m_readingPage.clear();
        endGlance();
        return;
    }
    QTextDocument* document = loading->document.release();
    document->setParent(brwHelpBrowser);
    // The browser's own first document goes with it.
    brwHelpBrowser->setDocument(document);
    m_page = loading->page;
    m_preloadedShown = true;
    m_anchors = loading->anchors;
    m_nextToLayOut = document->begin();
    layOutAhead();
}

void HelpPane::layOutAhead()
{
    if (!m_preloadedShown)
        return;
    QAbstractTextDocumentLayout* layout = brwHelpBrowser->document()->documentLayout();
    QElapsedTimer step;
    step.start();
    // Asking for a block's place lays the page out up to it.
    while (m_nextToLayOut.isValid() && step.elapsed() < LayoutStepMilliseconds) {
        layout->blockBoundingRect(m_nextToLayOut);
        m_nextToLayOut = m_nextToLayOut.next();
    }
    if (m_nextToLayOut.isValid()) {
        QTimer::singleShot(0, this, &HelpPane::layOutAhead);
        return;
    }
    m_ready = true;
    const bool wasGlancing = glancing();
    endGlance();
    if (wasGlancing) {
        // The browser learns the page's height on a timer of the layout's; the section needs it
        // now to be scrolled to.
        QAbstractTextDocumentLayout* layout = brwHelpBrowser->document()->documentLayout();
        emit layout->documentSizeChanged(layout->documentSize());
        showAnchor(m_anchor);
    }
    emit pageReady();
}

// Shows the section of the page being read ahead from a slice of its text. False when the page
// is small enough to show whole at once, or cannot be read.
bool HelpPane::glance(const QUrl& url)
{
    if (m_pageText.isNull()) {
        QFile file(m_readingPage.toLocalFile());
        m_pageText = QLatin1String("");
        if (file.size() > GlanceBytes && file.open(QIODevice::ReadOnly))
            m_pageText = decodeHtml(file.readAll());
    }
    if (m_pageText.isEmpty())
        return false;
    const qsizetype bodyTag = m_pageText.indexOf(QLatin1String("<body"), 0, Qt::CaseInsensitive);
    const qsizetype body = bodyTag < 0 ? 0 : m_pageText.indexOf(u'>', bodyTag) + 1;
    qsizetype at = url.fragment().isEmpty() ? -1 : anchorOffset(m_pageText, url.fragment());
    qsizetype start = body;
    if (at >= 0) {
        // From the start of the anchor's line; the tag itself when the page has long lines.
        start = m_pageText.lastIndexOf(u'\n', at) + 1;
        if (at - start > GlanceChars / 4)
            start = std::max<qsizetype>(m_pageText.lastIndexOf(u'<', at), 0);
    }
    qsizetype end = m_pageText.indexOf(u'\n', start + GlanceChars);
    if (end < 0)
        end = m_pageText.size();
    prepareGlance();
    // A fresh document: replacing the text of one on show would lay all of it out again.
    auto* document = new QTextDocument(m_glance);
    document->setDefaultFont(m_glance->font());
    document->setHtml(m_pageText.left(body) + m_pageText.mid(start, end - start));
    // The browser's own first document goes with it; the glances before are the pane's.
    std::unique_ptr<QTextDocument> old(
        m_glance->document()->parent() == m_glance ? m_glance->document() : nullptr);
    m_glance->setDocument(document);
    m_glance->setGeometry(brwHelpBrowser->geometry());
    m_glance->show();
    m_glance->raise();
    m_glance->verticalScrollBar()->setValue(0);
    return true;
}

void HelpPane::prepareGlance()
{
    if (m_glance)
        return;
    m_glance = new QTextBrowser(this);
    m_glance->hide();
    m_glance->setAccessibleName(brwHelpBrowser->accessibleName());
    m_glance->setOpenLinks(false);
    m_glance->setFocusPolicy(Qt::NoFocus);
    m_glance->ensurePolished();
    connect(m_glance, &QTextBrowser::anchorClicked, this, &HelpPane::linkClicked);
}

bool HelpPane::glancing() const
{
    return m_glance && !m_glance->isHidden();
}

void HelpPane::endGlance()
{
    if (!m_glance)
        return;
    m_glance->hide();
    if (m_ready || m_readingPage.isEmpty()) {
        m_pageText.clear();
        delete std::exchange(m_glance, nullptr);
    }
}

void HelpPane::resizeEvent(QResizeEvent* event)
{
    QStackedWidget::resizeEvent(event);
    if (glancing())
        m_glance->setGeometry(brwHelpBrowser->geometry());
}

bool HelpPane::scrollToKnownAnchor(const QString& anchor)
{
    if (!m_preloadedShown)
        return false;
    const auto found = m_anchors.constFind(anchor);
    if (found == m_anchors.cend())
        return true; // as Qt does with an unknown anchor: the page stays where it is
    QTextDocument* document = brwHelpBrowser->document();
    const QTextBlock block = document->findBlock(*found);
    if (!block.isValid())
        return true;
    const QRectF rect = document->documentLayout()->blockBoundingRect(block);
    qreal top = rect.top();
    if (const QTextLayout* lines = block.layout()) {
        const QTextLine line = lines->lineForTextPosition(*found - block.position());
        if (line.isValid())
            top += line.y();
    }
    brwHelpBrowser->verticalScrollBar()->setValue(qRound(top));
    return true;
}

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
    // The browser stays laid out under the blank face, so that a page read ahead is laid out
    // at the width it will show at.
    if (auto* stack = qobject_cast<QStackedLayout*>(layout()))
        stack->setStackingMode(QStackedLayout::StackAll);
    setCurrentWidget(fraBrowser);
    // Under the blank face the browser is out of the keyboard's way.
    const Qt::FocusPolicy browserFocus = brwHelpBrowser->focusPolicy();
    brwHelpBrowser->setFocusPolicy(Qt::NoFocus);
    connect(this, &QStackedWidget::currentChanged, this, [this, browserFocus] {
        brwHelpBrowser->setFocusPolicy(currentWidget() == brwHelpBrowser ? browserFocus
                                                                         : Qt::NoFocus);
    });
    connect(brwHelpBrowser, &QTextBrowser::anchorClicked, this, &HelpPane::linkClicked);
    connect(brwHelpBrowser->verticalScrollBar(), &QScrollBar::actionTriggered, this,
            [this] { m_anchor.clear(); });
    brwHelpBrowser->viewport()->installEventFilter(this);
}

void HelpPane::showHelpPage(const QString& address)
{
    const QUrl url = helpPageUrl(address);
    // A click before the read-ahead began: the page asked for is the one to read.
    if (!m_loader && !m_loading && !m_ready && m_readingPage.isEmpty())
        preload(address);
    if (!m_ready && withoutAnchor(url) == m_readingPage && glance(url)) {
        m_anchor = url.fragment();
        setCurrentWidget(brwHelpBrowser);
        m_glance->raise();
        return;
    }
    endGlance();
    if (!m_preloadedShown || withoutAnchor(url) != m_page) {
        m_preloadedShown = false;
        m_anchors.clear();
        m_page = withoutAnchor(url);
        brwHelpBrowser->setSource(url);
    }
    setCurrentWidget(brwHelpBrowser);
    // QTextBrowser places an anchor only while it shows; the browser face has just come up.
    showAnchor(url.fragment());
}

void HelpPane::showAnchor(const QString& anchor)
{
    m_anchor = anchor;
    if (!anchor.isEmpty() && !scrollToKnownAnchor(anchor))
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
                    showAnchor(m_anchor);
            },
            Qt::QueuedConnection);
    }
    return QStackedWidget::eventFilter(watched, event);
}

// One face of the stack shows at a time, so the browser is never seen over the frame.
void HelpPane::blankHelpPane()
{
    endGlance();
    setCurrentWidget(fraBrowser);
}

void HelpPane::linkClicked(const QUrl& link)
{
    if (opensOutside(link)) {
        emit externalLinkClicked(link);
        return;
    }
    const QUrl target = (glancing() ? m_readingPage : m_page).resolved(link);
    if (!target.isLocalFile())
        return;
    if (glancing()) {
        showHelpPage(target.toLocalFile() +
                     (target.hasFragment() ? u'#' + target.fragment() : QString()));
        return;
    }
    if (m_preloadedShown && withoutAnchor(target) == m_page) {
        showAnchor(target.fragment());
        return;
    }
    m_preloadedShown = false;
    m_anchors.clear();
    m_page = withoutAnchor(target);
    brwHelpBrowser->setSource(target);
    showAnchor(target.fragment());
}
