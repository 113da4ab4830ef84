#include "ui/MainLayout.h"

#include "core/EditingState.h"
#include "ui/Twips.h"
#include "ui/ValueEditor.h"

#include <QEvent>
#include <QHeaderView>
#include <QMainWindow>
#include <QSplitter>
#include <QTreeView>
#include <algorithm>
#include <cmath>
#include <numeric>

namespace {

// Measures of the layout, in twips.
constexpr double MinimumWindowWidth = 3000;
constexpr double ColumnSlack = 100;
// What the frame, menu bar, toolbar and title strip take of the outer height: a collapsed
// split sits this far above the window's bottom edge.
constexpr double CollapsedAllowance = 1600;

// The rectangle of `widget` in the coordinates of `target`, a widget of the same window.
QRect rectIn(const QWidget* widget, const QWidget* target)
{
    const QWidget* window = widget->window();
    return QRect(target->mapFrom(window, widget->mapTo(window, QPoint(0, 0))), widget->size());
}

// Halves go to the even neighbour.
double roundHalfEven(double value)
{
    return std::nearbyint(value);
}

} // namespace

MainLayout::MainLayout(const Parts& parts, EditingState& state, QObject* parent)
    : QObject(parent), m_parts(parts), m_state(state)
{
    // The split position is the height of the upper pane: it holds when the window is
    // resized and the help pane takes the change.
    m_parts.vbuSplitterHoriz->setStretchFactor(0, 0);
    m_parts.vbuSplitterHoriz->setStretchFactor(1, 1);
    m_parts.window->setMinimumWidth(twips(MinimumWindowWidth));

    connect(m_parts.vbuSplitterVert, &QSplitter::splitterMoved, this,
            &MainLayout::titleStripLayout);
    m_parts.window->installEventFilter(this);
    m_parts.documentPane->installEventFilter(this);
    m_parts.list->viewport()->installEventFilter(this);
}

int MainLayout::twips(double value) const
{
    return Twips::toPixels(value, m_parts.window);
}

bool MainLayout::eventFilter(QObject* watched, QEvent* event)
{
    const auto type = event->type();
    const bool stripMoves =
        (watched == m_parts.window && type == QEvent::Show) ||
        (watched == m_parts.documentPane && (type == QEvent::Resize || type == QEvent::Move));
    if (stripMoves)
        titleStripLayout();
    else if (watched == m_parts.list->viewport() && type == QEvent::Resize)
        fitParameterColumn();
    return false;
}

void MainLayout::resizeLayout()
{
    keepMinimumWidth();
    if (!m_helpToggleInProgress && !isHelpShown())
        keepHelpPaneCollapsed();
    fitParameterColumn();
    titleStripLayout();
}

void MainLayout::keepMinimumWidth()
{
    QMainWindow* window = m_parts.window;
    // The limit is on the outer width; Qt's minimum is on the inner one.
    const int frameWidth = window->frameGeometry().width() - window->width();
    const int minimum = std::max(0, twips(MinimumWindowWidth) - frameWidth);
    if (window->minimumWidth() != minimum)
        window->setMinimumWidth(minimum);
}

void MainLayout::keepHelpPaneCollapsed()
{
    QSplitter* splitter = m_parts.vbuSplitterHoriz;
    const QList<int> sizes = splitter->sizes();
    if (sizes.size() < 2 || sizes[1] == 0)
        return;
    splitter->setSizes({sizes[0] + sizes[1], 0});
}

void MainLayout::fitParameterColumn()
{
    const QTreeView* list = m_parts.list;
    QHeaderView* header = list->header();
    if (header->count() < 2)
        return;
    const int spare = list->viewport()->width() - header->sectionSize(0) - twips(ColumnSlack);
    header->resizeSection(1, std::max(header->minimumSectionSize(), spare));
}

void MainLayout::titleStripLayout()
{
    ValueEditor* strip = m_parts.strip;
    // The list is always given the document pane's rectangle, shown or not.
    strip->layOut(rectIn(m_parts.tree, strip), rectIn(m_parts.documentPane, strip));
}

bool MainLayout::isHelpShown() const
{
    return m_state.helpShown();
}

void MainLayout::showHelpWindow(bool show)
{
    m_helpToggleInProgress = true;
    QMainWindow* window = m_parts.window;
    const double outerHeight = Twips::fromPixels(window->frameGeometry().height(), window);
    if (show)
        setSplitPosition(roundHalfEven(outerHeight / 3 * 1.5), false);
    else
        setSplitPosition(roundHalfEven(outerHeight - CollapsedAllowance), true);
    m_state.setHelpShown(show);
    m_helpToggleInProgress = false;
}

// The split position is the upper pane's height. A collapsed pane gets no height at all, even
// where the window's frame and bars take more or less than the allowance.
void MainLayout::setSplitPosition(double upperTwips, bool collapseLower)
{
    QSplitter* splitter = m_parts.vbuSplitterHoriz;
    const QList<int> sizes = splitter->sizes();
    int total = std::accumulate(sizes.cbegin(), sizes.cend(), 0);
    if (total <= 0)
        total = splitter->height();
    const int upper = std::max(0, Twips::toPixels(upperTwips, splitter));
    const int lower = collapseLower ? 0 : std::max(0, total - upper);
    splitter->setSizes({upper, lower});
}
