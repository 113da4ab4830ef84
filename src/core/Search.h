#pragma once

#include "core/Row.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

// The Find walks over plain data. Matching is case-insensitive: both sides are upper-cased and
// then compared exactly. An empty key is found nowhere.
namespace Search {

// A match in the original (not upper-cased) text.
struct TextMatch {
    qsizetype start = -1; // -1: not found
    qsizetype length = 0;

    bool found() const { return start >= 0; }
};

// The first row after startAfter (0-based; below 0: from the first row) whose setting
// immediately followed by its parameter contains key; -1 when there is none.
int findRow(const QList<Row>& rows, int startAfter, QStringView key);

// The same walk over plain texts, such as the tree's node texts in insertion order.
int findNode(const QStringList& texts, int startAfter, QStringView key);

// The first occurrence of key in text at or after offset. An offset outside the text starts
// from the beginning, so a text that became shorter is still searched.
TextMatch FindText(QStringView text, qsizetype offset, QStringView key);

// The same walks backwards: the last row or node before startBefore (outside 0..count-1: from
// the last one), and the last occurrence of key that ends at or before offset (outside the
// text: from its end).
int findRowBefore(const QList<Row>& rows, int startBefore, QStringView key);
int findNodeBefore(const QStringList& texts, int startBefore, QStringView key);
TextMatch FindTextBefore(QStringView text, qsizetype offset, QStringView key);

// For Replace, where the case may have to match as well: the first occurrence at or after
// offset, every occurrence left to right (each search going on past the end of the last match,
// so matches never overlap), and whether the whole of text is one occurrence.
TextMatch findNext(QStringView text, qsizetype offset, QStringView key, bool matchCase);
QList<TextMatch> findAll(QStringView text, QStringView key, bool matchCase);
bool isMatch(QStringView text, QStringView key, bool matchCase);

} // namespace Search
