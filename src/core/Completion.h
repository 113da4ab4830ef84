#pragma once

#include "core/CatalogueTable.h"

#include <QList>
#include <QString>
#include <QStringView>
#include <utility>

// What typing in the text view may be completed with: the chosen version's setting names where
// a line's name goes, a setting's choices or suffixes after its name and a space.
namespace Completion {

struct Entry {
    QString shown;  // in the list
    QString detail; // beside it: category and value type
    QString insert; // replaces the offer's span
};

struct Offer {
    enum class Place { None, Name, Value };
    Place place = Place::None;
    // The part of the line the chosen entry replaces, by column; typed = what it holds.
    int from = 0;
    int to = 0;
    QString typed;
    QList<Entry> entries;
};

// The catalogue's names in order for a prefix search. The catalogue must outlive the index and
// stay unchanged.
class Index {
public:
    explicit Index(const CatalogueTable& catalogue);
    // column: the caret's, in line.
    Offer offerAt(QStringView line, int column) const;

private:
    struct Name {
        QString upper;
        int row = 0;
        QString suffix; // a "multiple" setting's form: the suffix after the row's name
    };
    QList<Entry> namesFrom(const QString& prefix) const;
    const CatalogueRow* rowNamed(const QString& name) const;

    const CatalogueTable& m_catalogue;
    QList<Name> m_names; // by upper-cased name
};

// Where a line's setting name lies: from its first character after leading blanks to the space
// that ends it (begin, end), empty on a line of blanks.
std::pair<int, int> nameSpan(QStringView line);

// The text of a tooltip on a setting's name: its type with its range, unit and default or its
// choices, the version that introduced it and the first sentence of its description.
QString describe(const CatalogueRow& setting, float introduced);

// The version that introduced a setting of that name, 0 for one no version has.
float introducedIn(const VersionedCatalogue& every, const QString& name);

} // namespace Completion
