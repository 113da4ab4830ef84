#include "support/CatalogueFixture.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <atomic>

namespace {

// Runs body(db) on `path`, created if need be, inside a transaction under a connection of its
// own that goes again afterwards.
template <typename Body> bool withWritableDatabase(const QString& path, Body&& body)
{
    static std::atomic<quint64> counter{0};
    const QString connection = QStringLiteral("DraCFG.fixture.%1").arg(++counter);
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(path);
        if (db.open() && db.transaction()) {
            ok = body(db);
            ok = ok ? db.commit() : (db.rollback(), false);
        }
        if (!ok)
            qWarning("Catalogue fixture %s: %s", qPrintable(path),
                     qPrintable(db.lastError().text()));
        db.close();
    }
    QSqlDatabase::removeDatabase(connection);
    return ok;
}

// Each statement with its bound values, in order; the first failure stops the run.
bool execAll(QSqlDatabase& db, const QList<std::pair<QString, QVariantList>>& statements)
{
    for (const auto& [statement, values] : statements) {
        QSqlQuery query(db);
        bool ok = query.prepare(statement);
        for (int i = 0; ok && i < values.size(); ++i)
            query.bindValue(i, values.at(i));
        if (!ok || !query.exec()) {
            qWarning("Catalogue fixture statement failed: %s: %s", qPrintable(statement),
                     qPrintable(query.lastError().text()));
            return false;
        }
    }
    return true;
}

} // namespace

bool WriteFixtureCatalogue(const QString& path, const QList<FixtureSetting>& settings,
                           const QList<double>& versions)
{
    if (QFile::exists(path) && !QFile::remove(path))
        return false;
    // Empty texts are stored as '' rather than NULL, as the generator stores them.
    const auto text = [](const QString& value) {
        return value.isNull() ? QStringLiteral("") : value;
    };
    QList<std::pair<QString, QVariantList>> statements{
        {QStringLiteral("CREATE TABLE CFGSettings (ID INTEGER PRIMARY KEY, Category TEXT, "
                        "SettingName TEXT, Version REAL, HelpLink TEXT, ValueType TEXT, "
                        "Choices TEXT, NumberNote TEXT, Description TEXT)"),
         {}},
        {QStringLiteral("CREATE TABLE DV_Version (\"Index\" INTEGER, Version REAL)"), {}}};
    int id = 0;
    for (const FixtureSetting& s : settings)
        statements.append(
            {QStringLiteral("INSERT INTO CFGSettings VALUES (?,?,?,?,?,?,?,?,?)"),
             {++id, text(s.category), text(s.name), s.version, text(s.helpLink), text(s.valueType),
              text(s.choices), text(s.numberNote), text(s.description)}});
    for (int p = 0; p < versions.size(); ++p)
        statements.append(
            {QStringLiteral("INSERT INTO DV_Version VALUES (?, ?)"), {p, versions.at(p)}});
    return withWritableDatabase(path, [&](QSqlDatabase& db) { return execAll(db, statements); });
}

bool ExecFixtureSql(const QString& path, const QStringList& statements)
{
    QList<std::pair<QString, QVariantList>> plain;
    for (const QString& statement : statements)
        plain.append({statement, {}});
    return withWritableDatabase(path, [&](QSqlDatabase& db) { return execAll(db, plain); });
}

FixtureLock::FixtureLock(const QString& path)
    : m_connection(QStringLiteral("DraCFG.fixture.lock.%1").arg(quintptr(this)))
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    db.setDatabaseName(path);
    m_held = db.open() && QSqlQuery(db).exec(QStringLiteral("BEGIN EXCLUSIVE"));
}

FixtureLock::~FixtureLock()
{
    {
        QSqlDatabase db = QSqlDatabase::database(m_connection, false);
        if (m_held)
            QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
        db.close();
    }
    QSqlDatabase::removeDatabase(m_connection);
}
