#include "core/LineDiff.h"

#include <algorithm>
#include <vector>

namespace LineDiff {

namespace {

using Kind = Line::Kind;

// The edit script of before[aBegin, aEnd) against after[bBegin, bEnd), appended to out.
void middle(const QStringList& a, qsizetype aBegin, qsizetype aEnd, const QStringList& b,
            qsizetype bBegin, qsizetype bEnd, QList<Line>& out)
{
    const qsizetype n = aEnd - aBegin;
    const qsizetype m = bEnd - bBegin;
    const auto replaceWhole = [&] {
        for (qsizetype i = aBegin; i < aEnd; ++i)
            out.append({Kind::Removed, a[i]});
        for (qsizetype j = bBegin; j < bEnd; ++j)
            out.append({Kind::Added, b[j]});
    };
    if (n == 0 || m == 0) {
        replaceWhole();
        return;
    }

    const qsizetype maxD = std::min<qsizetype>(n + m, MaxEdits);
    // v[k] is the furthest x on diagonal k; trace[d] keeps v for k in [-d-1, d+1] as it stood
    // before step d, which is all the way back needs.
    std::vector<qsizetype> v(2 * (maxD + 1) + 1, 0);
    const qsizetype offset = maxD + 1;
    std::vector<std::vector<qsizetype>> trace;
    bool reached = false;
    for (qsizetype d = 0; d <= maxD && !reached; ++d) {
        trace.emplace_back(v.begin() + (offset - d - 1), v.begin() + (offset + d + 2));
        for (qsizetype k = -d; k <= d; k += 2) {
            qsizetype x = (k == -d || (k != d && v[offset + k - 1] < v[offset + k + 1]))
                              ? v[offset + k + 1]
                              : v[offset + k - 1] + 1;
            qsizetype y = x - k;
            while (x < n && y < m && a[aBegin + x] == b[bBegin + y]) {
                ++x;
                ++y;
            }
            v[offset + k] = x;
            if (x >= n && y >= m) {
                reached = true;
                break;
            }
        }
    }
    if (!reached) {
        replaceWhole();
        return;
    }

    QList<Line> reversed;
    qsizetype x = n;
    qsizetype y = m;
    for (qsizetype d = qsizetype(trace.size()) - 1; d >= 0; --d) {
        const std::vector<qsizetype>& saved = trace[size_t(d)];
        const auto at = [&](qsizetype k) { return saved[size_t(k + d + 1)]; };
        const qsizetype k = x - y;
        const qsizetype previousK = (k == -d || (k != d && at(k - 1) < at(k + 1))) ? k + 1 : k - 1;
        const qsizetype previousX = d == 0 ? 0 : at(previousK);
        const qsizetype previousY = d == 0 ? 0 : previousX - previousK;
        while (x > previousX && y > previousY) {
            reversed.append({Kind::Same, a[aBegin + x - 1]});
            --x;
            --y;
        }
        if (d > 0) {
            if (x == previousX)
                reversed.append({Kind::Added, b[bBegin + y - 1]});
            else
                reversed.append({Kind::Removed, a[aBegin + x - 1]});
        }
        x = previousX;
        y = previousY;
    }
    std::reverse(reversed.begin(), reversed.end());
    out.append(reversed);
}

QString range(qsizetype start, qsizetype count)
{
    // An empty side names the line before it, as patch expects.
    return QStringLiteral("%1,%2").arg(count == 0 ? start : start + 1).arg(count);
}

} // namespace

QStringList splitLines(const QString& text)
{
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'\r' && text[i] != u'\n')
            continue;
        lines.append(text.mid(start, i - start));
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines.append(text.mid(start));
    return lines;
}

QList<Line> diff(const QStringList& before, const QStringList& after)
{
    const qsizetype n = before.size();
    const qsizetype m = after.size();
    qsizetype prefix = 0;
    while (prefix < n && prefix < m && before[prefix] == after[prefix])
        ++prefix;
    qsizetype suffix = 0;
    while (suffix < n - prefix && suffix < m - prefix &&
           before[n - 1 - suffix] == after[m - 1 - suffix])
        ++suffix;

    QList<Line> out;
    for (qsizetype i = 0; i < prefix; ++i)
        out.append({Kind::Same, before[i]});
    middle(before, prefix, n - suffix, after, prefix, m - suffix, out);
    for (qsizetype i = n - suffix; i < n; ++i)
        out.append({Kind::Same, before[i]});
    return out;
}

QString unified(const QStringList& before, const QStringList& after, const QString& beforeName,
                const QString& afterName, int context)
{
    const QList<Line> script = diff(before, after);
    QString text;
    qsizetype i = 0;
    // Line positions (0-based) in before and after where script[i] stands.
    qsizetype aLine = 0;
    qsizetype bLine = 0;
    const auto advance = [&](qsizetype index) {
        if (script[index].kind != Kind::Added)
            ++aLine;
        if (script[index].kind != Kind::Removed)
            ++bLine;
    };
    while (i < script.size()) {
        if (script[i].kind == Kind::Same) {
            advance(i++);
            continue;
        }
        // A hunk: back up over the context, then run on while changes lie within 2 * context.
        qsizetype begin = i;
        while (i - begin < context && begin > 0 && script[begin - 1].kind == Kind::Same)
            --begin;
        const qsizetype aStart = aLine - (i - begin);
        const qsizetype bStart = bLine - (i - begin);
        qsizetype end = i;
        qsizetype sameRun = 0;
        while (end < script.size()) {
            if (script[end].kind == Kind::Same) {
                ++sameRun;
                if (sameRun > 2 * context)
                    break;
            } else {
                sameRun = 0;
            }
            ++end;
        }
        // Keep only `context` of the unchanged lines that ended it.
        qsizetype trailing = 0;
        while (end - trailing > i && script[end - 1 - trailing].kind == Kind::Same)
            ++trailing;
        end -= std::max<qsizetype>(0, trailing - context);

        qsizetype aCount = 0;
        qsizetype bCount = 0;
        QString body;
        for (qsizetype j = begin; j < end; ++j) {
            const Line& line = script[j];
            const QChar mark = line.kind == Kind::Same      ? u' '
                               : line.kind == Kind::Removed ? u'-'
                                                            : u'+';
            body += mark + line.text + u'\n';
            if (line.kind != Kind::Added)
                ++aCount;
            if (line.kind != Kind::Removed)
                ++bCount;
        }
        if (text.isEmpty())
            text = QStringLiteral("--- %1\n+++ %2\n").arg(beforeName, afterName);
        text += QStringLiteral("@@ -%1 +%2 @@\n").arg(range(aStart, aCount), range(bStart, bCount));
        text += body;
        for (; i < end; ++i)
            advance(i);
    }
    return text;
}

} // namespace LineDiff
