#include "core/EditHistory.h"

#include <algorithm>
#include <cstring>
#include <type_traits>
#include <utility>

namespace EditHistory {
namespace {

// How many elements the two sequences share at their start and, after that, at their end;
// nothing when they are equal.
template <typename Sequence>
std::optional<std::pair<qsizetype, qsizetype>> commonEnds(const Sequence& before,
                                                          const Sequence& after)
{
    const qsizetype shorter = std::min(before.size(), after.size());
    qsizetype prefix = 0;
    if constexpr (std::is_same_v<Sequence, QStringView>) {
        // A key stroke changes a character or two of a whole text: compare in blocks first.
        constexpr qsizetype Block = 64;
        while (prefix + Block <= shorter &&
               std::memcmp(before.data() + prefix, after.data() + prefix, Block * sizeof(QChar)) ==
                   0)
            prefix += Block;
    }
    while (prefix < shorter && before[prefix] == after[prefix])
        ++prefix;
    if (prefix == before.size() && prefix == after.size())
        return std::nullopt;
    qsizetype suffix = 0;
    if constexpr (std::is_same_v<Sequence, QStringView>) {
        constexpr qsizetype Block = 64;
        while (suffix + Block <= shorter - prefix &&
               std::memcmp(before.data() + before.size() - suffix - Block,
                           after.data() + after.size() - suffix - Block,
                           Block * sizeof(QChar)) == 0)
            suffix += Block;
    }
    while (suffix < shorter - prefix &&
           before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix])
        ++suffix;
    return std::pair{prefix, suffix};
}

} // namespace

std::optional<RowChange> rowChange(const QList<Row>& before, const QList<Row>& after)
{
    const auto ends = commonEnds(before, after);
    if (!ends)
        return std::nullopt;
    const auto [prefix, suffix] = *ends;
    return RowChange{static_cast<int>(prefix), before.mid(prefix, before.size() - prefix - suffix),
                     after.mid(prefix, after.size() - prefix - suffix)};
}

bool isLineBreak(QChar c)
{
    return c == QChar::ParagraphSeparator;
}

QStringList splitLines(QStringView raw)
{
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < raw.size(); ++i) {
        if (isLineBreak(raw[i])) {
            lines.append(raw.sliced(start, i - start).toString());
            start = i + 1;
        }
    }
    lines.append(raw.sliced(start).toString());
    return lines;
}

std::optional<LineChange> lineChange(QStringView before, QStringView after)
{
    const auto ends = commonEnds(before, after);
    if (!ends)
        return std::nullopt;
    const auto [prefix, suffix] = *ends;

    qsizetype lineStart = prefix;
    while (lineStart > 0 && !isLineBreak(before[lineStart - 1]))
        --lineStart;
    const qsizetype endBefore = before.size() - suffix;
    const qsizetype endAfter = after.size() - suffix;
    // The rest of the last changed line lies in the common suffix, alike in both.
    qsizetype lineEndBefore = endBefore;
    while (lineEndBefore < before.size() && !isLineBreak(before[lineEndBefore]))
        ++lineEndBefore;
    const qsizetype lineEndAfter = endAfter + (lineEndBefore - endBefore);

    const auto first = before.first(lineStart).count(QChar::ParagraphSeparator);
    return LineChange{
        static_cast<int>(first), splitLines(before.sliced(lineStart, lineEndBefore - lineStart)),
        splitLines(after.sliced(lineStart, lineEndAfter - lineStart)),
        static_cast<int>(endBefore - lineStart), static_cast<int>(endAfter - lineStart)};
}

bool mergeLines(LineChange& earlier, const LineChange& later)
{
    const qsizetype offset = later.first - earlier.first;
    if (offset < 0 || offset > earlier.after.size())
        return false;
    // Lines later reaches beyond those earlier changed were as earlier found them.
    const qsizetype beyond = offset + later.before.size() - earlier.after.size();
    if (beyond > 0) {
        earlier.before += later.before.last(beyond);
        earlier.after += later.before.last(beyond);
    }
    QStringList merged = earlier.after.mid(0, offset);
    qsizetype caret = 0;
    for (const QString& line : merged)
        caret += line.size() + 1;
    merged += later.after;
    merged += earlier.after.mid(offset + later.before.size());
    earlier.after = std::move(merged);
    earlier.caretAfter = static_cast<int>(caret + later.caretAfter);
    return true;
}

} // namespace EditHistory
