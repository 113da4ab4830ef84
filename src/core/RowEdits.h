#pragma once

#include "core/Row.h"
#include "core/SettingLookup.h"

#include <QString>
#include <utility>

// The changes the editing commands make to rows and lines, without any widget.
namespace RowEdits {

// What the value editor hands on when OK is pressed: the setting and the row it was set up for,
// the arrangement it showed, and what the user typed or chose.
struct ValueEdit {
    QString name;         // the setting, ";" for a comment, the blank-line pseudo-setting
    bool fromRow = false; // set up from a list row rather than from the tree
    int row = -1;         // that row, where it is now; -1 when it has gone
    SettingLookup::Kind kind = SettingLookup::Kind::Unknown;
    QString choice; // the choice box's text
    QString value;  // the value box's text
    QString stem;   // multiple, existing row: its name before the suffix

    // name + choice is the setting, value its value
    bool multiple() const { return kind == SettingLookup::Kind::Multiple; }
    // the value box shows: an empty value is refused
    bool needsValue() const;
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
