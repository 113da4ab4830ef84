#include "support/CatalogueFixture.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <atomic>

namespace {

using Statements = QList<std::pair<QString, QVariantList>>;

// Each statement with its bound values, in one transaction on a connection of its own.
bool execAll(const QString& path, const Statements& statements)
{
    static std::atomic<quint64> counter{0};
    const QString connection = QStringLiteral("DraCFG.fixture.%1").arg(++counter);
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(path);
        ok = db.open() && db.transaction();
        for (auto it = statements.begin(); ok && it != statements.end(); ++it) {
            QSqlQuery query(db);
            ok = query.prepare(it->first);
            for (const QVariant& value : it->second)
                query.addBindValue(value);
            if (!(ok = ok && query.exec()))
                qWarning("Catalogue fixture statement failed: %s: %s", qPrintable(it->first),
                         qPrintable(query.lastError().text()));
        }
        ok = ok ? db.commit() : (db.rollback(), false);
        if (!ok)
            qWarning("Catalogue fixture %s: %s", qPrintable(path),
                     qPrintable(db.lastError().text()));
        db.close();
    }
    QSqlDatabase::removeDatabase(connection);
    return ok;
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
    Statements statements{
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
    return execAll(path, statements);
}

bool ExecFixtureSql(const QString& path, const QStringList& statements)
{
    Statements plain;
    for (const QString& statement : statements)
        plain.append({statement, {}});
    return execAll(path, plain);
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
