#include "ui/TextMarks.h"

#include "core/Completion.h"

#include <QEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextDocument>

namespace {

void drawWave(QPainter& painter, int left, int right, int baseline, const QColor& colour)
{
    constexpr int Half = 2; // half a wave, in pixels
    QPainterPath path;
    path.moveTo(left, baseline);
    bool up = true;
    for (int x = left; x < right; x += Half) {
        path.lineTo(std::min(x + Half, right), baseline + (up ? -Half / 2 : Half / 2));
        up = !up;
    }
    painter.setPen(QPen(colour, 1));
    painter.drawPath(path);
}

} // namespace

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
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void TextMarks::paintEvent(QPaintEvent* event)
{
    if (m_marks.isEmpty())
        return;
    // A key stroke repaints a line or two: only the lines in the region to paint are looked at.
    const QRect region = event->rect();
    QPainter painter(this);
    painter.setClipRect(region);
    const int bottom = region.bottom();
    for (QTextBlock block = m_text->cursorForPosition(QPoint(0, region.top())).block();
         block.isValid(); block = block.next()) {
        QTextCursor cursor(block);
        const QRect start = m_text->cursorRect(cursor);
        if (start.top() > bottom)
            break;
        const auto mark = m_marks.constFind(block.blockNumber() + 1);
        if (mark == m_marks.cend())
            continue;
        const auto [first, end] = Completion::nameSpan(block.text());
        cursor.setPosition(block.position() + first);
        const QRect from = m_text->cursorRect(cursor);
        cursor.setPosition(block.position() + end);
        const QRect to = m_text->cursorRect(cursor);
        // An empty setting still gets a short mark, so the line shows it has a problem.
        const int right = std::max(to.left(), from.left() + 6);
        drawWave(painter, from.left(), right, from.bottom() - 1,
                 *mark == ProblemCheck::Severity::Error ? QColor(Qt::red)
                                                        : QColor(0xd0, 0x90, 0x00));
    }
}
