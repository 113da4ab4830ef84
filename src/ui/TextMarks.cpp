#include "ui/TextMarks.h"

#include "core/Completion.h"
#include "ui/VisibleLines.h"

#include <QEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include <optional>

TextMarks::TextMarks(QPlainTextEdit* text) : QWidget(text), m_text(text)
{
    setObjectName(QStringLiteral("txtProblemMarks"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    text->viewport()->installEventFilter(this);
    setGeometry(text->viewport()->geometry());
    hide();
}

void TextMarks::setMarks(QHash<int, ProblemCheck::Severity> marks)
{
    if (marks.isEmpty() && m_marks.isEmpty())
        return;
    m_marks = std::move(marks);
    watchDocument();
    setVisible(!m_marks.isEmpty());
    update();
}

void TextMarks::watchDocument()
{
    QTextDocument* document = m_text->document();
    m_blockCount = document->blockCount();
    if (document == m_watched)
        return;
    if (m_watched)
        disconnect(m_watched, nullptr, this, nullptr);
    m_watched = document;
    connect(document, &QTextDocument::contentsChange, this,
            [this](int position, int, int) { followLines(position); });
    connect(document, &QObject::destroyed, this, [this] { m_watched = nullptr; });
}

// Until the next check, a mark stays with its line as lines are added or taken out above it.
void TextMarks::followLines(int position)
{
    const int count = m_watched->blockCount();
    const int added = count - m_blockCount;
    m_blockCount = count;
    if (added == 0 || m_marks.isEmpty())
        return;
    const int changed = m_watched->findBlock(position).blockNumber() + 1;
    QHash<int, ProblemCheck::Severity> moved;
    moved.reserve(m_marks.size());
    for (auto it = m_marks.cbegin(); it != m_marks.cend(); ++it) {
        if (it.key() <= changed)
            moved.insert(it.key(), it.value());
        else if (it.key() > changed - added)
            moved.insert(it.key() + added, it.value());
    }
    m_marks = std::move(moved);
    update();
}

bool TextMarks::eventFilter(QObject* watched, QEvent* event)
{
    // Over the viewport, wherever the scroll bars leave it.
    switch (event->type()) {
    case QEvent::Resize:
    case QEvent::Move:
        setGeometry(m_text->viewport()->geometry());
        break;
    case QEvent::FontChange:
        m_extents.clear();
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

// A screenful of marks is drawn at every key stroke: the wave is drawn once per colour and
// tiled, rather than stroked as a path each time.
const QPixmap& TextMarks::waveTile(ProblemCheck::Severity severity)
{
    constexpr int Half = 2; // half a wave, in pixels
    QPixmap& tile = m_tiles[severity == ProblemCheck::Severity::Error ? 0 : 1];
    if (tile.isNull()) {
        tile = QPixmap(8 * Half, Half + 1);
        tile.fill(Qt::transparent);
        QPainter painter(&tile);
        QPainterPath path;
        path.moveTo(0, Half);
        for (int x = 0; x < tile.width(); x += Half)
            path.lineTo(x + Half, (x / Half) % 2 == 0 ? 0 : Half);
        painter.setPen(QPen(severity == ProblemCheck::Severity::Error ? QColor(Qt::red)
                                                                      : QColor(0xd0, 0x90, 0x00),
                            1));
        painter.drawPath(path);
    }
    return tile;
}

void TextMarks::paintEvent(QPaintEvent* event)
{
    if (m_marks.isEmpty())
        return;
    // Only the lines in the region to paint are looked at, and a painter made only for a mark:
    // a key stroke paints one line, most often one without any.
    const QRect region = event->rect();
    std::optional<QPainter> painter;
    forEachVisibleLine(*m_text, region, [&](const QTextBlock& block, const QRectF& bounds) {
        const auto mark = m_marks.constFind(block.blockNumber() + 1);
        if (mark == m_marks.cend() || block.layout()->lineCount() == 0)
            return;
        if (!painter) {
            painter.emplace(this);
            painter->setClipRect(region);
        }
        const auto [left, width] = nameExtent(block);
        const QTextLine line = block.layout()->lineAt(0);
        const int bottom = static_cast<int>(bounds.top() + line.y() + line.height());
        // An empty setting still gets a short mark, so the line shows it has a problem.
        const QPixmap& tile = waveTile(*mark);
        painter->drawTiledPixmap(QRect(static_cast<int>(bounds.left() + left), bottom - 3,
                                       std::max(width, 6), tile.height()),
                                 tile);
    });
}

// Where a line's setting name lies in it. Asking the line's layout shapes its whole text again,
// at every paint; the extent depends on the text up to the name's end only.
std::pair<double, int> TextMarks::nameExtent(const QTextBlock& block)
{
    const QString text = block.text();
    const auto [first, end] = Completion::nameSpan(text);
    const QString head = text.first(end);
    const auto known = m_extents.constFind(head);
    if (known != m_extents.cend())
        return *known;
    const QTextLine line = block.layout()->lineAt(0);
    const double left = line.cursorToX(first);
    const std::pair<double, int> extent{left, static_cast<int>(line.cursorToX(end) - left)};
    constexpr int MostKept = 4096;
    if (m_extents.size() >= MostKept)
        m_extents.clear();
    m_extents.insert(head, extent);
    return extent;
}
