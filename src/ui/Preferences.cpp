#include "ui/Preferences.h"

#include "core/ConfigDocument.h"
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

// Defaults of the stored measures, in twips (font size in points).
constexpr float DefaultLeft = 1000;
constexpr float DefaultTop = 1000;
constexpr float DefaultWidth = 6500;
constexpr float DefaultHeight = 8970;
constexpr qint16 DefaultSplitter = 3000;
constexpr float DefaultColumn1 = 2500.15f;
constexpr float DefaultColumn2 = 3500.22f;
const QString DefaultFontName = QStringLiteral("MS Sans Serif");
constexpr float DefaultFontSize = 10;

// Stored measures outside these ranges are damage, not a user's choice: they read as the
// default. Positions may be negative (screens left of or above the primary one).
constexpr float MaxMeasure = 1'000'000; // twips, some 66,000 pixels
constexpr float MinWindowSize = 1440;   // an inch
constexpr float MinColumnWidth = 150;   // a column narrower than this cannot be found again
constexpr float MinFontSize = 1;
constexpr float MaxFontSize = 500;

float ReadInRange(QSettings& store, const QString& key, float defaultValue, float low, float high)
{
    const float value = PreferenceStore::ReadSingle(store, key, defaultValue);
    return value >= low && value <= high ? value : defaultValue;
}

qint16 ReadSplitter(QSettings& store, const QString& key)
{
    const qint16 value = PreferenceStore::ReadInt16(store, key, DefaultSplitter);
    return value >= 0 ? value : DefaultSplitter;
}

double ToTwips(int pixels, const QWidget* widget)
{
    return Twips::fromPixels(pixels, widget);
}

qint16 SplitterTwips(int pixels, const QWidget* widget)
{
    const long twips = std::lround(ToTwips(pixels, widget));
    return static_cast<qint16>(std::clamp<long>(twips, 0, std::numeric_limits<qint16>::max()));
}

// A window that would lie entirely off every screen comes back onto the primary one.
QRect OnSomeScreen(const QRect& frame, int offset)
{
    const QList<QScreen*> screens = QGuiApplication::screens();
    const bool seen = std::any_of(screens.cbegin(), screens.cend(), [&](const QScreen* screen) {
        return screen->geometry().intersects(frame);
    });
    const QScreen* primary = QGuiApplication::primaryScreen();
    if (seen || !primary)
        return frame;
    const QRect area = primary->availableGeometry();
    QRect placed = frame;
    placed.moveTopLeft(area.topLeft() +
                       QPoint(std::clamp(area.width() - frame.width(), 0, offset),
                              std::clamp(area.height() - frame.height(), 0, offset)));
    return placed;
}

// Sets the size of a splitter's first pane; the second pane takes the rest.
void SetFirstPaneSize(QSplitter* splitter, int pixels)
{
    const QList<int> sizes = splitter->sizes();
    const int total = std::accumulate(sizes.cbegin(), sizes.cend(), 0);
    splitter->setSizes({pixels, std::max(1, total - pixels)});
}

int FirstPaneSize(const QSplitter* splitter)
{
    const QList<int> sizes = splitter->sizes();
    return sizes.isEmpty() ? 0 : sizes.constFirst();
}

} // namespace

Preferences::Preferences(const ConfigDocument& document, Dialogs& dialogs, const Parts& parts,
                         QObject* parent)
    : QObject(parent), m_document(document), m_dialogs(dialogs), m_parts(parts)
{}

void Preferences::LoadPreferences()
{
    const auto store = PreferenceStore::Open();

    LoadWindowGeometry(*store);
    LoadSplitterPositions(*store);

    const bool showHelp = PreferenceStore::ReadBool(*store, QStringLiteral("ShowHelp"), true);
    m_parts.showHelpItem->setChecked(showHelp);
    m_parts.showHelpButton->setChecked(showHelp);

    m_parts.confirmDelete->setChecked(
        PreferenceStore::ReadBool(*store, QStringLiteral("ConfirmDelete"), true));
    m_parts.fontsItem->setEnabled(
        PreferenceStore::ReadBool(*store, QStringLiteral("ShowTextBox"), true));

    LoadColumnWidths(*store);
    m_parts.strip->Clear();
}

void Preferences::LoadWindowGeometry(QSettings& store)
{
    QMainWindow* window = m_parts.window;
    const float left =
        ReadInRange(store, QStringLiteral("MainLeft"), DefaultLeft, -MaxMeasure, MaxMeasure);
    const float top =
        ReadInRange(store, QStringLiteral("MainTop"), DefaultTop, -MaxMeasure, MaxMeasure);
    const float width =
        ReadInRange(store, QStringLiteral("MainWidth"), DefaultWidth, MinWindowSize, MaxMeasure);
    const float height =
        ReadInRange(store, QStringLiteral("MainHeight"), DefaultHeight, MinWindowSize, MaxMeasure);

    const QRect frame =
        OnSomeScreen(QRect(Twips::toPixels(left, window), Twips::toPixels(top, window),
                           Twips::toPixels(width, window), Twips::toPixels(height, window)),
                     Twips::toPixels(DefaultLeft, window));
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

void Preferences::LoadSplitterPositions(QSettings& store)
{
    SetFirstPaneSize(
        m_parts.vbuSplitterHoriz,
        Twips::toPixels(ReadSplitter(store, QStringLiteral("SplitterTop")), m_parts.window));
    SetFirstPaneSize(
        m_parts.vbuSplitterVert,
        Twips::toPixels(ReadSplitter(store, QStringLiteral("SplitterLeft")), m_parts.window));
}

void Preferences::LoadColumnWidths(QSettings& store)
{
    QHeaderView* header = m_parts.list->header();
    const float first =
        ReadInRange(store, QStringLiteral("LvCol1"), DefaultColumn1, MinColumnWidth, MaxMeasure);
    const float second =
        ReadInRange(store, QStringLiteral("LvCol2"), DefaultColumn2, MinColumnWidth, MaxMeasure);
    header->resizeSection(0, Twips::toPixels(first, header));
    header->resizeSection(1, Twips::toPixels(second, header));
}

void Preferences::SavePreferences()
{
    const auto store = PreferenceStore::Open();

    SaveWindowGeometry(*store);
    PreferenceStore::WriteBool(*store, QStringLiteral("ShowTextBox"), m_document.isTextView());
    PreferenceStore::WriteBool(*store, QStringLiteral("ListByCategory"),
                               m_parts.listByCategoryItem->isChecked());
    SaveSplitterPositions(*store);
    SaveColumnWidths(*store);
    PreferenceStore::WriteBool(*store, QStringLiteral("ShowHelp"),
                               m_parts.showHelpItem->isChecked());
    PreferenceStore::WriteBool(*store, QStringLiteral("ConfirmDelete"),
                               m_parts.confirmDelete->isChecked());
    store->sync();
}

void Preferences::SaveWindowGeometry(QSettings& store)
{
    const QMainWindow* window = m_parts.window;
    const QRect frame = window->frameGeometry();
    PreferenceStore::WriteSingle(store, QStringLiteral("MainLeft"), ToTwips(frame.left(), window));
    PreferenceStore::WriteSingle(store, QStringLiteral("MainTop"), ToTwips(frame.top(), window));
    PreferenceStore::WriteSingle(store, QStringLiteral("MainWidth"),
                                 ToTwips(frame.width(), window));
    PreferenceStore::WriteSingle(store, QStringLiteral("MainHeight"),
                                 ToTwips(frame.height(), window));
}

void Preferences::SaveSplitterPositions(QSettings& store)
{
    PreferenceStore::WriteInt(
        store, QStringLiteral("SplitterTop"),
        SplitterTwips(FirstPaneSize(m_parts.vbuSplitterHoriz), m_parts.window));
    PreferenceStore::WriteInt(
        store, QStringLiteral("SplitterLeft"),
        SplitterTwips(FirstPaneSize(m_parts.vbuSplitterVert), m_parts.window));
}

void Preferences::SaveColumnWidths(QSettings& store)
{
    const QHeaderView* header = m_parts.list->header();
    PreferenceStore::WriteSingle(store, QStringLiteral("LvCol1"),
                                 ToTwips(header->sectionSize(0), header));
    PreferenceStore::WriteSingle(store, QStringLiteral("LvCol2"),
                                 ToTwips(header->sectionSize(1), header));
}

void Preferences::LoadFontPreferences()
{
    const auto store = PreferenceStore::Open();
    QString family =
        PreferenceStore::ReadText(*store, QStringLiteral("FontName"), DefaultFontName).trimmed();
    if (family.isEmpty())
        family = DefaultFontName;
    SetTextViewFont(
        family,
        ReadInRange(*store, QStringLiteral("FontSize"), DefaultFontSize, MinFontSize, MaxFontSize),
        PreferenceStore::ReadBool(*store, QStringLiteral("FontBold"), false),
        PreferenceStore::ReadBool(*store, QStringLiteral("FontItalic"), false));
}

void Preferences::SetTextViewFont(const QString& family, double pointSize, bool bold, bool italic)
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
    const auto store = PreferenceStore::Open();
    const QFont font = m_parts.text->font();
    PreferenceStore::WriteText(*store, QStringLiteral("FontName"), font.family());
    PreferenceStore::WriteSingle(*store, QStringLiteral("FontSize"),
                                 static_cast<float>(font.pointSizeF()));
    PreferenceStore::WriteBool(*store, QStringLiteral("FontBold"), font.bold());
    PreferenceStore::WriteBool(*store, QStringLiteral("FontItalic"), font.italic());
    store->sync();
}

void Preferences::FontsCommand()
{
    const QFont initial = m_lastFontChoice.value_or(m_parts.text->font());
    const std::optional<QFont> choice = m_dialogs.chooseFont(m_parts.window, initial);
    if (!choice)
        return;
    m_lastFontChoice = *choice;
    SetTextViewFont(choice->family(), choice->pointSizeF(), choice->bold(), choice->italic());
    SaveFontPreferences();
}

void Preferences::ConfirmDeleteCommand()
{
    QAction* item = m_parts.confirmDelete;
    item->setChecked(!item->isChecked());
}
