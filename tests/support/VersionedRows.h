#pragma once

#include "core/CatalogueTable.h"

#include <initializer_list>
#include <tuple>

// An in-memory catalogue of every version, one row a setting: name, version introduced, value
// type, choices ("A|B") and number note, in category "Test".
using VersionedRow = std::tuple<const char*, float, const char*, const char*, const char*>;

inline VersionedCatalogue VersionedRows(std::initializer_list<VersionedRow> settings)
{
    VersionedCatalogue catalogue;
    QList<CatalogueRow> rows;
    for (const auto& [name, version, type, choices, note] : settings) {
        rows.append(CatalogueRow{{QStringLiteral("Test"), QString::fromLatin1(name),
                                  QString::number(version), QStringLiteral("#"),
                                  QString::fromLatin1(type), QString::fromLatin1(choices),
                                  QString::fromLatin1(note), QStringLiteral("d")}});
        catalogue.introduced.append(version);
    }
    catalogue.settings.replace(rows);
    return catalogue;
}
