#include "ui/ConfigDocument.h"

#include "ui/WindowState.h"
#include "core/ConfigText.h"
#include "core/RowModel.h"

#include <QPlainTextEdit>
#include <QTextDocument>

namespace {

// The view keeps its lines as paragraphs; a line separator comes from Shift+Enter or a
// paste and shows as a line break too.
bool isViewLineBreak(QChar c)
{
    return c == QChar::ParagraphSeparator || c == QChar::LineSeparator;
}

int textWidth(QChar c)
{
    return isViewLineBreak(c) ? 2 : 1;
}

} // namespace

ConfigDocument::ConfigDocument(RowModel& rows, QPlainTextEdit& textView, WindowState& state)
    : m_rows(rows), m_textView(textView), m_state(state)
{}

void ConfigDocument::ReadFileLines(const QString& fileText)
{
    LineArray = ConfigText::ReadFileLines(fileText);
}

void ConfigDocument::RowsFromLines()
{
    if (!m_state.DocumentOpen)
        return;
    m_rows.resetRows(ConfigText::ParseLines(LineArray));
}

void ConfigDocument::LinesFromRows()
{
    LineArray = ConfigText::RenderRows(m_rows.rows());
}

void ConfigDocument::LinesFromText()
{
    LineArray = ConfigText::LinesFromText(text());
}

void ConfigDocument::TextFromLines()
{
    if (!m_state.DocumentOpen)
        return;
    setText(ConfigText::TextFromLines(LineArray));
}

QString ConfigDocument::rawViewText() const
{
    // toPlainText() would turn U+00A0 into a space.
    return m_textView.document()->toRawText();
}

QString ConfigDocument::text() const
{
    const QString raw = rawViewText();
    QString result;
    result.reserve(raw.size() + m_textView.document()->blockCount());
    qsizetype lineStart = 0;
    for (qsizetype i = 0; i < raw.size(); ++i) {
        if (!isViewLineBreak(raw[i]))
            continue;
        result.append(QStringView(raw).sliced(lineStart, i - lineStart));
        result.append(u"\r\n");
        lineStart = i + 1;
    }
    result.append(QStringView(raw).sliced(lineStart));
    return result;
}

void ConfigDocument::setText(const QString& text)
{
    m_textView.setPlainText(text);
}

int ConfigDocument::textPositionFromCursor(int cursorPosition) const
{
    const QString raw = rawViewText();
    const QStringView before = QStringView(raw).first(qBound(0, cursorPosition, int(raw.size())));
    qsizetype breaks = 0;
    for (const QChar c : before)
        breaks += isViewLineBreak(c);
    return static_cast<int>(before.size() + breaks);
}

// A position between the CR and the LF of a break gives the position of the break itself.
int ConfigDocument::cursorPositionFromText(int textPosition) const
{
    const QString raw = rawViewText();
    qsizetype counted = 0;
    for (qsizetype cursor = 0; cursor < raw.size(); ++cursor) {
        counted += textWidth(raw[cursor]);
        if (counted > textPosition)
            return static_cast<int>(cursor);
    }
    return static_cast<int>(raw.size());
}
