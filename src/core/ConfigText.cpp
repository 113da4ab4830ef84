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

const QString CrLf = QStringLiteral("\r\n");
const QString Lf = QStringLiteral("\n");
const QString Cr = QStringLiteral("\r");

} // namespace

// Calls visit(line, break) for each line of fileText; the last line's break may be empty.
template <typename Visit> void forEachLine(QStringView fileText, Visit visit)
{
    qsizetype lineStart = 0;
    for (qsizetype i = 0; i < fileText.size(); ++i) {
        if (!isLineTerminator(fileText[i]))
            continue;
        const qsizetype length = terminatorLength(fileText, i);
        visit(fileText.sliced(lineStart, i - lineStart), fileText.sliced(i, length));
        i += length - 1;
        lineStart = i + 1;
    }
    if (lineStart < fileText.size())
        visit(fileText.sliced(lineStart), QStringView());
}

QStringList ReadFileLines(QStringView fileText)
{
    QStringList lines;
    lines.reserve(fileText.size() / TypicalLineLength + 1);
    forEachLine(fileText,
                [&lines](QStringView line, QStringView) { lines.append(line.toString()); });
    return lines;
}

QStringList ReadLineBreaks(QStringView fileText)
{
    QStringList breaks;
    breaks.reserve(fileText.size() / TypicalLineLength + 1);
    forEachLine(fileText, [&breaks](QStringView, QStringView lineBreak) {
        breaks.append(lineBreak.size() == 2   ? CrLf
                      : lineBreak.isEmpty()   ? QString()
                      : lineBreak[0] == u'\n' ? Lf
                                              : Cr);
    });
    return breaks;
}

QStringList linesWithBreaks(QStringView fileText)
{
    QStringList lines;
    forEachLine(fileText, [&lines](QStringView line, QStringView lineBreak) {
        lines.append(line.toString().append(lineBreak));
    });
    return lines;
}

QString commonestBreak(const QStringList& breaks)
{
    qsizetype crlf = 0, lf = 0, cr = 0;
    for (const QString& each : breaks) {
        if (each.size() == 2)
            ++crlf;
        else if (each == Lf)
            ++lf;
        else if (each == Cr)
            ++cr;
    }
    if (lf > crlf && lf > cr)
        return Lf;
    if (cr > crlf && cr > lf)
        return Cr;
    return CrLf;
}

std::pair<QString, QString> splitFirstWord(QStringView text)
{
    const qsizetype space = text.indexOf(u' ');
    if (space < 0)
        return {text.toString(), QString()};
    return {text.first(space).toString(), text.sliced(space + 1).toString()};
}

Row parseLine(const QString& line, qsizetype lineNumber)
{
    if (line.isEmpty())
        return {keyFor(u"KB", lineNumber), QString(), QString(), QString()};
    auto [setting, parameter] = splitFirstWord(withoutLeadingSpaces(line));
    // The row keeps the line itself, shared, not a copy.
    return {keyFor(u"K", lineNumber), std::move(setting), std::move(parameter), line};
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
    // A row that renders to the very line it was read from shares that line.
    if (row.Line) {
        const QStringView read(*row.Line);
        const qsizetype name = row.Setting.size();
        if (read.size() == name + 1 + row.Parameter.size() && read.startsWith(row.Setting) &&
            read[name] == u' ' && read.sliced(name + 1) == row.Parameter)
            return *row.Line;
    }
    QString line;
    line.reserve(row.Setting.size() + 1 + row.Parameter.size());
    return line.append(row.Setting).append(u' ').append(row.Parameter);
}

QStringList renderRows(const QList<Row>& rows)
{
    QStringList lines;
    lines.reserve(rows.size());
    for (const Row& row : rows)
        lines.append(renderRow(row));
    return lines;
}

QString lineOf(const Row& row)
{
    return row.Line ? *row.Line : renderRow(row);
}

QStringList linesOf(const QList<Row>& rows)
{
    QStringList lines;
    lines.reserve(rows.size());
    for (const Row& row : rows)
        lines.append(lineOf(row));
    return lines;
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
