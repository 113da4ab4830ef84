#include "core/ConfigText.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <type_traits>

namespace ConfigText {
namespace {

bool isLineTerminator(QChar c)
{
    return c == u'\r' || c == u'\n';
}

// Length of the terminator starting at index: 2 for CR LF, else 1.
qsizetype terminatorLength(QStringView text, qsizetype index)
{
    return text[index] == u'\r' && index + 1 < text.size() && text[index + 1] == u'\n' ? 2 : 1;
}

// Configuration lines are short: a name and a number or a path. Only sizes a reservation.
constexpr qsizetype TypicalLineLength = 24;

// "K" or "KB" and the line number, built in one allocation: keys are made for every line.
QString keyFor(std::u16string_view prefix, qsizetype lineNumber)
{
    std::array<char16_t, 24> buffer;
    auto start = buffer.end();
    auto number = static_cast<std::make_unsigned_t<qsizetype>>(lineNumber);
    do {
        *--start = static_cast<char16_t>(u'0' + number % 10);
        number /= 10;
    } while (number != 0);
    start -= prefix.size();
    std::copy(prefix.begin(), prefix.end(), start);
    return QStringView(start, buffer.end()).toString();
}

QStringView withoutLeadingSpaces(QStringView line)
{
    qsizetype start = 0;
    while (start < line.size() && line[start] == u' ')
        ++start;
    return line.sliced(start);
}

qsizetype renderedSize(const Row& row)
{
    return row.Setting.size() + 1 + row.Parameter.size();
}

// Writes a row's line at `out` and returns its end: the file text is built in place, without a
// string per line (appending through QStringBuilder took twice as long).
QChar* writeRendered(QChar* out, const Row& row)
{
    out = std::copy(row.Setting.cbegin(), row.Setting.cend(), out);
    *out++ = u' ';
    return std::copy(row.Parameter.cbegin(), row.Parameter.cend(), out);
}

} // namespace

QStringList ReadFileLines(QStringView fileText)
{
    QStringList lines;
    lines.reserve(fileText.size() / TypicalLineLength + 1);
    qsizetype lineStart = 0;
    for (qsizetype i = 0; i < fileText.size(); ++i) {
        if (!isLineTerminator(fileText[i]))
            continue;
        lines.append(fileText.sliced(lineStart, i - lineStart).toString());
        i += terminatorLength(fileText, i) - 1;
        lineStart = i + 1;
    }
    if (lineStart < fileText.size())
        lines.append(fileText.sliced(lineStart).toString());
    return lines;
}

std::pair<QString, QString> splitFirstWord(QStringView text)
{
    const qsizetype space = text.indexOf(u' ');
    if (space < 0)
        return {text.toString(), QString()};
    return {text.first(space).toString(), text.sliced(space + 1).toString()};
}

Row parseLine(QStringView line, qsizetype lineNumber)
{
    if (line.isEmpty())
        return {keyFor(u"KB", lineNumber), QString(), QString()};
    auto [setting, parameter] = splitFirstWord(withoutLeadingSpaces(line));
    return {keyFor(u"K", lineNumber), std::move(setting), std::move(parameter)};
}

QList<Row> parseLines(const QStringList& lines)
{
    QList<Row> rows;
    rows.reserve(lines.size());
    for (qsizetype i = 0; i < lines.size(); ++i)
        rows.append(parseLine(lines[i], i + 1));
    return rows;
}

QString renderRow(const Row& row)
{
    QString line(renderedSize(row), Qt::Uninitialized);
    writeRendered(line.data(), row);
    return line;
}

QStringList renderRows(const QList<Row>& rows)
{
    QStringList lines;
    lines.reserve(rows.size());
    for (const Row& row : rows)
        lines.append(renderRow(row));
    return lines;
}

QString renderFileText(const QList<Row>& rows)
{
    qsizetype size = 0;
    for (const Row& row : rows)
        size += renderedSize(row) + LineBreak.size();
    QString text(size, Qt::Uninitialized);
    QChar* out = text.data();
    for (const Row& row : rows) {
        out = writeRendered(out, row);
        out = std::copy(LineBreak.cbegin(), LineBreak.cend(), out);
    }
    return text;
}

QStringList LinesFromText(QStringView text)
{
    return ReadFileLines(text);
}

QString TextFromLines(const QStringList& lines)
{
    qsizetype size = 0;
    for (const QString& line : lines)
        size += line.size() + LineBreak.size();
    QString text;
    text.reserve(size);
    for (const QString& line : lines)
        text.append(line).append(LineBreak);
    return text;
}

} // namespace ConfigText
