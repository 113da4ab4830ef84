#include "ui/TextColours.h"

#include "core/Completion.h"
#include "core/EditingState.h"

#include <QAbstractTextDocumentLayout>
#include <QPaintEvent>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QTextBlock>
#include <QTextLayout>

namespace {

// What a line was coloured as: the same text in the same generation needs nothing.
struct Coloured : QTextBlockUserData {
    Coloured(QString text, int generation) : text(std::move(text)), generation(generation) {}
    QString text;
    int generation;
};

// A hue at a lightness that reads on the base: dark on a light base, light on a dark one.
QColor readable(int hue, const QColor& base)
{
    return QColor::fromHsl(hue, 160, base.lightness() > 128 ? 80 : 175);
}

QColor blend(const QColor& a, const QColor& b, double towardsB)
{
    const auto mix = [towardsB](int x, int y) { return static_cast<int>(x + (y - x) * towardsB); };
    return QColor(mix(a.red(), b.red()), mix(a.green(), b.green()), mix(a.blue(), b.blue()));
}

QTextLayout::FormatRange range(qsizetype start, qsizetype length, const QTextCharFormat& format)
{
    return {static_cast<int>(start), static_cast<int>(length), format};
}

} // namespace

TextColours::TextColours(QPlainTextEdit* text, const EditingState& state)
    : QObject(text), m_text(text), m_viewport(text->viewport()), m_state(state)
{
    chooseFormats();
    text->installEventFilter(this);
    m_viewport->installEventFilter(this);
    // An edit's lines are coloured before the view lays them out, which it then does once.
    connect(text->document(), &QTextDocument::contentsChange, this,
            [this](int position, int, int added) { colourChange(position, added); });
    connect(&state, &EditingState::versionChanged, this, &TextColours::recolour);
    connect(&state, &EditingState::catalogueLoaded, this, &TextColours::recolour);
}

TextColours::~TextColours() = default;

void TextColours::chooseFormats()
{
    const QPalette palette = m_text->palette();
    const QColor base = palette.color(QPalette::Base);
    m_formats[Comment].setForeground(blend(palette.color(QPalette::Text), base, 0.45));
    m_formats[KnownName].setForeground(readable(palette.color(QPalette::Link).hslHue(), base));
    m_formats[UnknownName].setForeground(readable(20, base));
    m_formats[Value].setForeground(readable(130, base));
}

void TextColours::recolour()
{
    ++m_generation;
    m_known.clear();
    m_index.reset();
    m_text->viewport()->update();
}

bool TextColours::isKnown(const QString& name)
{
    const auto found = m_known.constFind(name);
    if (found != m_known.cend())
        return *found;
    if (!m_index)
        m_index = std::make_unique<SettingLookup::CandidateIndex>(m_state.catalogue());
    return *m_known.insert(name, !m_index->candidates(name).isEmpty());
}

// False when the line was coloured already.
bool TextColours::colour(const QTextBlock& block)
{
    const QString text = block.text();
    auto* coloured = static_cast<Coloured*>(block.userData());
    if (coloured && coloured->generation == m_generation && coloured->text == text)
        return false;
    QList<QTextLayout::FormatRange> ranges;
    const auto [start, end] = Completion::nameSpan(text);
    if (start < text.size() && text.at(start) == u';') {
        ranges.append(range(start, text.size() - start, m_formats[Comment]));
    } else if (start < text.size()) {
        const bool known = isKnown(SettingLookup::nameForRow(text.sliced(start, end - start)));
        ranges.append(range(start, end - start, m_formats[known ? KnownName : UnknownName]));
        if (end + 1 < text.size())
            ranges.append(range(end + 1, text.size() - end - 1, m_formats[Value]));
    }
    block.layout()->setFormats(ranges);
    QTextBlock(block).setUserData(new Coloured(text, m_generation));
    return true;
}

void TextColours::colourChange(int position, int added)
{
    // A whole new text waits for its lines to come into view.
    constexpr int MostLines = 100;
    const QTextDocument* document = m_text->document();
    QTextBlock block = document->findBlock(position);
    const QTextBlock last = document->findBlock(position + added);
    if (!last.isValid() || last.blockNumber() - block.blockNumber() > MostLines)
        return;
    for (; block.isValid(); block = block.next()) {
        colour(block);
        if (block == last)
            break;
    }
}

void TextColours::colourLines(const QRect& region)
{
    QTextDocument* document = m_text->document();
    // The lines are about to be painted: laid out again here, they need no second paint.
    const QSignalBlocker quiet(document->documentLayout());
    for (QTextBlock block = m_text->cursorForPosition(QPoint(0, region.top())).block();
         block.isValid(); block = block.next()) {
        if (m_text->cursorRect(QTextCursor(block)).top() > region.bottom())
            break;
        if (colour(block))
            document->markContentsDirty(block.position(), block.length());
    }
}

bool TextColours::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_viewport && event->type() == QEvent::Paint)
        colourLines(static_cast<QPaintEvent*>(event)->rect());
    else if (watched == m_text && event->type() == QEvent::PaletteChange) {
        chooseFormats();
        recolour();
    }
    return QObject::eventFilter(watched, event);
}
