#include "core/DocumentEdits.h"

#include "core/ConfigDocument.h"
#include "core/RowEdits.h"
#include "core/Search.h"

#include <QTextBlock>
#include <QTextCursor>

#include <algorithm>
#include <utility>

namespace {

const QString DeleteName = QStringLiteral("Delete");
const QString CommentName = QStringLiteral("Add/Remove Comment");

// A cursor over from..to of the text form, whichever way round they come.
QTextCursor rangeCursor(QTextDocument& text, int from, int to)
{
    const int last = text.characterCount() - 1;
    QTextCursor cursor(&text);
    cursor.setPosition(qBound(0, std::min(from, to), last));
    cursor.setPosition(qBound(0, std::max(from, to), last), QTextCursor::KeepAnchor);
    return cursor;
}

} // namespace

int DocumentEdits::insertRow(int before, Row row, const QString& name)
{
    RowModel& rows = m_document.rows();
    if (before < 0 || before > rows.count())
        return -1;
    const ConfigDocument::Step step(m_document, name, before);
    row.Key = rows.uniqueKey(row.Key);
    return rows.insertRowAt(before, row) ? before : -1;
}

int DocumentEdits::insertBlankLine(const QString& name)
{
    const RowModel& rows = m_document.rows();
    return insertRow(0, Row{RowEdits::blankRowKey(rows.count()), QString(), QString()}, name);
}

int DocumentEdits::setRowTexts(int row, const QString& setting, const QString& parameter,
                               const QString& name)
{
    RowModel& rows = m_document.rows();
    if (row < 0 || row >= rows.count())
        return -1;
    const Row& current = rows.row(row);
    if (setting != current.Setting || parameter != current.Parameter) {
        const ConfigDocument::Step step(m_document, name, row);
        rows.setRowTexts(row, setting, parameter);
    }
    return row;
}

int DocumentEdits::deleteRow(int row)
{
    RowModel& rows = m_document.rows();
    if (row < 0 || row >= rows.count())
        return -1;
    {
        const ConfigDocument::Step step(m_document, DeleteName);
        rows.removeRowAt(row);
    }
    // The row that took the removed one's place keeps the keyboard going.
    return std::min(row, rows.count() - 1);
}

int DocumentEdits::moveUp(int row)
{
    return moveRow(row, row - 1, QStringLiteral("Move Up"));
}

int DocumentEdits::moveDown(int row)
{
    return moveRow(row, row + 1, QStringLiteral("Move Down"));
}

int DocumentEdits::moveRow(int row, int to, const QString& name)
{
    RowModel& rows = m_document.rows();
    if (row < 0 || row >= rows.count() || to < 0 || to >= rows.count())
        return -1;
    // The moved row keeps its line but gets a new, empty Key: its own stays in use until the old
    // row is gone.
    Row moved = rows.row(row);
    moved.Key.clear();
    ConfigDocument::Step step(m_document, name, row);
    step.setPlaceAfter(to);
    rows.insertRowAt(to < row ? to : to + 1, moved);
    rows.removeRowAt(to < row ? row + 1 : row);
    return to;
}

int DocumentEdits::toggleComment(int row)
{
    const auto [setting, parameter] = RowEdits::toggledComment(m_document.rows().row(row));
    return setRowTexts(row, setting, parameter, CommentName);
}

int DocumentEdits::toggleCommentAt(int position)
{
    QTextDocument& text = m_document.textDocument();
    const QTextBlock line = text.findBlock(position);
    if (!line.isValid())
        return position;
    const ConfigDocument::Step step(m_document, CommentName);
    QTextCursor cursor(line);
    cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    cursor.insertText(RowEdits::toggledLine(line.text()));
    return std::min(position, text.characterCount() - 1);
}

int DocumentEdits::insertLine(int from, int to, const QString& line, const QString& name)
{
    QTextCursor cursor = rangeCursor(m_document.textDocument(), from, to);
    QTextCursor start = cursor;
    start.setPosition(cursor.selectionStart());
    QTextCursor end = cursor;
    end.setPosition(cursor.selectionEnd());
    const bool wholeLines =
        cursor.hasSelection() && start.atBlockStart() && (end.atBlockStart() || end.atBlockEnd());
    if (wholeLines) {
        if (!end.atBlockStart() && end.block().next().isValid())
            end.movePosition(QTextCursor::NextCharacter); // the last line's break goes too
        cursor.setPosition(start.position());
        cursor.setPosition(end.position(), QTextCursor::KeepAnchor);
    } else {
        start.movePosition(QTextCursor::StartOfBlock);
        cursor = start;
    }
    const ConfigDocument::Step step(m_document, name);
    cursor.insertText(line);
    return cursor.position();
}

int DocumentEdits::replaceRange(int from, int to, const QString& text, const QString& name)
{
    const ConfigDocument::Step step(m_document, name);
    return type(from, to, text);
}

int DocumentEdits::type(int from, int to, const QString& text)
{
    QTextCursor cursor = rangeCursor(m_document.textDocument(), from, to);
    if (text.isEmpty())
        cursor.removeSelectedText();
    else
        cursor.insertText(text);
    return cursor.position();
}

void DocumentEdits::replaceText(const QString& text, const QString& name)
{
    const ConfigDocument::Step step(m_document, name);
    m_document.setText(text);
}

int DocumentEdits::replaceAll(const QString& key, const QString& replacement, bool matchCase)
{
    QTextDocument& text = m_document.textDocument();
    QList<Search::TextMatch> found; // in cursor positions
    for (QTextBlock line = text.begin(); line.isValid(); line = line.next()) {
        for (Search::TextMatch match : Search::findAll(line.text(), key, matchCase)) {
            match.start += line.position();
            found.append(match);
        }
    }
    if (found.isEmpty())
        return 0;
    const ConfigDocument::Step step(m_document, QStringLiteral("Replace All"));
    QTextCursor cursor(&text);
    cursor.beginEditBlock();
    // From the last match back, so the positions of those before it still hold.
    for (auto match = found.crbegin(); match != found.crend(); ++match) {
        cursor.setPosition(static_cast<int>(match->start));
        cursor.setPosition(static_cast<int>(match->start + match->length), QTextCursor::KeepAnchor);
        if (replacement.isEmpty())
            cursor.removeSelectedText();
        else
            cursor.insertText(replacement);
    }
    cursor.endEditBlock();
    return static_cast<int>(found.size());
}

int DocumentEdits::changeLines(QList<LineChange> changes, const QString& name)
{
    const int count = m_document.lineCount();
    if (changes.isEmpty() || std::any_of(changes.cbegin(), changes.cend(), [count](const auto& c) {
            return c.line < 1 || c.line > count;
        }))
        return -1;
    // From the last line up, so that a removal moves no line still to change.
    std::sort(changes.begin(), changes.end(),
              [](const LineChange& a, const LineChange& b) { return a.line > b.line; });
    const int first = changes.last().line - 1;
    const ConfigDocument::Step step(m_document, name, first);
    if (!m_document.isTextView()) {
        RowModel& rows = m_document.rows();
        for (const LineChange& change : std::as_const(changes)) {
            const int row = change.line - 1;
            if (!change.text) {
                rows.removeRowAt(row);
                continue;
            }
            Row changed = ConfigText::parseLine(*change.text, change.line);
            changed.Key = rows.row(row).Key;
            rows.replaceRows(row, 1, {changed});
        }
        return std::min(first, rows.count() - 1);
    }
    QTextDocument& text = m_document.textDocument();
    const QStringList lines = m_document.lines();
    for (const LineChange& change : std::as_const(changes)) {
        const QTextBlock line = text.findBlockByNumber(change.line - 1);
        QTextCursor cursor(line);
        if (change.text) {
            // Only what differs is typed over: the rest may hold characters the text form keeps
            // in other guises, which typing them again would turn into line breaks.
            const QString& before = lines.at(change.line - 1);
            const QString& after = *change.text;
            qsizetype same = 0;
            while (same < before.size() && same < after.size() && before[same] == after[same])
                ++same;
            qsizetype tail = 0;
            while (tail < before.size() - same && tail < after.size() - same &&
                   before[before.size() - 1 - tail] == after[after.size() - 1 - tail])
                ++tail;
            cursor.setPosition(line.position() + static_cast<int>(same));
            cursor.setPosition(line.position() + static_cast<int>(before.size() - tail),
                               QTextCursor::KeepAnchor);
            cursor.insertText(after.sliced(same, after.size() - same - tail));
            continue;
        }
        cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        if (line.next().isValid()) {
            cursor.movePosition(QTextCursor::NextCharacter, QTextCursor::KeepAnchor);
        } else {
            // The last line goes with the break before it.
            cursor.setPosition(std::max(0, line.position() - 1));
            cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        }
        cursor.removeSelectedText();
    }
    const QTextBlock shown = text.findBlockByNumber(std::min(first, text.blockCount() - 1));
    return shown.position();
}
