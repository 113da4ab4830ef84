#include "ui/HelpPane.h"

#include "ui/Dialogs.h"
#include "ui/Twips.h"

#include <QAction>
#include <QKeySequence>
#include <QMainWindow>
#include <QShortcut>
#include <QSplitter>
#include <QStackedWidget>
#include <QTextBrowser>
#include <QUrl>

#include <algorithm>
#include <cmath>
#include <numeric>

namespace {

// What the frame, menu bar, toolbar and title strip take of the outer height: a collapsed
// split sits this far above the window's bottom edge.
constexpr double CollapsedAllowance = 1600;

// Halves go to the even neighbour.
double RoundHalfEven(double value)
{
    return std::nearbyint(value);
}

bool OpensOutside(const QUrl& url)
{
    const QString scheme = url.scheme().toLower();
    return scheme == QLatin1String("http") || scheme == QLatin1String("https") ||
           scheme == QLatin1String("mailto");
}

// The file URL of an address, its anchor as the fragment.
QUrl HelpPageUrl(const QString& address)
{
    // fromLocalFile would encode the "#" into the file name.
    const qsizetype hash = address.indexOf(u'#');
    QUrl url = QUrl::fromLocalFile(hash < 0 ? address : address.left(hash));
    if (hash >= 0)
        url.setFragment(address.mid(hash + 1));
    return url;
}

} // namespace

HelpPane::HelpPane(MainContext& context) : Component(context)
{
    QTextBrowser* browser = ui().brwHelpBrowser;
    browser->setOpenLinks(false);
    browser->setOpenExternalLinks(false);
    connect(browser, &QTextBrowser::anchorClicked, this, &HelpPane::LinkClicked);
    ConnectCommands();
}

void HelpPane::ConnectCommands()
{
    MainWidgets& ui = this->ui();
    // Qt has already flipped the check mark when `triggered` arrives; the command sets it.
    connect(ui.mnuViewmnuShowHelp, &QAction::triggered, this, [this](bool checked) {
        this->ui().mnuViewmnuShowHelp->setChecked(!checked);
        ToggleHelpWindow();
    });
    connect(ui.FlatBttn[Button::ShowHelp], &QAction::triggered, this, &HelpPane::ToggleHelpWindow);
    connect(ui.mnuHelpContents, &QAction::triggered, this, &HelpPane::HelpContents);
    auto* f1 = new QShortcut(QKeySequence::HelpContents, ui.frmMain);
    f1->setObjectName(QStringLiteral("helpContentsShortcut"));
    connect(f1, &QShortcut::activated, this, &HelpPane::HelpContents);
}

void HelpPane::ShowHelpPage(const QString& address)
{
    const QUrl url = HelpPageUrl(address);
    ui().brwHelpBrowser->setSource(url);
    ui().helpPane->setCurrentWidget(ui().brwHelpBrowser);
    // QTextBrowser places an anchor only while it shows; the browser face has just come up.
    if (url.hasFragment())
        ui().brwHelpBrowser->scrollToAnchor(url.fragment());
}

void HelpPane::LinkClicked(const QUrl& link)
{
    if (OpensOutside(link)) {
        ctx.dialogs.openUrl(link);
        return;
    }
    const QUrl target = ui().brwHelpBrowser->source().resolved(link);
    if (target.isLocalFile())
        ui().brwHelpBrowser->setSource(target);
}

void HelpPane::BlankHelpPane(bool hideBrowserFirst)
{
    // One face of the stack shows at a time, so the browser is never seen over the frame.
    Q_UNUSED(hideBrowserFirst);
    ui().helpPane->setCurrentWidget(ui().fraBrowser);
}

bool HelpPane::IsHelpShown() const
{
    return ctx.ui.mnuViewmnuShowHelp->isChecked();
}

void HelpPane::ToggleHelpWindow()
{
    state().HelpToggleInProgress = true;
    QMainWindow* window = ui().frmMain;
    const double outerHeight = Twips::fromPixels(window->frameGeometry().height(), window);
    if (IsHelpShown()) {
        ui().mnuViewmnuShowHelp->setChecked(false);
        SetSplitPosition(RoundHalfEven(outerHeight - CollapsedAllowance), true);
        ui().FlatBttn[Button::ShowHelp]->setChecked(false);
    } else {
        SetSplitPosition(RoundHalfEven(outerHeight / 3 * 1.5), false);
        ui().mnuViewmnuShowHelp->setChecked(true);
        ui().FlatBttn[Button::ShowHelp]->setChecked(true);
    }
    state().HelpToggleInProgress = false;
}

// The split position is the upper pane's height. A collapsed pane gets no height at all, even
// where the window's frame and bars take more or less than the allowance.
void HelpPane::SetSplitPosition(double upperTwips, bool collapseLower)
{
    QSplitter* splitter = ui().vbuSplitterHoriz;
    const QList<int> sizes = splitter->sizes();
    int total = std::accumulate(sizes.cbegin(), sizes.cend(), 0);
    if (total <= 0)
        total = splitter->height();
    const int upper = std::max(0, Twips::toPixels(upperTwips, splitter));
    const int lower = collapseLower ? 0 : std::max(0, total - upper);
    splitter->setSizes({upper, lower});
}

void HelpPane::HelpContents()
{
    ctx.dialogs.openUrl(QUrl::fromLocalFile(ctx.programDir + QStringLiteral("/DraCFG.html")));
}
