#include "ui/Preferences.h"

#include "core/ConfigDocument.h"
#include "core/EditingState.h"
#include "core/PreferenceStore.h"
#include "ui/Dialogs.h"
#include "ui/Twips.h"
#include "ui/ValueEditor.h"

#include <QAction>
#include <QComboBox>
#include <QEvent>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QScreen>
#include <QSplitter>
#include <QToolButton>
#include <QTreeView>
#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>

namespace {

namespace Keys = PreferenceStore::Keys;
using PreferenceStore::read;
using PreferenceStore::write;

// Measures are stored in single precision.
float toTwips(int pixels, const QWidget* widget)
{
    return static_cast<float>(Twips::fromPixels(pixels, widget));
}

// The window frame, the work area's margins and the splitter's handle, in twips.
constexpr double FrameAllowance = 300;

// Whether the store holds a usable value of the measure: a missing or damaged one reads as a
// default that no stored measure can have.
bool holdsMeasure(QSettings& store, PreferenceStore::Key key)
{
    key.defaultValue = key.low - 1;
    return read<float>(store, key) >= key.low;
}

qint16 splitterTwips(int pixels, const QWidget* widget)
{
    const long twips = std::lround(toTwips(pixels, widget));
    return static_cast<qint16>(std::clamp<long>(twips, 0, std::numeric_limits<qint16>::max()));
}

// A window that no longer fits the screen (another monitor, another scale factor) is fitted
// inside the available area of the screen it is mostly on, smaller where it must be. One that
// would lie entirely off every screen comes back onto the primary one, offset from its corner.
QRect fittedToScreen(const QRect& frame, int offset)
{
    const QScreen* screen = nullptr;
    qint64 largest = 0;
    for (QScreen* candidate : QGuiApplication::screens()) {
        const QRect common = candidate->geometry().intersected(frame);
        const qint64 area = qint64(common.width()) * common.height();
        if (area > largest) {
            largest = area;
            screen = candidate;
        }
    }
    const bool seen = screen != nullptr;
    if (!seen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return frame;
    const QRect area = screen->availableGeometry();
    QRect placed(frame.topLeft(), frame.size().boundedTo(area.size()));
    if (!seen)
        placed.moveTopLeft(area.topLeft() +
                           QPoint(std::clamp(area.width() - placed.width(), 0, offset),
                                  std::clamp(area.height() - placed.height(), 0, offset)));
    placed.moveLeft(std::clamp(placed.left(), area.left(), area.right() + 1 - placed.width()));
    placed.moveTop(std::clamp(placed.top(), area.top(), area.bottom() + 1 - placed.height()));
    return placed;
}

// Sets the size of a splitter's first pane; the second pane takes the rest.
void setFirstPaneSize(QSplitter* splitter, int pixels)
{
    const QList<int> sizes = splitter->sizes();
    const int total = std::accumulate(sizes.cbegin(), sizes.cend(), 0);
    splitter->setSizes({pixels, std::max(1, total - pixels)});
}

int firstPaneSize(const QSplitter* splitter)
{
    const QList<int> sizes = splitter->sizes();
    return sizes.isEmpty() ? 0 : sizes.constFirst();
}

} // namespace

Preferences::Preferences(const ConfigDocument& document, EditingState& state, Dialogs& dialogs,
                         const Parts& parts, QObject* parent)
    : QObject(parent), m_document(document), m_state(state), m_dialogs(dialogs), m_parts(parts)
{}

void Preferences::LoadPreferences()
{
    const auto store = PreferenceStore::open();

    loadWindowGeometry(*store);
    loadSplitterPositions(*store);

    m_state.setHelpShown(read<bool>(*store, Keys::ShowHelp));
    m_state.setConfirmDelete(read<bool>(*store, Keys::ConfirmDelete));
    m_state.setProblemsShown(read<bool>(*store, Keys::ShowProblems));
    m_state.setListByCategory(read<bool>(*store, Keys::ListByCategory));
    m_parts.fontsItem->setEnabled(read<bool>(*store, Keys::ShowTextBox));

    loadColumnWidths(*store);
    m_parts.strip->clear();
}

void Preferences::loadWindowGeometry(QSettings& store)
{
    QMainWindow* window = m_parts.window;
    const float left = read<float>(store, Keys::MainLeft);
    const float top = read<float>(store, Keys::MainTop);
    float width = read<float>(store, Keys::MainWidth);
    float height = read<float>(store, Keys::MainHeight);
    if (!holdsMeasure(store, Keys::MainWidth))
        width = firstStartWidth(store);

    const QRect frame =
        fittedToScreen(QRect(Twips::toPixels(left, window), Twips::toPixels(top, window),
                             Twips::toPixels(width, window), Twips::toPixels(height, window)),
                       Twips::toPixels(Keys::MainLeft.defaultValue, window));
    // The stored measures are the outer ones. Before the window is first shown its frame has
    // no size yet: the size is corrected once the frame is known, or the window would grow
    // by its frame at every start.
    const QSize frameMargins = window->frameGeometry().size() - window->size();
    window->move(frame.topLeft());
    window->resize(frame.size() - frameMargins);
    if (frameMargins.isNull()) {
        m_outerSizeToKeep = frame.size();
        window->installEventFilter(this);
    }
}

// Without a stored width the window leaves room beside the tree for the value editor's widest
// arrangement, as far as the screen allows; the user's own width is kept from then on.
float Preferences::firstStartWidth(QSettings& store) const
{
    QMainWindow* window = m_parts.window;
    const double tree = read<qint16>(store, Keys::SplitterLeft);
    const double editor = Twips::fromPixels(m_parts.strip->widestArrangementWidth(), window);
    double width = std::max(Keys::MainWidth.defaultValue, tree + editor + FrameAllowance);
    const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (screen) {
        const double right = Twips::fromPixels(screen->availableGeometry().right() + 1, window);
        width = std::min(width, right - read<float>(store, Keys::MainLeft));
    }
    return static_cast<float>(std::max(width, Keys::MainWidth.low));
}

bool Preferences::eventFilter(QObject* watched, QEvent* event)
{
    QMainWindow* window = m_parts.window;
    const auto type = event->type();
    if (watched != window ||
        (type != QEvent::Show && type != QEvent::Move && type != QEvent::Resize))
        return false;
    const QSize frameMargins = window->frameGeometry().size() - window->size();
    if (!window->isVisible() || frameMargins.isNull())
        return false;
    window->removeEventFilter(this);
    // Unless the user has resized the window meanwhile.
    if (window->size() == m_outerSizeToKeep)
        window->resize(m_outerSizeToKeep - frameMargins);
    return false;
}

void Preferences::loadSplitterPositions(QSettings& store)
{
    setFirstPaneSize(m_parts.vbuSplitterHoriz,
                     Twips::toPixels(read<qint16>(store, Keys::SplitterTop), m_parts.window));
    setFirstPaneSize(m_parts.vbuSplitterVert,
                     Twips::toPixels(read<qint16>(store, Keys::SplitterLeft), m_parts.window));
}

void Preferences::loadColumnWidths(QSettings& store)
{
    QHeaderView* header = m_parts.list->header();
    const float first = read<float>(store, Keys::LvCol1);
    const float second = read<float>(store, Keys::LvCol2);
    header->resizeSection(0, Twips::toPixels(first, header));
    header->resizeSection(1, Twips::toPixels(second, header));
}

void Preferences::SavePreferences()
{
    const auto store = PreferenceStore::open();

    saveWindowGeometry(*store);
    write(*store, Keys::ShowTextBox, m_document.isTextView());
    write(*store, Keys::ListByCategory, m_state.listByCategory());
    saveSplitterPositions(*store);
    saveColumnWidths(*store);
    write(*store, Keys::ShowHelp, m_state.helpShown());
    write(*store, Keys::ConfirmDelete, m_state.confirmDelete());
    write(*store, Keys::ShowProblems, m_state.problemsShown());
    store->sync();
}

void Preferences::saveWindowGeometry(QSettings& store)
{
    const QMainWindow* window = m_parts.window;
    const QRect frame = window->frameGeometry();
    write(store, Keys::MainLeft, toTwips(frame.left(), window));
    write(store, Keys::MainTop, toTwips(frame.top(), window));
    write(store, Keys::MainWidth, toTwips(frame.width(), window));
    write(store, Keys::MainHeight, toTwips(frame.height(), window));
}

void Preferences::saveSplitterPositions(QSettings& store)
{
    write(store, Keys::SplitterTop,
          splitterTwips(firstPaneSize(m_parts.vbuSplitterHoriz), m_parts.window));
    write(store, Keys::SplitterLeft,
          splitterTwips(firstPaneSize(m_parts.vbuSplitterVert), m_parts.window));
}

void Preferences::saveColumnWidths(QSettings& store)
{
    const QHeaderView* header = m_parts.list->header();
    write(store, Keys::LvCol1, toTwips(header->sectionSize(0), header));
    write(store, Keys::LvCol2, toTwips(header->sectionSize(1), header));
}

void Preferences::LoadFontPreferences()
{
    const auto store = PreferenceStore::open();
    QString family = read<QString>(*store, Keys::FontName).trimmed();
    if (family.isEmpty())
        family = QLatin1String(Keys::FontName.defaultText);
    setTextViewFont(family, read<float>(*store, Keys::FontSize), read<bool>(*store, Keys::FontBold),
                    read<bool>(*store, Keys::FontItalic));
}

void Preferences::setTextViewFont(const QString& family, double pointSize, bool bold, bool italic)
{
    QFont font = m_parts.text->font();
    font.setFamilies({family});
    // A family the system lacks shows in its sans-serif face, while family() keeps the name
    // chosen, which is what gets saved.
    const bool available = QFontDatabase::families().contains(family, Qt::CaseInsensitive);
    font.setStyleHint(available ? QFont::AnyStyle : QFont::SansSerif);
    if (pointSize > 0)
        font.setPointSizeF(pointSize);
    font.setBold(bold);
    font.setItalic(italic);
    m_parts.text->setFont(font);
}

void Preferences::SaveFontPreferences()
{
    const auto store = PreferenceStore::open();
    const QFont font = m_parts.text->font();
    write(*store, Keys::FontName, font.family());
    write(*store, Keys::FontSize, static_cast<float>(font.pointSizeF()));
    write(*store, Keys::FontBold, font.bold());
    write(*store, Keys::FontItalic, font.italic());
    store->sync();
}

void Preferences::fontsCommand()
{
    // Never preset with the text view's font: the first time the dialog offers its own default.
    const QFont initial = m_lastFontChoice.value_or(QFont());
    const std::optional<QFont> choice = m_dialogs.chooseFont(m_parts.window, initial);
    if (!choice)
        return;
    m_lastFontChoice = *choice;
    setTextViewFont(choice->family(), choice->pointSizeF(), choice->bold(), choice->italic());
    SaveFontPreferences();
}
