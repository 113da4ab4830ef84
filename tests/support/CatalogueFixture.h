#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// One CFGSettings row for a fixture catalogue. `version` is stored as a double (REAL), as the
// generated DraCFG.mdb stores it.
struct FixtureSetting {
    QString category;
    QString name;
    double version = 1;
    QString helpLink;
    QString valueType;
    QString choices;
    QString numberNote;
    QString description;
};

// Writes a fresh SQLite catalogue at `path` (an existing file is replaced): table CFGSettings
// with the nine fields ID, Category, SettingName, Version, HelpLink, ValueType, Choices,
// NumberNote, Description in that order (ID = 1, 2, ... in list order), and table DV_Version
// ("Index", Version) whose row at position p holds Index p. Returns false on failure.
bool WriteFixtureCatalogue(const QString& path, const QList<FixtureSetting>& settings,
                           const QList<double>& versions);

// Runs raw SQL statements, in order and inside one transaction, against a new or existing
// SQLite file (for hostile-input tests: odd tables, NULLs, extra fields). Returns false, and
// changes nothing, when a statement fails.
bool ExecFixtureSql(const QString& path, const QStringList& statements);

// Holds an SQLite file locked, as another program in the middle of writing it does, from
// construction to destruction (within one test: the connection goes with it).
class FixtureLock {
public:
    explicit FixtureLock(const QString& path);
    ~FixtureLock();
    FixtureLock(const FixtureLock&) = delete;
    FixtureLock& operator=(const FixtureLock&) = delete;
    bool isHeld() const { return m_held; }

private:
    QString m_connection;
    bool m_held = false;
};
