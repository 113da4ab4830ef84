#pragma once

#include "core/Row.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <utility>

// The document's conversions between file text, lines and rows, without any widget.
// A line ends at CR LF, at a lone CR or at a lone LF; lines never contain their terminator.
namespace ConfigText {

// The break of a new document, and of a file with as many of another kind.
inline const QString LineBreak = QStringLiteral("\r\n");

// The lines of a file: a terminator at the very end starts no further line, and an empty
// file has no lines.
QStringList ReadFileLines(QStringView fileText);

// The break that ends each line of fileText ("\r\n", "\n" or "\r"; empty for a last line
// without one), line for line with ReadFileLines.
QStringList ReadLineBreaks(QStringView fileText);
// Each line followed by its break, as it stands in fileText.
QStringList linesWithBreaks(QStringView fileText);
// The commonest of breaks, CR LF on a tie or when there are none.
QString commonestBreak(const QStringList& breaks);

// One line as a row: leading spaces dropped, the first word as Setting, everything after
// the one space that ends it as Parameter; the line itself is kept. lineNumber (1-based) forms
// the Key: "K<n>", or "KB<n>" for an empty line.
Row parseLine(const QString& line, qsizetype lineNumber);
QList<Row> parseLines(const QStringList& lines);

// Setting, one space, Parameter: the space is written even when the Parameter is empty.
QString renderRow(const Row& row);
QStringList renderRows(const QList<Row>& rows);
// The line a row stands for: the line it was read from while it has one, else rendered.
QString lineOf(const Row& row);
QStringList linesOf(const QList<Row>& rows);

// The text view holds the file's form: every line followed by its break, so that a text is
// cut into the same lines as the same bytes read from a file, and back.
QStringList LinesFromText(QStringView text);
QString TextFromLines(const QStringList& lines);

// {text up to its first space, everything after that space}; {text, empty} without a space.
// Leading spaces are not removed here.
std::pair<QString, QString> splitFirstWord(QStringView text);

} // namespace ConfigText
