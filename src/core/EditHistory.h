#pragma once

#include "core/Row.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <optional>

// What one edit changed in a form of the document, cut down to the part that differs, so that a
// long history of small edits on a large document stays small.
namespace EditHistory {

// Rows first.. of before gave way to after.
struct RowChange {
    int first = 0;
    QList<Row> before;
    QList<Row> after;
};

// Whole lines first.. of the text gave way to after. The carets are offsets from the start of
// line first to the end of the part that differs, in before and in after.
struct LineChange {
    int first = 0;
    QStringList before;
    QStringList after;
    int caretBefore = 0;
    int caretAfter = 0;
};

// Nothing when the two are alike.
std::optional<RowChange> rowChange(const QList<Row>& before, const QList<Row>& after);

// Texts as the text form holds them raw: U+2029 between lines.
bool isLineBreak(QChar c);
std::optional<LineChange> lineChange(QStringView before, QStringView after);
QStringList splitLines(QStringView raw);

// Folds later into earlier when later starts among the lines earlier left or on the one after
// them; false otherwise.
bool mergeLines(LineChange& earlier, const LineChange& later);

} // namespace EditHistory
