#include "core/Completion.h"

#include "core/SettingLookup.h"
#include "core/Version.h"

#include <algorithm>

namespace Completion {
namespace {

using SettingLookup::Kind;

QStringList pieces(const QString& choices)
{
    return choices.isEmpty() ? QStringList() : choices.split(u'|');
}

// "A", "A or B", "A, B or C".
QString alternatives(const QStringList& items)
{
    if (items.size() < 2)
        return items.value(0);
    return items.first(items.size() - 1).join(QStringLiteral(", ")) + QStringLiteral(" or ") +
           items.last();
}

QString detailOf(const CatalogueRow& row)
{
    return row.Category() + QStringLiteral(", ") + row.ValueType();
}

// Up to the first full stop that ends a sentence.
QString firstSentence(const QString& text)
{
    const QString trimmed = text.trimmed();
    for (qsizetype i = 0; i < trimmed.size(); ++i) {
        if (trimmed.at(i) == u'.' && (i + 1 == trimmed.size() || trimmed.at(i + 1) == u' '))
            return trimmed.first(i + 1);
    }
    return trimmed;
}

} // namespace

Index::Index(const CatalogueTable& catalogue) : m_catalogue(catalogue)
{
    for (int row = 0; row < catalogue.size(); ++row) {
        const CatalogueRow& setting = catalogue.at(row);
        const QString& name = setting.SettingName();
        // The pseudo-settings begin with a blank; no name in a file does.
        if (name.isEmpty() || name.startsWith(u' '))
            continue;
        const QStringList suffixes = SettingLookup::kindOf(setting.ValueType()) == Kind::Multiple
                                         ? pieces(setting.Choices())
                                         : QStringList();
        if (suffixes.isEmpty())
            m_names.append({name.toUpper(), row, {}});
        for (const QString& suffix : suffixes)
            m_names.append({(name + suffix).toUpper(), row, suffix});
    }
    // A name in several categories is offered once, from its first row.
    std::stable_sort(m_names.begin(), m_names.end(),
                     [](const Name& a, const Name& b) { return a.upper < b.upper; });
    m_names.erase(std::unique(m_names.begin(), m_names.end(),
                              [](const Name& a, const Name& b) { return a.upper == b.upper; }),
                  m_names.end());
}

QList<Entry> Index::namesFrom(const QString& prefix) const
{
    const QString wanted = prefix.toUpper();
    auto it =
        std::lower_bound(m_names.cbegin(), m_names.cend(), wanted,
                         [](const Name& name, const QString& key) { return name.upper < key; });
    QList<Entry> entries;
    for (; it != m_names.cend() && it->upper.startsWith(wanted); ++it) {
        const CatalogueRow& row = m_catalogue.at(it->row);
        const bool takesValue = SettingLookup::kindOf(row.ValueType()) != Kind::Null;
        entries.append({it->upper, detailOf(row), takesValue ? it->upper + u' ' : it->upper});
    }
    return entries;
}

const CatalogueRow* Index::rowNamed(const QString& name) const
{
    const auto& rows = m_catalogue.rows();
    const auto found = std::find_if(rows.cbegin(), rows.cend(), [&](const CatalogueRow& row) {
        return SettingLookup::kindOf(row.ValueType()) != Kind::Unknown &&
               row.SettingName().compare(name, Qt::CaseInsensitive) == 0;
    });
    return found == rows.cend() ? nullptr : &*found;
}

Offer Index::offerAt(QStringView line, int column) const
{
    Offer offer;
    if (column < 0 || column > line.size())
        return offer;
    const auto [start, nameEnd] = nameSpan(line);
    if (column < start || (start < line.size() && line.at(start) == u';'))
        return offer;

    if (column <= nameEnd) {
        // Only at the end of the name: inside it, a pick would have to drop what follows.
        if (column != nameEnd)
            return offer;
        offer.place = Offer::Place::Name;
        offer.from = static_cast<int>(start);
        offer.to = column;
        offer.typed = line.sliced(start, column - start).toString();
        offer.entries = namesFrom(offer.typed);
        // A value already follows: the name alone goes in.
        if (nameEnd < line.size()) {
            for (Entry& entry : offer.entries)
                entry.insert = entry.shown;
        }
        return offer;
    }

    // Nothing is offered inside a value, only at its end.
    const QStringView after = line.sliced(column);
    if (std::any_of(after.begin(), after.end(), [](QChar c) { return c != u' '; }))
        return offer;
    const CatalogueRow* setting = rowNamed(line.sliced(start, nameEnd - start).toString());
    if (!setting)
        return offer;
    const Kind kind = SettingLookup::kindOf(setting->ValueType());
    if (kind != Kind::Choice && kind != Kind::Multiple)
        return offer;
    offer.place = Offer::Place::Value;
    offer.typed = line.sliced(nameEnd + 1, column - nameEnd - 1).toString();
    // A suffix joins the name: the space typed after it goes, and comes back after the suffix.
    offer.from = static_cast<int>(kind == Kind::Multiple ? nameEnd : nameEnd + 1);
    offer.to = column;
    for (const QString& choice : pieces(setting->Choices())) {
        if (choice.startsWith(offer.typed, Qt::CaseInsensitive))
            offer.entries.append(
                {choice, QString(), kind == Kind::Multiple ? choice + u' ' : choice});
    }
    return offer;
}

std::pair<int, int> nameSpan(QStringView line)
{
    qsizetype start = 0;
    while (start < line.size() && line.at(start) == u' ')
        ++start;
    qsizetype end = line.indexOf(u' ', start);
    if (end < 0)
        end = line.size();
    return {static_cast<int>(start), static_cast<int>(end)};
}

QString describe(const CatalogueRow& setting, float introduced)
{
    const Kind kind = SettingLookup::kindOf(setting.ValueType());
    QString text = setting.SettingName() + QStringLiteral(" (") +
                   (kind == Kind::Null ? QStringLiteral("no value") : setting.ValueType()) + u')';
    const QStringList choices = pieces(setting.Choices());
    if ((kind == Kind::Choice || kind == Kind::Multiple) && !choices.isEmpty())
        text += QStringLiteral(": ") + alternatives(choices);
    else if (!setting.NumberNote().isEmpty())
        text += QStringLiteral(": ") + setting.NumberNote();
    if (introduced > 0)
        text += QStringLiteral("\nIntroduced in version ") + serverVersionText(introduced);
    const QString sentence = firstSentence(setting.Description());
    // A bare "n" says nothing the range would not say better.
    if (!sentence.isEmpty() && sentence != QLatin1String("n"))
        text += u'\n' + sentence;
    return text;
}

float introducedIn(const VersionedCatalogue& every, const QString& name)
{
    float earliest = 0;
    for (int row = 0; row < every.settings.size(); ++row) {
        const float version = every.introduced.value(row);
        if (every.settings.at(row).SettingName() == name && (earliest == 0 || version < earliest))
            earliest = version;
    }
    return earliest;
}

} // namespace Completion
