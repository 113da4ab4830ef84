#pragma once

#include "core/CatalogueTable.h"

#include <QString>
#include <QStringList>

// Access to the catalogue database DraCFG.mdb: an SQLite file opened read-only
// through QtSql, with a uniquely named connection opened and removed inside every call.
//
// Tables read: CFGSettings (exactly nine fields; field 0 is never read, fields 1 to 8 are
// copied by position into catalogue columns 1 to 8, "Version" is read by name) and DV_Version
// ("Index" and "Version", at most ten rows). Rows are used in the order the table returns them.
//
// Every reading function reports a database that cannot be read or does not have the expected
// shape with one sentence in *error (when error is not null) instead of failing silently.
namespace CatalogueDatabase {

// The full path of DraCFG.mdb for the program's folder: programDir + "/DraCFG.mdb". When
// programDir ends with "/" (the file-system root), the process's current directory followed
// directly by "DraCFG.mdb", with no separator, is used instead.
QString GetCatalogueDatabasePath(const QString& programDir);

// True when a file (not a folder) exists at dbPath. Without one the program shows
// MissingDatabaseTitle and MissingDatabaseText and ends.
bool catalogueDatabaseExists(const QString& dbPath);
extern const QString MissingDatabaseTitle;
extern const QString MissingDatabaseText;

// Every CFGSettings row with its "Version", in table order; false with *error set (and
// `catalogue` untouched) when the database cannot be read or is malformed.
bool loadEveryVersion(const QString& dbPath, VersionedCatalogue& catalogue,
                      QString* error = nullptr);

// One DV_Version row: its "Index" as text, its "Version" and the menu caption ("v" + the version).
struct VersionEntry {
    QString index;
    float number = 0;
    QString caption;
};

// The whole catalogue in one read: every CFGSettings row with its "Version" and every DV_Version
// row, in table order. False with *error set (and both lists untouched) when the database cannot
// be read or is malformed.
bool loadEverything(const QString& dbPath, VersionedCatalogue& catalogue,
                    QList<VersionEntry>& versions, QString* error = nullptr);

// The version list's captions: "v" followed by each DV_Version row's "Version" written as text
// ("v6.5", "v7"), in table order. Returns false with *error set (and `captions` untouched)
// when the database cannot be read or is malformed.
bool readVersionCaptions(const QString& dbPath, QStringList& captions, QString* error = nullptr);

} // namespace CatalogueDatabase
