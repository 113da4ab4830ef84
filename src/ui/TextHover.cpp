#include "ui/TextHover.h"

#include "core/Completion.h"
#include "core/EditingState.h"
#include "core/SettingLookup.h"

#include <QHelpEvent>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QToolTip>

TextHover::TextHover(QPlainTextEdit* text, const EditingState& state, ProblemText problems)
    : QObject(text), m_text(text), m_state(state), m_problems(std::move(problems))
{
    text->viewport()->installEventFilter(this);
}

// The upper-cased setting name under the point, if the point is on one; *line is set either way.
QString TextHover::settingAt(const QPoint& point, int* line) const
{
    const QTextBlock block = m_text->cursorForPosition(point).block();
    *line = block.blockNumber() + 1;
    const QString text = block.text();
    const auto [start, end] = Completion::nameSpan(text);
    if (start == end || text.at(start) == u';')
        return {};
    QTextCursor cursor(block);
    cursor.setPosition(block.position() + start);
    const QRect from = m_text->cursorRect(cursor);
    cursor.setPosition(block.position() + end);
    const QRect to = m_text->cursorRect(cursor);
    if (point.x() < from.left() || point.x() > to.left() || point.y() < from.top() ||
        point.y() > from.bottom())
        return {};
    return SettingLookup::nameForRow(text.sliced(start, end - start));
}

QString TextHover::textAt(const QPoint& point) const
{
    int line = 0;
    const QString name = settingAt(point, &line);
    QStringList parts;
    // The line's problems, first and in one place.
    if (const QString problems = m_problems ? m_problems(line) : QString(); !problems.isEmpty())
        parts.append(problems);
    if (!name.isEmpty()) {
        for (const CatalogueRow* entry : SettingLookup::candidates(m_state.catalogue(), name)) {
            if (SettingLookup::kindOf(entry->ValueType()) == SettingLookup::Kind::Unknown)
                continue;
            parts.append(Completion::describe(
                *entry, Completion::introducedIn(m_state.everyVersion(), entry->SettingName())));
            break;
        }
    }
    return parts.join(QStringLiteral("\n\n"));
}

bool TextHover::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::ToolTip)
        return QObject::eventFilter(watched, event);
    const auto* help = static_cast<QHelpEvent*>(event);
    const QString text = textAt(help->pos());
    if (text.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(help->globalPos(), text, m_text->viewport());
    return true;
}
