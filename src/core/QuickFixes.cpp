#include "core/QuickFixes.h"

#include "core/ConfigText.h"
#include "core/RowEdits.h"
#include "core/SettingLookup.h"

#include <algorithm>

namespace QuickFixes {
namespace {

using ProblemCheck::Problem;
using LineChange = DocumentEdits::LineChange;

// Where a line's setting and value lie: leading spaces, the setting, one space, the value.
struct LineParts {
    QString name; // as the check looks it up
    qsizetype settingStart = 0;
    qsizetype settingEnd = 0;
};

LineParts partsOf(const QString& line)
{
    const Row row = ConfigText::parseLine(line, 1);
    qsizetype start = 0;
    while (start < line.size() && line[start] == u' ')
        ++start;
    const bool setting = !row.Setting.isEmpty() && !row.Setting.startsWith(u';');
    return {setting ? SettingLookup::nameForRow(row.Setting) : QString(), start,
            start + row.Setting.size()};
}

// The line with its value, blanks around it aside, replaced by value.
QString withValue(const QString& line, const QString& value)
{
    const qsizetype start = std::min(partsOf(line).settingEnd + 1, line.size());
    qsizetype first = start;
    qsizetype last = line.size();
    while (first < last && line[first] == u' ')
        ++first;
    while (last > first && line[last - 1] == u' ')
        --last;
    return line.first(first) + value + line.sliced(last);
}

Fix fix(const QString& title, int line, QList<LineChange> changes)
{
    Fix made{title, QStringLiteral("Fix: ") + title.first(1).toLower() + title.sliced(1),
             std::move(changes)};
    made.line = line;
    return made;
}

// The catalogue entry the check judged the name's value by, or nothing.
const CatalogueRow* entryFor(const QString& name, const VersionedCatalogue& catalogue,
                             float version)
{
    const CatalogueRow* first = catalogue.settings.rows().constData();
    for (const CatalogueRow* row : SettingLookup::candidates(catalogue.settings, name)) {
        if (catalogue.introduced.value(static_cast<int>(row - first)) <= version &&
            SettingLookup::kindOf(row->ValueType()) != SettingLookup::Kind::Unknown)
            return row;
    }
    return nullptr;
}

QList<Fix> valueFixes(const Problem& problem, const QString& line, const CatalogueRow& entry)
{
    QList<Fix> fixes;
    const auto setTo = [&](const QString& title, const QString& value) {
        fixes.append(fix(title, problem.line, {{problem.line, withValue(line, value)}}));
    };
    if (problem.code == QLatin1String("not-a-choice")) {
        for (const QString& choice : entry.Choices().split(u'|', Qt::SkipEmptyParts))
            setTo(QStringLiteral("Set to ") + choice, choice);
    } else if (const auto range = ProblemCheck::numberRange(entry.NumberNote())) {
        const auto number = [](qint64 n) { return QString::number(n); };
        setTo(QStringLiteral("Set to the minimum (%1)").arg(range->low), number(range->low));
        setTo(QStringLiteral("Set to the maximum (%1)").arg(range->high), number(range->high));
        if (range->byDefault)
            setTo(QStringLiteral("Set to the default (%1)").arg(*range->byDefault),
                  number(*range->byDefault));
    }
    return fixes;
}

QList<Fix> duplicateFixes(const Problem& problem, const QStringList& lines, const QString& name)
{
    QList<LineChange> others;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i + 1 != problem.line && partsOf(lines.at(i)).name == name)
            others.append({static_cast<int>(i + 1), std::nullopt});
    }
    if (others.isEmpty())
        return {};
    return {fix(QStringLiteral("Remove this line"), problem.line, {{problem.line, std::nullopt}}),
            fix(QStringLiteral("Keep this line, remove the others"), problem.line, others)};
}

} // namespace

QList<Fix> fixesFor(const Problem& problem, const QStringList& lines,
                    const VersionedCatalogue& catalogue, float version)
{
    if (problem.line < 1 || problem.line > lines.size())
        return {};
    const QString& line = lines.at(problem.line - 1);
    const LineParts parts = partsOf(line);
    if (parts.name.isEmpty())
        return {};
    const QString& code = problem.code;
    if (code == QLatin1String("unknown-setting")) {
        if (problem.suggestion.isEmpty())
            return {};
        return {fix(QStringLiteral("Change to ") + problem.suggestion, problem.line,
                    {{problem.line, line.first(parts.settingStart) + problem.suggestion +
                                        line.sliced(parts.settingEnd)}})};
    }
    if (code == QLatin1String("duplicate-setting"))
        return duplicateFixes(problem, lines, parts.name);
    if (code == QLatin1String("newer-setting"))
        return {fix(QStringLiteral("Comment out this line"), problem.line,
                    {{problem.line, RowEdits::toggledLine(line)}})};
    if (code == QLatin1String("missing-value")) {
        Fix edit = fix(QStringLiteral("Edit value..."), problem.line, {});
        edit.stepName.clear();
        edit.editsValue = true;
        return {edit};
    }
    if (code == QLatin1String("out-of-range") || code == QLatin1String("not-a-choice")) {
        if (const CatalogueRow* entry = entryFor(parts.name, catalogue, version))
            return valueFixes(problem, line, *entry);
    }
    return {};
}

std::optional<Fix> fixAllLike(const Problem& problem, const QList<Problem>& problems,
                              const QStringList& lines, const VersionedCatalogue& catalogue,
                              float version)
{
    // The one fix of a problem, when it changes that problem's line alone.
    const auto single = [&](const Problem& of) -> std::optional<LineChange> {
        const QList<Fix> fixes = fixesFor(of, lines, catalogue, version);
        if (fixes.size() != 1 || fixes.first().changes.size() != 1 ||
            fixes.first().changes.first().line != of.line)
            return std::nullopt;
        return fixes.first().changes.first();
    };
    if (!single(problem))
        return std::nullopt;
    QList<LineChange> changes;
    for (const Problem& other : problems) {
        if (other.code != problem.code)
            continue;
        if (const auto change = single(other))
            changes.append(*change);
    }
    if (changes.size() < 2)
        return std::nullopt;
    Fix all = fix(QStringLiteral("Fix all of this kind"), problem.line, std::move(changes));
    all.stepName = QStringLiteral("Fix: all of this kind");
    return all;
}

QString tipFor(const QList<Problem>& problemsOfLine, const QStringList& lines,
               const VersionedCatalogue& catalogue, float version)
{
    QStringList tip;
    QStringList titles;
    for (const Problem& problem : problemsOfLine) {
        tip.append(problem.message);
        for (const Fix& each : fixesFor(problem, lines, catalogue, version))
            titles.append(QStringLiteral("Quick fix: ") + each.title);
    }
    titles.removeDuplicates();
    return (tip + titles).join(u'\n');
}

} // namespace QuickFixes
