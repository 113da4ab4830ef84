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

// What the editor writes between lines, whatever the file it read had.
inline const QString LineBreak = QStringLiteral("\r\n");

// The lines of a file: a terminator at the very end starts no further line, and an empty
// file has no lines.
QStringList ReadFileLines(QStringView fileText);

// One line as a row: leading spaces dropped, the first word as Setting, everything after
// the one space that ends it as Parameter. lineNumber (1-based) forms the Key: "K<n>", or
// "KB<n>" for an empty line.
Row parseLine(QStringView line, qsizetype lineNumber);
QList<Row> parseLines(const QStringList& lines);

// Setting, one space, Parameter: the space is written even when the Parameter is empty.
QString renderRow(const Row& row);
QStringList renderRows(const QList<Row>& rows);
// Every row rendered and followed by CR LF, in one allocation: the file form of the list.
QString renderFileText(const QList<Row>& rows);

// The text view holds the file's form: every line followed by its break, so that a text is
// cut into the same lines as the same bytes read from a file, and back.
QStringList LinesFromText(QStringView text);
QString TextFromLines(const QStringList& lines);

// {text up to its first space, everything after that space}; {text, empty} without a space.
// Leading spaces are not removed here.
std::pair<QString, QString> splitFirstWord(QStringView text);

} // namespace ConfigText
