#include "core/CatalogueDatabase.h"

#include "core/RegularFile.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QVariant>

#include <atomic>
#include <cmath>
#include <utility>

namespace CatalogueDatabase {

namespace {

const QString kFileName = QStringLiteral("DraCFG.mdb");
const QString kSettingsTable = QStringLiteral("CFGSettings");
const QString kVersionsTable = QStringLiteral("DV_Version");
constexpr int kSettingsFieldCount = 9; // field 0 (never read) and catalogue columns 1 to 8
constexpr int kMaxVersions = 10;       // the version list has ten items

void setError(QString* error, const QString& text)
{
    if (error)
        *error = text;
}

QString nextConnectionName()
{
    static std::atomic<quint64> counter{0};
    return QStringLiteral("DraCFG.catalogue.%1").arg(++counter);
}

// What can be told about the file before SQLite sees it; empty when it looks like an SQLite
// database. (SQLite opens any file lazily and treats an empty one as an empty database, so
// these cases would otherwise surface as misleading "no such table" errors.)
QString checkFile(const QString& path)
{
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists())
        return QStringLiteral("The catalogue database file does not exist.");
    if (info.isDir())
        return QStringLiteral("The catalogue database path names a folder, not a file.");
    static const QByteArray sqliteMagic("SQLite format 3\0", 16);
    const std::optional<QByteArray> start = RegularFile::read(path, sqliteMagic.size());
    if (!start) // a pipe among them, which would keep the open waiting
        return QStringLiteral("The catalogue database file cannot be opened for reading.");
    if (start->isEmpty())
        return QStringLiteral("The catalogue database file is empty.");
    if (*start != sqliteMagic)
        return QStringLiteral("The catalogue database is not a readable database.");
    return {};
}

// Another program writing the catalogue holds its lock; a reader waits this long at most
// (Qt's own default, five seconds a read, made start-up look hung).
const QString kConnectOptions = QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=250");
const QString kLocked =
    QStringLiteral("The catalogue database is locked by another program; try again once that "
                   "program has closed it.");

bool isLocked(const QSqlError& error)
{
    // SQLITE_BUSY, SQLITE_LOCKED, or one of their extended codes.
    const int code = error.nativeErrorCode().toInt() & 0xFF;
    return code == 5 || code == 6 ||
           error.databaseText().contains(QLatin1String("database is locked"), Qt::CaseInsensitive);
}

// The sentence for a read that failed without a more particular reason.
QString readProblem(const QSqlError& error)
{
    return isLocked(error) ? kLocked
                           : QStringLiteral("The catalogue database is not a readable database.");
}

// The sentence for a "Select * From <table>" that failed.
QString queryProblem(const QSqlDatabase& db, const QSqlQuery& query, const QString& table)
{
    const QString code = query.lastError().nativeErrorCode();
    if (isLocked(query.lastError()))
        return kLocked;
    if (code == QLatin1String("11") || code == QLatin1String("26")) // SQLITE_CORRUPT, SQLITE_NOTADB
        return QStringLiteral("The catalogue database is not a readable database.");
    if (!db.tables(QSql::AllTables).contains(table, Qt::CaseInsensitive))
        return QStringLiteral("The catalogue database has no table %1.").arg(table);
    return QStringLiteral("The table %1 of the catalogue database cannot be read.").arg(table);
}

// Opens the database read-only under a connection of its own, runs body(db, problem) and
// removes the connection again. body returns false and fills `problem` on failure. All
// QSqlDatabase and QSqlQuery handles live inside the inner scope, so removeDatabase finds
// none in use.
template <typename Body> bool withCatalogue(const QString& path, QString* error, Body&& body)
{
    if (const QString problem = checkFile(path); !problem.isEmpty()) {
        setError(error, problem);
        return false;
    }
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QSQLITE"))) {
        setError(error, QStringLiteral("The SQLite driver of Qt (QSQLITE) is not installed."));
        return false;
    }

    const QString connection = nextConnectionName();
    QString problem;
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(path);
        db.setConnectOptions(kConnectOptions);
        if (db.open()) {
            ok = body(db, problem);
            db.close();
        } else {
            problem = isLocked(db.lastError())
                          ? kLocked
                          : QStringLiteral("The catalogue database cannot be opened.");
        }
    }
    QSqlDatabase::removeDatabase(connection);

    if (ok) {
        if (error)
            error->clear();
    } else {
        setError(error, problem.isEmpty() ? QStringLiteral("The catalogue database cannot be read.")
                                          : problem);
    }
    return ok;
}

// A "Version" value as single precision; false when it is missing or not a finite number.
bool toVersion(const QVariant& value, float& version)
{
    if (value.isNull())
        return false;
    bool ok = false;
    version = value.toFloat(&ok);
    return ok && std::isfinite(version);
}

struct VersionRow {
    QString indexText;
    QVariant version;
    float number = 0;
};

// Reads and checks the whole DV_Version table.
bool readVersions(QSqlDatabase& db, QList<VersionRow>& rows, QString& problem)
{
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("Select * From DV_Version"))) {
        problem = queryProblem(db, query, kVersionsTable);
        return false;
    }
    const QSqlRecord record = query.record();
    const int indexField = record.indexOf(QStringLiteral("Index"));
    const int versionField = record.indexOf(QStringLiteral("Version"));
    if (indexField < 0) {
        problem = QStringLiteral("The table DV_Version has no field Index.");
        return false;
    }
    if (versionField < 0) {
        problem = QStringLiteral("The table DV_Version has no field Version.");
        return false;
    }

    while (query.next()) {
        VersionRow row;
        row.indexText = query.value(indexField).toString();
        row.version = query.value(versionField);
        if (row.version.isNull()) {
            problem = QStringLiteral("A row of the table DV_Version has no Version.");
            return false;
        }
        if (!toVersion(row.version, row.number)) {
            problem =
                QStringLiteral("A row of the table DV_Version has a Version that is not a number.");
            return false;
        }
        rows.append(std::move(row));
    }
    if (query.lastError().isValid()) {
        problem = readProblem(query.lastError());
        return false;
    }
    if (rows.size() > kMaxVersions) {
        problem = QStringLiteral("The table DV_Version has %1 rows; at most %2 are allowed.")
                      .arg(rows.size())
                      .arg(kMaxVersions);
        return false;
    }
    return true;
}

} // namespace

QString GetCatalogueDatabasePath(const QString& programDir)
{
    if (programDir.endsWith(QLatin1Char('/')))
        return QDir::currentPath() + kFileName;
    return programDir + QLatin1Char('/') + kFileName;
}

const QString MissingDatabaseTitle = QStringLiteral("File Not Found");
const QString MissingDatabaseText =
    QStringLiteral("Cannot find the DraCFG.mdb file.  Please verify\r\n"
                   "that this file exists in the installation folder");

bool catalogueDatabaseExists(const QString& dbPath)
{
    const QFileInfo info(dbPath);
    return !dbPath.isEmpty() && info.exists() && !info.isDir();
}

namespace {

// Every CFGSettings row with its "Version".
bool readSettings(QSqlDatabase& db, QList<CatalogueRow>& loaded, QList<float>& versions,
                  QString& problem)
{
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("Select * From CFGSettings"))) {
        problem = queryProblem(db, query, kSettingsTable);
        return false;
    }
    const QSqlRecord record = query.record();
    if (record.count() != kSettingsFieldCount) {
        problem = QStringLiteral("The table CFGSettings has %1 fields; it must have exactly %2.")
                      .arg(record.count())
                      .arg(kSettingsFieldCount);
        return false;
    }
    const int versionField = record.indexOf(QStringLiteral("Version"));
    if (versionField < 0) {
        problem = QStringLiteral("The table CFGSettings has no field Version.");
        return false;
    }

    loaded.reserve(512);
    while (query.next()) {
        const QVariant value = query.value(versionField);
        float version = 0;
        if (!toVersion(value, version)) {
            problem = value.isNull()
                          ? QStringLiteral("A setting in the catalogue database has no Version.")
                          : QStringLiteral("A setting in the catalogue database has a Version "
                                           "that is not a number.");
            return false;
        }
        CatalogueRow& row = loaded.emplace_back();
        for (int field = 1; field < kSettingsFieldCount; ++field)
            row.columns[static_cast<size_t>(field - 1)] = query.value(field).toString();
        versions.append(version);
    }
    if (query.lastError().isValid()) {
        problem = readProblem(query.lastError());
        return false;
    }
    return true;
}

QString captionOf(const VersionRow& row)
{
    return QLatin1Char('v') + row.version.toString();
}

} // namespace

bool loadEveryVersion(const QString& dbPath, VersionedCatalogue& catalogue, QString* error)
{
    QList<CatalogueRow> loaded;
    QList<float> versions;
    if (!withCatalogue(dbPath, error, [&](QSqlDatabase& db, QString& problem) {
            return readSettings(db, loaded, versions, problem);
        }))
        return false;
    catalogue.settings.replace(std::move(loaded));
    catalogue.introduced = std::move(versions);
    return true;
}

bool loadEverything(const QString& dbPath, VersionedCatalogue& catalogue,
                    QList<VersionEntry>& versions, QString* error)
{
    QList<VersionRow> versionRows;
    QList<CatalogueRow> loaded;
    QList<float> introduced;
    const bool ok = withCatalogue(dbPath, error, [&](QSqlDatabase& db, QString& problem) {
        return readVersions(db, versionRows, problem) &&
               readSettings(db, loaded, introduced, problem);
    });
    if (!ok)
        return false;
    catalogue.settings.replace(std::move(loaded));
    catalogue.introduced = std::move(introduced);
    versions.clear();
    for (const VersionRow& row : std::as_const(versionRows))
        versions.append({row.indexText, row.number, captionOf(row)});
    return true;
}

bool readVersionCaptions(const QString& dbPath, QStringList& captions, QString* error)
{
    QStringList read;
    const bool ok = withCatalogue(dbPath, error, [&](QSqlDatabase& db, QString& problem) {
        QList<VersionRow> rows;
        if (!readVersions(db, rows, problem))
            return false;
        read.reserve(rows.size());
        for (const VersionRow& row : std::as_const(rows))
            read.append(captionOf(row));
        return true;
    });
    if (ok)
        captions = std::move(read);
    return ok;
}

} // namespace CatalogueDatabase
