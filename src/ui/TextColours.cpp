#include "ui/TextColours.h"

#include "core/Completion.h"
#include "core/EditingState.h"
#include "ui/VisibleLines.h"

#include <QAbstractTextDocumentLayout>
#include <QPaintEvent>
#include <QPlainTextDocumentLayout>
#include <QPlainTextEdit>
#include <QPointer>
#include <QSignalBlocker>
#include <QTextBlock>
#include <QTextLayout>

#include <algorithm>
#include <optional>
#include <utility>

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

// Lays the view's lines out, colouring the lines an edit changed first. Coloured after the
// layout, a line would be laid out twice at every key stroke; coloured from the document's change
// notice, the change would reach past the line and the whole view be painted again.
class TextColours::Layout : public QPlainTextDocumentLayout {
public:
    Layout(QTextDocument& document, TextColours& colours)
        : QPlainTextDocumentLayout(&document), m_colours(&colours)
    {}

    QRectF blockBoundingRect(const QTextBlock& block) const override
    {
        if (m_before && block == m_before->first)
            return std::exchange(m_before, std::nullopt)->second;
        return QPlainTextDocumentLayout::blockBoundingRect(block);
    }

protected:
    void documentChanged(int from, int removed, int added) override
    {
        // New colours drop a line's layout. Asked the size an edited line had before the edit,
        // to know what to paint again, the view would lay it out only to lay it out once more.
        const QTextBlock first = document()->findBlock(from);
        const QTextBlock last = document()->findBlock(std::max(0, from + removed + added - 1));
        if (first.isValid() && first == last && first.layout()->lineCount() > 0)
            m_before.emplace(first, QPlainTextDocumentLayout::blockBoundingRect(first));
        if (m_colours)
            m_colours->colourChange(*document(), from, added);
        QPlainTextDocumentLayout::documentChanged(from, removed, added);
        m_before.reset();
    }

private:
    QPointer<TextColours> m_colours;
    mutable std::optional<std::pair<QTextBlock, QRectF>> m_before;
};

TextColours::TextColours(QPlainTextEdit* text, const EditingState& state)
    : QObject(text), m_text(text), m_viewport(text->viewport()), m_state(state)
{
    chooseFormats();
    text->installEventFilter(this);
    m_viewport->installEventFilter(this);
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

// False when the line's colours stay as they were, so that its layout stands.
bool TextColours::colour(const QTextBlock& block)
{
    const QString text = block.text();
    auto* coloured = static_cast<Coloured*>(block.userData());
    if (coloured && coloured->generation == m_generation && coloured->text == text)
        return false;
    QTextBlock(block).setUserData(new Coloured(text, m_generation));
    // A comment and a value run on to the line's end, however long it grows: typing in them
    // leaves the line's formats, and so its layout, as they are. The value takes the space
    // before it: each range is shaped apart, and a third for the space cost every key stroke.
    constexpr int ToLineEnd = 1 << 24;
    QList<QTextLayout::FormatRange> ranges;
    const auto [start, end] = Completion::nameSpan(text);
    if (start < text.size() && text.at(start) == u';') {
        ranges.append(range(start, ToLineEnd, m_formats[Comment]));
    } else if (start < text.size()) {
        const bool known = isKnown(SettingLookup::nameForRow(text.sliced(start, end - start)));
        ranges.append(range(start, end - start, m_formats[known ? KnownName : UnknownName]));
        ranges.append(range(end, ToLineEnd, m_formats[Value]));
    }
    QTextLayout* layout = block.layout();
    if (ranges == layout->formats())
        return false;
    layout->setFormats(ranges);
    // Its glyphs kept: the line is drawn next, and a line shaped once per key stroke, not twice.
    layout->setCacheEnabled(true);
    return true;
}

QPlainTextDocumentLayout* TextColours::layoutFor(QTextDocument& document)
{
    return new Layout(document, *this);
}

void TextColours::colourChange(const QTextDocument& document, int position, int added)
{
    // A whole new text waits for its lines to come into view.
    constexpr int MostLines = 100;
    QTextBlock block = document.findBlock(position);
    const QTextBlock last = document.findBlock(position + added);
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
    forEachVisibleLine(*m_text, region, [&](const QTextBlock& block, const QRectF&) {
        if (colour(block))
            document->markContentsDirty(block.position(), block.length());
    });
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
