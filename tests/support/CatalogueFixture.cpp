#include "support/CatalogueFixture.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <atomic>

namespace {

QString nextConnectionName()
{
    static std::atomic<quint64> counter{0};
    return QStringLiteral("DraCFG.fixture.%1").arg(++counter);
}

// Opens `path` read-write (creating it) under a connection of its own, runs body(db) inside a
// transaction and removes the connection again.
template <typename Body> bool withWritableDatabase(const QString& path, Body&& body)
{
    const QString connection = nextConnectionName();
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(path);
        if (db.open()) {
            if (db.transaction()) {
                ok = body(db);
                ok = ok ? db.commit() : (db.rollback(), false);
            }
            db.close();
        }
        if (!ok)
            qWarning("Catalogue fixture %s: %s", qPrintable(path),
                     qPrintable(db.lastError().text()));
    }
    QSqlDatabase::removeDatabase(connection);
    return ok;
}

// Empty texts are stored as '' rather than NULL, as the generator stores them.
QVariant text(const QString& value)
{
    return value.isNull() ? QVariant(QStringLiteral("")) : QVariant(value);
}

bool execAll(QSqlDatabase& db, const QStringList& statements)
{
    for (const QString& statement : statements) {
        QSqlQuery query(db);
        if (!query.exec(statement)) {
            qWarning("Catalogue fixture statement failed: %s: %s", qPrintable(statement),
                     qPrintable(query.lastError().text()));
            return false;
        }
    }
    return true;
}

bool insert(QSqlDatabase& db, const QString& statement, const QVariantList& values)
{
    QSqlQuery query(db);
    if (!query.prepare(statement))
        return false;
    for (int i = 0; i < values.size(); ++i)
        query.bindValue(i, values.at(i));
    return query.exec();
}

} // namespace

bool WriteFixtureCatalogue(const QString& path, const QList<FixtureSetting>& settings,
                           const QList<double>& versions)
{
    if (QFile::exists(path) && !QFile::remove(path))
        return false;
    return withWritableDatabase(path, [&](QSqlDatabase& db) {
        if (!execAll(db,
                     {QStringLiteral("CREATE TABLE CFGSettings (ID INTEGER PRIMARY KEY, "
                                     "Category TEXT, SettingName TEXT, Version REAL, "
                                     "HelpLink TEXT, ValueType TEXT, Choices TEXT, "
                                     "NumberNote TEXT, Description TEXT)"),
                      QStringLiteral("CREATE TABLE DV_Version (\"Index\" INTEGER, Version REAL)")}))
            return false;
        int id = 0;
        for (const FixtureSetting& s : settings) {
            if (!insert(
                    db,
                    QStringLiteral("INSERT INTO CFGSettings VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                    {++id, text(s.category), text(s.name), s.version, text(s.helpLink),
                     text(s.valueType), text(s.choices), text(s.numberNote), text(s.description)}))
                return false;
        }
        for (int p = 0; p < versions.size(); ++p) {
            if (!insert(db,
                        QStringLiteral("INSERT INTO DV_Version (\"Index\", Version) VALUES (?, ?)"),
                        {p, versions.at(p)}))
                return false;
        }
        return true;
    });
}

bool ExecFixtureSql(const QString& path, const QStringList& statements)
{
    return withWritableDatabase(path, [&](QSqlDatabase& db) { return execAll(db, statements); });
}
