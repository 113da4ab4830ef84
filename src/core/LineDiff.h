#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// A line-by-line difference of two texts (Myers' shortest edit script), and its unified form.
namespace LineDiff {

struct Line {
    enum class Kind { Same, Removed, Added };
    Kind kind;
    QString text;
    bool operator==(const Line&) const = default;
};

// The lines of a text: CR LF, a lone CR and a lone LF each end one; a break at the very end
// starts no further line.
QStringList splitLines(const QString& text);

// Every line of both, in order: kept lines once, removed lines before the lines added in their
// place. The script is a shortest one unless the texts differ in more than MaxEdits lines; the
// differing middle is then shown as removed whole and added whole.
inline constexpr int MaxEdits = 2000;
QList<Line> diff(const QStringList& before, const QStringList& after);

// "--- beforeName", "+++ afterName", then one "@@ -l,n +l,n @@" hunk per group of changes with
// `context` unchanged lines around it; each line ends with "\n". Empty when nothing differs.
QString unified(const QStringList& before, const QStringList& after, const QString& beforeName,
                const QString& afterName, int context = 3);

} // namespace LineDiff
