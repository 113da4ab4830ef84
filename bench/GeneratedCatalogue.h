#pragma once

// A catalogue of 5,000 settings in 200 categories, written once per benchmark program.
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QTemporaryDir>
#include <QVariant>
#include <benchmark/benchmark.h>

#include "core/EditingState.h"

inline constexpr int GeneratedSettings = 5000;
inline constexpr int GeneratedCategories = 200;

inline const QString& DemoCatalogue()
{
    static const QString path = QStringLiteral(DRACFG_BUILD_BIN_DIR "/DraCFG.mdb");
    return path;
}

// Runs body(db) on a connection of its own, removed again afterwards.
template <typename Body>
inline bool WithDatabase(const QString& path, const QString& connection, bool readOnly, Body&& body)
{
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(path);
        if (readOnly)
            db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (db.open()) {
            ok = body(db);
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(connection);
    return ok;
}

// 25 settings to a category; names are handed out in a scrambled order so that the
// alphabetical tree has real sorting to do.
inline bool WriteGeneratedCatalogue(const QString& path)
{
    return WithDatabase(path, QStringLiteral("bench.generate"), false, [](QSqlDatabase& db) {
        QSqlQuery query(db);
        if (!query.exec(QStringLiteral(
                "CREATE TABLE CFGSettings (ID INTEGER, Category TEXT, SettingName TEXT, "
                "Version REAL, HelpLink TEXT, ValueType TEXT, Choices TEXT, NumberNote TEXT, "
                "Description TEXT)")) ||
            !query.exec(
                QStringLiteral("CREATE TABLE DV_Version (\"Index\" INTEGER, Version REAL)")) ||
            !query.exec(QStringLiteral("INSERT INTO DV_Version VALUES (0, 1.0)")))
            return false;
        db.transaction();
        query.prepare(QStringLiteral("INSERT INTO CFGSettings VALUES (?, ?, ?, 1.0, ?, 'number', "
                                     "'', '1 to 4096', 'pages')"));
        const int perCategory = GeneratedSettings / GeneratedCategories;
        for (int i = 0; i < GeneratedSettings; ++i) {
            const int scrambled = (i * 7919) % GeneratedSettings;
            const QString name =
                QStringLiteral("SETTING_%1").arg(scrambled, 4, 10, QLatin1Char('0'));
            query.addBindValue(i + 1);
            query.addBindValue(QStringLiteral("Category %1").arg(i / perCategory));
            query.addBindValue(name);
            query.addBindValue(QLatin1Char('#') + name);
            if (!query.exec())
                return false;
        }
        return db.commit();
    });
}

inline const QString& GeneratedCatalogue()
{
    static QTemporaryDir folder;
    static const QString path = [] {
        const QString file = folder.filePath(QStringLiteral("DraCFG.mdb"));
        return WriteGeneratedCatalogue(file) ? file : QString();
    }();
    return path;
}

// Switches the state to the generated catalogue; on failure the benchmark is skipped.
inline bool UseGeneratedCatalogue(EditingState& editing, benchmark::State& state)
{
    QString error;
    if (editing.load(GeneratedCatalogue(), &error))
        return true;
    state.SkipWithError(error.toStdString().c_str());
    return false;
}
