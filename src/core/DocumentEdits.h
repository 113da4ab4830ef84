#pragma once

#include "core/Row.h"

#include <QList>
#include <QString>

#include <optional>

class ConfigDocument;

// The edits the commands make to a document. Each is one step of the history, named for the
// command ("Delete", "Move Up", ...), and tells where the selection goes afterwards. Rows are
// those of the list form; positions are those of a cursor in the text form (one for each line
// break), as the text view's own cursor counts them.
class DocumentEdits {
public:
    explicit DocumentEdits(ConfigDocument& document) : m_document(document) {}

    // The list form. The row to select afterwards, or -1 when the edit could not be made.
    int insertRow(int before, Row row, const QString& name);
    // A blank line at the top of the list, with a key of its own.
    int insertBlankLine(const QString& name);
    // Only a change of text is an edit: a row set to what it holds keeps its line as read.
    int setRowTexts(int row, const QString& setting, const QString& parameter, const QString& name);
    int deleteRow(int row);
    int moveUp(int row);
    int moveDown(int row);
    int toggleComment(int row);

    // The text form. The caret's position afterwards.
    // The line around position; the caret stays where it was, not moved along with the mark.
    int toggleCommentAt(int position);
    // line (ended by its break) goes in whole before the line of `from`, never into the middle
    // of one; a selection from..to of whole lines is replaced by it.
    int insertLine(int from, int to, const QString& line, const QString& name);
    // from..to gives way to text, in which every line break starts a new line.
    int replaceRange(int from, int to, const QString& text, const QString& name);
    // The same, recorded as the user's typing, merged into a run with the typing around it.
    int type(int from, int to, const QString& text);
    void replaceText(const QString& text, const QString& name);
    // Every occurrence of key (Search::findAll, line by line) gives way to replacement, as one
    // step; lines without one are left as they are. The number replaced; none makes no step.
    int replaceAll(const QString& key, const QString& replacement, bool matchCase);

    // Lines of the form that shows, rewritten (a text holds no line break) or removed.
    struct LineChange {
        int line = 0;                // 1-based
        std::optional<QString> text; // none: the line goes, with its break
        friend bool operator==(const LineChange&, const LineChange&) = default;
    };
    // The other lines, and every line's break, stay as they are. The row (list) or caret
    // position (text) of the first line changed; -1 when a line is not in the document.
    int changeLines(QList<LineChange> changes, const QString& name);

private:
    int moveRow(int row, int to, const QString& name);

    ConfigDocument& m_document;
};
