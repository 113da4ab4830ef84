#pragma once

#include "core/Row.h"

#include <QString>
#include <utility>

// The changes the editing commands make to rows and lines, without any widget.
namespace RowEdits {

// What the value editor holds when OK is pressed.
struct ValueEdit {
    QString name;            // the setting, ";" for a comment, the blank-line pseudo-setting
    QString choice;          // the choice box's text
    QString value;           // the value box's text
    bool multiple = false;   // name + choice is the setting, value its value
    bool needsValue = false; // the value box shows: an empty value is refused
    QString stem;            // multiple, existing row: its name before the suffix
};

// The row a new setting becomes (its Key is left to the caller).
Row newRow(const ValueEdit& edit);
// The setting and parameter an existing row gets from an edit. What the editor showed of the
// row and the user left alone keeps the row's own text: its spelling, a comment mark, blanks.
std::pair<QString, QString> editedRow(const ValueEdit& edit, const Row& row);
// The line a new setting becomes in the text view, with its line break.
QString newLine(const ValueEdit& edit);

// Keys for rows added to a list of rowCount rows; `fraction` in [0, 1) keeps a new setting's
// key apart from those the line numbers give.
QString newRowKey(int rowCount, bool multiple, double fraction);
QString blankRowKey(int rowCount);

// Add/Remove Comment on a row: a comment row becomes the setting it holds (an empty comment a
// blank row), any other row a comment holding its line.
std::pair<QString, QString> toggledComment(const Row& row);
// The same on a line of text: the first ";" goes when the line, leading spaces aside, starts
// with one; otherwise ";" goes in front.
QString toggledLine(QString line);
// text (CR LF between lines) with the line around position toggled.
QString toggleCommentAt(const QString& text, qsizetype position);

} // namespace RowEdits
