#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// One CFGSettings row; `version` is a REAL, as in the generated DraCFG.mdb.
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

// Replaces `path` by an SQLite catalogue: CFGSettings with its nine fields (ID 1, 2, ... in
// list order) and DV_Version ("Index", Version), the row at position p with Index p.
bool WriteFixtureCatalogue(const QString& path, const QList<FixtureSetting>& settings,
                           const QList<double>& versions);

// Raw statements in one transaction, for hostile catalogues; nothing changes when one fails.
bool ExecFixtureSql(const QString& path, const QStringList& statements);

// Holds an SQLite file locked, as another program in the middle of writing it does.
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
