#include "core/ProblemCheck.h"

#include "core/ConfigText.h"
#include "core/SettingLookup.h"
#include "core/Version.h"

#include <QHash>
#include <QRegularExpression>

#include <algorithm>
#include <bit>
#include <optional>
#include <utility>
#include <vector>

namespace ProblemCheck {
namespace {

using SettingLookup::Kind;

constexpr int MaxSuggestionEdits = 2;

// "A", "A or B", "A, B or C".
QString alternatives(const QStringList& items)
{
    if (items.size() < 2)
        return items.value(0);
    return items.first(items.size() - 1).join(QStringLiteral(", ")) + QStringLiteral(" or ") +
           items.last();
}

QStringList choicePieces(const QString& choices)
{
    return choices.isEmpty() ? QStringList() : choices.split(u'|');
}

// Optimal string alignment distance (a swap of two neighbours is one edit); limit + 1 as soon
// as the distance is certain to be larger than limit.
int editDistance(QStringView a, QStringView b, int limit)
{
    if (std::abs(a.size() - b.size()) > limit)
        return limit + 1;
    const qsizetype width = b.size() + 1;
    std::vector<int> before(static_cast<size_t>(width)), previous(static_cast<size_t>(width)),
        current(static_cast<size_t>(width));
    for (qsizetype j = 0; j < width; ++j)
        previous[static_cast<size_t>(j)] = static_cast<int>(j);
    for (qsizetype i = 1; i <= a.size(); ++i) {
        current[0] = static_cast<int>(i);
        int rowBest = current[0];
        for (qsizetype j = 1; j < width; ++j) {
            const auto at = static_cast<size_t>(j);
            const int cost = a[i - 1] == b[j - 1] ? 0 : 1;
            int best = std::min({previous[at] + 1, current[at - 1] + 1, previous[at - 1] + cost});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
                best = std::min(best, before[at - 2] + 1);
            current[at] = best;
            rowBest = std::min(rowBest, best);
        }
        if (rowBest > limit)
            return limit + 1;
        std::swap(before, previous);
        std::swap(previous, current);
    }
    return std::min(previous[static_cast<size_t>(b.size())], limit + 1);
}

// Which characters a name holds, folded onto 64 bits. Each edit adds at most one character
// that the other name lacks, so two names whose masks differ in more than two bits each way
// cannot be within two edits.
quint64 characterMask(QStringView name)
{
    quint64 mask = 0;
    for (const QChar c : name)
        mask |= quint64{1} << (c.unicode() % 64);
    return mask;
}

bool isWholeNumber(QStringView value)
{
    if (value.startsWith(u'+') || value.startsWith(u'-'))
        value = value.sliced(1);
    return !value.isEmpty() &&
           std::all_of(value.begin(), value.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

constexpr qsizetype NamedLines = 3;

// The other lines in words: "line 12", "lines 4 and 12", "lines 2, 4 and 12"; a setting set
// on hundreds of lines names the first few. position: of this line among `lines`.
QString otherLines(const QList<int>& lines, qsizetype position)
{
    const qsizetype total = lines.size() - 1;
    QStringList others;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i != position && (total <= NamedLines + 1 || others.size() < NamedLines))
            others.append(QString::number(lines.at(i)));
    }
    if (total > others.size())
        others.append(QStringLiteral("%1 other lines").arg(total - others.size()));
    return (others.size() == 1 ? QStringLiteral("line ") : QStringLiteral("lines ")) +
           alternatives(others).replace(QStringLiteral(" or "), QStringLiteral(" and "));
}

// The lines that set one name, and how far the check has come through them.
struct Occurrences {
    QString shown; // the name as messages show it
    QList<int> lines;
    qsizetype seen = 0;
    QString beyondNamed; // the message of every line after the named ones: all alike
};

enum class Status { Known, Newer, Unknown };

// What the catalogue says about one name of the file.
struct Verdict {
    Status status = Status::Unknown;
    int entry = -1;  // Known: the entry the editor arranges for (-1: none of a known type)
    QString message; // Unknown and Newer: alike on every line
    QString suggestion;
};

class Checker {
public:
    Checker(const VersionedCatalogue& catalogue, float version)
        : m_catalogue(catalogue), m_version(version), m_index(catalogue.settings)
    {}

    QList<Problem> run(const QStringList& lines);

private:
    const Verdict& verdictFor(const QString& name, const QString& shown);
    float introduced(int entry) const { return m_catalogue.introduced.value(entry); }
    const CatalogueRow& row(int entry) const { return m_catalogue.settings.at(entry); }
    bool chosenHas(int entry) const { return introduced(entry) <= m_version; }
    QString suggestionFor(const QString& name);
    void prepareSuggestions();
    // name: as looked up; shown: as messages show it.
    void checkValue(int line, const QString& name, const QString& shown, int entry,
                    const QString& parameter);
    // Codes are few and messages many: each code's text is made once and shared.
    void add(int line, Severity severity, const char* code, const QString& setting, QString message,
             const QString& suggestion = {})
    {
        auto found = m_codes.constFind(code);
        if (found == m_codes.cend())
            found = m_codes.insert(code, QString::fromLatin1(code));
        m_problems.append({line, severity, *found, setting, std::move(message), suggestion});
    }
    const std::optional<NumberRange>& rangeOfEntry(int entry);

    const VersionedCatalogue& m_catalogue;
    const float m_version;
    const SettingLookup::CandidateIndex m_index;
    QHash<QString, Verdict> m_verdicts;
    QHash<const char*, QString> m_codes;
    QHash<int, std::optional<NumberRange>> m_ranges; // by entry: a note is read once
    QList<Problem> m_problems;

    // The names a misspelt one may be meant for, grouped by length and character mask so
    // that most groups are passed over without comparing a name.
    struct Group {
        qsizetype length = 0;
        quint64 mask = 0;
        QList<int> names; // positions in m_known
    };
    bool m_suggestionsReady = false;
    QStringList m_known;
    std::vector<Group> m_groups;
};

const Verdict& Checker::verdictFor(const QString& name, const QString& shown)
{
    if (const auto found = m_verdicts.constFind(name); found != m_verdicts.cend())
        return *found;
    Verdict verdict;
    const QList<int> candidates = m_index.candidates(name);
    // The chosen version's catalogue is the whole one without the later settings, in the same
    // order, so its candidates are these without the later ones.
    bool chosenKnows = false;
    for (const int entry : candidates) {
        if (!chosenHas(entry))
            continue;
        chosenKnows = true;
        if (SettingLookup::kindOf(row(entry).ValueType()) != Kind::Unknown) {
            verdict.entry = entry;
            break;
        }
    }
    if (chosenKnows) {
        verdict.status = Status::Known;
    } else if (!candidates.isEmpty()) {
        verdict.status = Status::Newer;
        float needs = introduced(candidates.first());
        for (const int entry : candidates)
            needs = std::min(needs, introduced(entry));
        verdict.message =
            QStringLiteral("%1 needs Dravane version %2 or later; the chosen version is %3.")
                .arg(shown, serverVersionText(needs), serverVersionText(m_version));
    } else {
        verdict.suggestion = suggestionFor(name);
        const QString& suggestion = verdict.suggestion;
        verdict.message =
            suggestion.isEmpty()
                ? QStringLiteral("Unknown setting %1.").arg(shown)
                : QStringLiteral("Unknown setting %1. Did you mean %2?").arg(shown, suggestion);
    }
    return *m_verdicts.insert(name, verdict);
}

const std::optional<NumberRange>& Checker::rangeOfEntry(int entry)
{
    auto found = m_ranges.constFind(entry);
    if (found == m_ranges.cend())
        found = m_ranges.insert(entry, numberRange(row(entry).NumberNote()));
    return *found;
}

void Checker::prepareSuggestions()
{
    m_suggestionsReady = true;
    QHash<std::pair<qsizetype, quint64>, size_t> groupOf;
    auto addName = [&](const QString& name) {
        const int position = static_cast<int>(m_known.size());
        m_known.append(name);
        const std::pair key{name.size(), characterMask(name)};
        auto found = groupOf.find(key);
        if (found == groupOf.end()) {
            found = groupOf.insert(key, m_groups.size());
            m_groups.push_back({key.first, key.second, {}});
        }
        m_groups[*found].names.append(position);
    };
    for (int entry = 0; entry < m_catalogue.settings.size(); ++entry) {
        const CatalogueRow& setting = row(entry);
        const Kind kind = SettingLookup::kindOf(setting.ValueType());
        // The pseudo-settings begin with a blank; no name in a file does.
        if (!chosenHas(entry) || kind == Kind::Unknown || setting.SettingName().isEmpty() ||
            setting.SettingName().startsWith(u' '))
            continue;
        if (kind != Kind::Multiple) {
            addName(setting.SettingName());
            continue;
        }
        for (const QString& suffix : choicePieces(setting.Choices()))
            addName(setting.SettingName() + suffix.toUpper());
    }
}

QString Checker::suggestionFor(const QString& name)
{
    if (!m_suggestionsReady)
        prepareSuggestions();
    const quint64 mask = characterMask(name);
    int bestDistance = MaxSuggestionEdits + 1;
    int best = -1;
    for (const Group& group : m_groups) {
        if (std::abs(group.length - name.size()) > MaxSuggestionEdits ||
            std::popcount(group.mask & ~mask) > MaxSuggestionEdits ||
            std::popcount(mask & ~group.mask) > MaxSuggestionEdits)
            continue;
        for (const int position : group.names) {
            const int distance = editDistance(name, m_known.at(position), bestDistance);
            // Of two equally close names the one first in the catalogue.
            if (distance < bestDistance || (distance == bestDistance && position < best)) {
                bestDistance = distance;
                best = position;
            }
        }
    }
    return best < 0 || bestDistance > MaxSuggestionEdits ? QString() : m_known.at(best);
}

void Checker::checkValue(int line, const QString& name, const QString& shown, int entry,
                         const QString& parameter)
{
    const CatalogueRow& setting = row(entry);
    const QString trimmed = SettingLookup::trimBlanks(parameter);
    const QString value = visible(trimmed);
    const Kind kind = SettingLookup::kindOf(setting.ValueType());

    if (kind == Kind::Multiple) {
        const QStringList suffixes = choicePieces(setting.Choices());
        const QStringView suffix = QStringView(name).sliced(
            name.startsWith(setting.SettingName()) ? setting.SettingName().size() : 0);
        const bool known = name.startsWith(setting.SettingName()) &&
                           std::any_of(suffixes.begin(), suffixes.end(), [&](const QString& s) {
                               return suffix.compare(s, Qt::CaseInsensitive) == 0;
                           });
        if (!known)
            add(line, Severity::Warning, "unknown-suffix", shown,
                suffixes.isEmpty()
                    ? QStringLiteral("%1 is not a form of %2, which has no suffixes.")
                          .arg(shown, setting.SettingName())
                    : QStringLiteral("%1 is not %2 followed by one of its suffixes %3.")
                          .arg(shown, setting.SettingName(), alternatives(suffixes)));
    }

    if (kind == Kind::Null) {
        if (!value.isEmpty())
            add(line, Severity::Warning, "unexpected-value", shown,
                QStringLiteral("%1 takes no value; \"%2\" is written after it.").arg(shown, value));
        return;
    }
    if (value.isEmpty()) {
        add(line, Severity::Warning, "missing-value", shown,
            QStringLiteral("%1 needs a value.").arg(shown));
        return;
    }

    if (kind == Kind::Number) {
        if (!isWholeNumber(trimmed)) {
            add(line, Severity::Error, "not-a-number", shown,
                QStringLiteral("%1 needs a whole number; \"%2\" is not one.").arg(shown, value));
            return;
        }
        if (const std::optional<NumberRange>& range = rangeOfEntry(entry)) {
            bool fits = false;
            const qint64 number = trimmed.toLongLong(&fits);
            if (!fits || number < range->low || number > range->high)
                add(line, Severity::Error, "out-of-range", shown,
                    QStringLiteral("%1 must be between %2 and %3; %4 is outside.")
                        .arg(shown, QString::number(range->low), QString::number(range->high),
                             value));
        }
    } else if (kind == Kind::Choice) {
        const QStringList choices = choicePieces(setting.Choices());
        const bool listed = std::any_of(choices.begin(), choices.end(), [&](const QString& c) {
            return c.compare(trimmed, Qt::CaseInsensitive) == 0;
        });
        if (!choices.isEmpty() && !listed) {
            const QString verdict = choices.size() == 1   ? QStringLiteral("is not it")
                                    : choices.size() == 2 ? QStringLiteral("is neither")
                                                          : QStringLiteral("is none of them");
            add(line, Severity::Error, "not-a-choice", shown,
                QStringLiteral("%1 takes %2; \"%3\" %4.")
                    .arg(shown, alternatives(choices), value, verdict));
        }
    }
}

QList<Problem> Checker::run(const QStringList& lines)
{
    // The names by line (empty for the lines not checked), then the lines of each name.
    std::vector<QString> names(static_cast<size_t>(lines.size()));
    std::vector<QString> parameters(static_cast<size_t>(lines.size()));
    QHash<QString, Occurrences> linesOf;
    m_problems.reserve(lines.size() + lines.size() / 2);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        Row parsed = ConfigText::parseLine(lines.at(i), i + 1);
        if (parsed.Setting.isEmpty() || parsed.Setting.startsWith(u';'))
            continue;
        QString name = SettingLookup::nameForRow(parsed.Setting);
        Occurrences& occurrences = linesOf[name];
        if (occurrences.lines.isEmpty())
            occurrences.shown = visible(name); // after the upper-casing
        occurrences.lines.append(static_cast<int>(i + 1));
        names[static_cast<size_t>(i)] = std::move(name);
        parameters[static_cast<size_t>(i)] = std::move(parsed.Parameter);
    }

    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString& name = names[static_cast<size_t>(i)];
        if (name.isEmpty())
            continue;
        const int line = static_cast<int>(i + 1);
        Occurrences& same = linesOf[name];
        const QString& shown = same.shown;
        const Verdict& verdict = verdictFor(name, shown);
        switch (verdict.status) {
        case Status::Unknown:
            add(line, Severity::Warning, "unknown-setting", shown, verdict.message,
                verdict.suggestion);
            break;
        case Status::Newer:
            add(line, Severity::Warning, "newer-setting", shown, verdict.message);
            break;
        case Status::Known:
            if (verdict.entry >= 0)
                checkValue(line, name, shown, verdict.entry, parameters[static_cast<size_t>(i)]);
            break;
        }
        const qsizetype position = same.seen++;
        if (same.lines.size() < 2)
            continue;
        const bool alike = same.lines.size() > NamedLines + 2 && position >= NamedLines;
        if (alike && !same.beyondNamed.isEmpty()) {
            add(line, Severity::Warning, "duplicate-setting", shown, same.beyondNamed);
            continue;
        }
        QString message =
            QStringLiteral("%1 is also set on %2.").arg(shown, otherLines(same.lines, position));
        if (alike)
            same.beyondNamed = message;
        add(line, Severity::Warning, "duplicate-setting", shown, std::move(message));
    }
    return std::move(m_problems);
}

} // namespace

QList<Problem> check(const QStringList& lines, const VersionedCatalogue& catalogue, float version)
{
    // No document, as after each catalogue load at start-up: the name index is not worth making.
    if (lines.isEmpty())
        return {};
    return Checker(catalogue, version).run(lines);
}

std::optional<NumberRange> numberRange(const QString& note)
{
    static const QRegularExpression pattern(
        QStringLiteral(R"(^\s*([+-]?\d{1,18})\s+to\s+([+-]?\d{1,18})(?!\d))"));
    const QRegularExpressionMatch match = pattern.match(note);
    if (!match.hasMatch())
        return std::nullopt;
    NumberRange range{match.captured(1).toLongLong(), match.captured(2).toLongLong(), {}};
    if (range.low > range.high)
        return std::nullopt;
    // The value editor's reading, so that a fix and the editor offer the same default.
    if (const QString given = SettingLookup::defaultOf(note); !given.isEmpty())
        range.byDefault = given.toLongLong();
    return range;
}

bool isObeyedControl(char16_t c)
{
    return c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x061C || c == 0x200E || c == 0x200F ||
           (c >= 0x2028 && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069);
}

QString visible(const QString& text)
{
    const auto obeyed = [](QChar c) { return isObeyedControl(c.unicode()); };
    auto at = std::find_if(text.cbegin(), text.cend(), obeyed);
    if (at == text.cend())
        return text;
    QString shown = text.first(at - text.cbegin());
    for (; at != text.cend(); ++at) {
        if (!obeyed(*at)) {
            shown += *at;
            continue;
        }
        const char16_t c = at->unicode();
        shown += (c <= 0xFF ? QStringLiteral("\\x") : QStringLiteral("\\u")) +
                 QStringLiteral("%1").arg(c, c <= 0xFF ? 2 : 4, 16, QLatin1Char('0')).toUpper();
    }
    return shown;
}

QString severityName(Severity severity)
{
    return severity == Severity::Error ? QStringLiteral("error") : QStringLiteral("warning");
}

Counts count(const QList<Problem>& problems)
{
    Counts counts;
    for (const Problem& problem : problems)
        (problem.severity == Severity::Error ? counts.errors : counts.warnings)++;
    return counts;
}

QString summary(const Counts& counts)
{
    const auto words = [](int n, const char* one, const char* many) {
        return QString::number(n) + u' ' + QLatin1String(n == 1 ? one : many);
    };
    QStringList parts;
    if (counts.errors > 0)
        parts.append(words(counts.errors, "error", "errors"));
    if (counts.warnings > 0)
        parts.append(words(counts.warnings, "warning", "warnings"));
    return parts.isEmpty() ? QStringLiteral("No problems") : parts.join(QStringLiteral(", "));
}

} // namespace ProblemCheck
