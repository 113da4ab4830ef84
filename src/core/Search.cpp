#include "core/Search.h"

#include <algorithm>
#include <utility>

namespace Search {

namespace {

// Upper-cases each candidate into one reused buffer: an rvalue QString is converted in place,
// so a walk over thousands of rows allocates next to nothing.
class UpperMatcher {
public:
    explicit UpperMatcher(QStringView key) : m_key(key.toString().toUpper()) {}

    bool matches(QStringView first, QStringView second = {})
    {
        // Upper-casing makes a text at most three times as long (an empty line stays empty).
        if (m_key.isEmpty() || 3 * (first.size() + second.size()) < m_key.size())
            return false;
        m_buffer.resize(0);
        m_buffer.append(first).append(second);
        m_buffer = std::move(m_buffer).toUpper();
        return m_buffer.contains(m_key);
    }

private:
    QString m_key;
    QString m_buffer;
};

template <typename Matches> int findAfter(qsizetype count, int startAfter, Matches matches)
{
    for (qsizetype i = std::max(startAfter + qsizetype(1), qsizetype(0)); i < count; ++i) {
        if (matches(i))
            return static_cast<int>(i);
    }
    return -1;
}

template <typename Matches> int findBefore(qsizetype count, int startBefore, Matches matches)
{
    const qsizetype first = startBefore < 0 || startBefore > count ? count : startBefore;
    for (qsizetype i = first - 1; i >= 0; --i) {
        if (matches(i))
            return static_cast<int>(i);
    }
    return -1;
}

qsizetype characterWidth(QStringView text, qsizetype i)
{
    const bool pair =
        text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
    return pair ? 2 : 1;
}

// Upper-casing may lengthen a text ("ß" becomes "SS"); maps [upperStart, upperEnd) of the
// upper-cased text back to the whole characters of text that produced it.
TextMatch mapToOriginal(QStringView text, qsizetype upperStart, qsizetype upperEnd)
{
    TextMatch match;
    qsizetype upperPos = 0;
    qsizetype i = 0;
    while (i < text.size() && upperPos < upperEnd) {
        const qsizetype width = characterWidth(text, i);
        const qsizetype upperWidth = text.sliced(i, width).toString().toUpper().size();
        if (match.start < 0 && upperPos + upperWidth > upperStart)
            match.start = i;
        upperPos += upperWidth;
        i += width;
    }
    match.length = i - match.start;
    return match;
}

} // namespace

int findRow(const QList<Row>& rows, int startAfter, QStringView key)
{
    UpperMatcher matcher(key);
    return findAfter(rows.size(), startAfter, [&](qsizetype i) {
        const Row& row = rows[i];
        return matcher.matches(row.Setting, row.Parameter);
    });
}

int findNode(const QStringList& texts, int startAfter, QStringView key)
{
    UpperMatcher matcher(key);
    return findAfter(texts.size(), startAfter,
                     [&](qsizetype i) { return matcher.matches(texts[i]); });
}

int findRowBefore(const QList<Row>& rows, int startBefore, QStringView key)
{
    UpperMatcher matcher(key);
    return findBefore(rows.size(), startBefore, [&](qsizetype i) {
        return matcher.matches(rows[i].Setting, rows[i].Parameter);
    });
}

int findNodeBefore(const QStringList& texts, int startBefore, QStringView key)
{
    UpperMatcher matcher(key);
    return findBefore(texts.size(), startBefore,
                      [&](qsizetype i) { return matcher.matches(texts[i]); });
}

namespace {

// key in part of a text, forwards or backwards; the match is in positions of part.
TextMatch findIn(QStringView part, QStringView key, bool backward)
{
    if (key.isEmpty())
        return {};
    const QString upperPart = part.toString().toUpper();
    const QString upperKey = key.toString().toUpper();
    const qsizetype at = backward ? upperPart.lastIndexOf(upperKey) : upperPart.indexOf(upperKey);
    if (at < 0)
        return {};
    if (upperPart.size() != part.size())
        return mapToOriginal(part, at, at + upperKey.size());
    return {at, upperKey.size()};
}

} // namespace

TextMatch FindText(QStringView text, qsizetype offset, QStringView key)
{
    if (offset < 0 || offset > text.size())
        offset = 0;
    TextMatch match = findIn(text.sliced(offset), key, false);
    if (match.found())
        match.start += offset;
    return match;
}

TextMatch FindTextBefore(QStringView text, qsizetype offset, QStringView key)
{
    if (offset < 0 || offset > text.size())
        offset = text.size();
    return findIn(text.first(offset), key, true);
}

TextMatch findNext(QStringView text, qsizetype offset, QStringView key, bool matchCase)
{
    if (!matchCase)
        return FindText(text, offset, key);
    if (key.isEmpty() || offset < 0 || offset > text.size())
        return {};
    const qsizetype at = text.indexOf(key, offset);
    return at < 0 ? TextMatch{} : TextMatch{at, key.size()};
}

QList<TextMatch> findAll(QStringView text, QStringView key, bool matchCase)
{
    QList<TextMatch> all;
    for (TextMatch match = findNext(text, 0, key, matchCase); match.found();
         match = findNext(text, match.start + match.length, key, matchCase))
        all.append(match);
    return all;
}

bool isMatch(QStringView text, QStringView key, bool matchCase)
{
    const TextMatch match = findNext(text, 0, key, matchCase);
    return match.start == 0 && match.length == text.size();
}

} // namespace Search
