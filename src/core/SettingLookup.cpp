#include "core/SettingLookup.h"

#include <QRegularExpression>

#include <algorithm>

namespace SettingLookup {
namespace {

// An empty list of choices has no pieces at all, not one empty piece.
QStringList choicePieces(const QString& choices)
{
    return choices.isEmpty() ? QStringList() : choices.split(u'|');
}

} // namespace

QList<const CatalogueRow*> candidates(const CatalogueTable& catalogue, const QString& name)
{
    QList<const CatalogueRow*> exact;
    QList<const CatalogueRow*> contained;
    for (const CatalogueRow& entry : catalogue.rows()) {
        if (entry.SettingName() == name)
            exact.append(&entry);
        if (name.contains(entry.SettingName()))
            contained.append(&entry);
    }
    return exact + contained;
}

CandidateIndex::CandidateIndex(const CatalogueTable& catalogue)
    : m_nextSameName(static_cast<size_t>(catalogue.size()), -1)
{
    m_firstByName.reserve(catalogue.size());
    std::vector<bool> lengths;
    std::vector<int> lastOfName(static_cast<size_t>(catalogue.size()), -1);
    for (int i = 0; i < catalogue.size(); ++i) {
        const QString& name = catalogue.at(i).SettingName();
        if (name.isEmpty()) {
            m_unnamed.append(i);
            continue;
        }
        const auto found = m_firstByName.constFind(QStringView(name));
        if (found == m_firstByName.cend()) {
            m_firstByName.insert(QStringView(name), i);
        } else {
            // Rows of one name are chained in catalogue order; the last is kept at the first.
            int& last = lastOfName[static_cast<size_t>(*found)];
            m_nextSameName[static_cast<size_t>(last < 0 ? *found : last)] = i;
            last = i;
        }
        if (lengths.size() <= static_cast<size_t>(name.size()))
            lengths.resize(static_cast<size_t>(name.size()) + 1);
        lengths[static_cast<size_t>(name.size())] = true;
    }
    for (size_t length = 0; length < lengths.size(); ++length) {
        if (lengths[length])
            m_lengths.push_back(static_cast<qsizetype>(length));
    }
}

QList<int> CandidateIndex::candidates(QStringView name) const
{
    const auto rowsNamed = [this](QStringView piece, QList<int>& into) {
        const auto found = m_firstByName.constFind(piece);
        if (found == m_firstByName.cend())
            return;
        for (int row = *found; row >= 0; row = m_nextSameName[static_cast<size_t>(row)])
            into.append(row);
    };
    QList<int> exact;
    if (name.isEmpty())
        exact = m_unnamed;
    else
        rowsNamed(name, exact);

    QList<int> contained = m_unnamed;
    for (const qsizetype length : m_lengths) {
        if (length > name.size())
            break;
        for (qsizetype start = 0; start + length <= name.size(); ++start)
            rowsNamed(name.sliced(start, length), contained);
    }
    // A name found at several places counts once, and in catalogue order as the walk has it.
    std::sort(contained.begin(), contained.end());
    contained.erase(std::unique(contained.begin(), contained.end()), contained.end());
    return exact + contained;
}

Kind kindOf(const QString& valueType)
{
    if (valueType == QLatin1String("number"))
        return Kind::Number;
    if (valueType == QLatin1String("string"))
        return Kind::String;
    if (valueType == QLatin1String("combo") || valueType == QLatin1String("boolean"))
        return Kind::Choice;
    if (valueType == QLatin1String("null"))
        return Kind::Null;
    if (valueType == QLatin1String("multiple"))
        return Kind::Multiple;
    return Kind::Unknown;
}

Arrangement arrange(const CatalogueRow& entry, const QString& name, bool editingRow,
                    const QString& rowValue)
{
    Arrangement arrangement;
    arrangement.kind = kindOf(entry.ValueType());
    switch (arrangement.kind) {
    case Kind::Number:
    case Kind::String:
        arrangement.caption = u' ' + entry.Description();
        if (arrangement.kind == Kind::Number) {
            arrangement.defaultValue = defaultOf(entry.NumberNote());
            // A bare "n" says nothing the range would not say better; the default still shows.
            if (!entry.NumberNote().isEmpty() &&
                trimBlanks(entry.Description()) != QLatin1String("n"))
                arrangement.caption += QStringLiteral(" (") + entry.NumberNote() + u')';
            else if (!arrangement.defaultValue.isEmpty())
                arrangement.caption +=
                    QStringLiteral(" (default ") + arrangement.defaultValue + u')';
        }
        if (editingRow)
            arrangement.value = rowValue;
        break;
    case Kind::Choice:
        arrangement.choices = choicePieces(entry.Choices());
        if (editingRow) {
            arrangement.choiceText = trimBlanks(rowValue);
            arrangement.setChoiceText = true;
        }
        break;
    case Kind::Multiple:
        // The file names such a setting with one of its choices as a suffix. A row's suffix is
        // whatever follows the name, listed or not, so that OK writes back what it read.
        arrangement.choices = choicePieces(entry.Choices());
        if (editingRow) {
            const qsizetype at = name.indexOf(entry.SettingName());
            const qsizetype suffix = at < 0 ? name.size() : at + entry.SettingName().size();
            arrangement.stem = name.first(suffix);
            arrangement.choiceText = name.sliced(suffix);
            arrangement.setChoiceText = true;
            arrangement.value = rowValue;
        }
        break;
    case Kind::Null:
    case Kind::Unknown:
        break;
    }
    return arrangement;
}

Chosen choose(const QList<const CatalogueRow*>& candidates, const QString& name, bool editingRow,
              const QString& rowValue)
{
    for (const CatalogueRow* entry : candidates) {
        Arrangement arrangement = arrange(*entry, name, editingRow, rowValue);
        if (arrangement.kind != Kind::Unknown)
            return {entry, std::move(arrangement)};
    }
    return {};
}

QString defaultOf(const QString& note)
{
    static const QRegularExpression pattern(QStringLiteral(
        R"(^\s*(?:([+-]?\d{1,18})\s+to\s+([+-]?\d{1,18})\s*,)?\s*default\s+([+-]?\d{1,18})(?!\d))"));
    const QRegularExpressionMatch match = pattern.match(note);
    if (!match.hasMatch())
        return {};
    const qint64 value = match.captured(3).toLongLong();
    if (!match.captured(1).isEmpty() &&
        (value < match.captured(1).toLongLong() || value > match.captured(2).toLongLong()))
        return {};
    return QString::number(value);
}

QString nameForRow(const QString& setting)
{
    const QString name = setting.toUpper();
    return name == QLatin1String(";") ? CommentEntry : name;
}

QString trimBlanks(const QString& text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text[first] == u' ')
        ++first;
    while (last > first && text[last - 1] == u' ')
        --last;
    return text.mid(first, last - first);
}

} // namespace SettingLookup
