#pragma once

#include "support/CatalogueFixture.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QTemporaryDir>
#include <memory>

class FakeDialogs;
class MainWindow;

// A throw-away installation for one test: a program folder with a catalogue, a server
// installation with its reference page (KELMPATH points at it), an empty preference store and
// an empty data folder (XDG_DATA_HOME), where recovery copies go.
class TestEnvironment {
public:
    TestEnvironment();
    ~TestEnvironment();
    TestEnvironment(const TestEnvironment&) = delete;
    TestEnvironment& operator=(const TestEnvironment&) = delete;

    // A path below the environment's own temporary folder.
    QString path(const QString& relative) const { return m_root.filePath(relative); }
    QString programDir() const { return path(QStringLiteral("program")); }
    QString serverDir() const { return path(QStringLiteral("server")); }
    QString cataloguepath() const { return programDir() + QStringLiteral("/DraCFG.mdb"); }
    QString dataHome() const { return path(QStringLiteral("data")); }
    QString helpPage() const
    {
        return serverDir() + QStringLiteral("/Docs/techref/TRCFG/homecfgl.htm");
    }

    bool writeCatalogue(const QList<FixtureSetting>& settings, const QList<double>& versions);
    // Writes bytes to path(relative), creating folders; returns the full path.
    QString writeFile(const QString& relative, const QByteArray& bytes) const;

    // Start-up with no splash wait, given the file to open; nothing when start-up ended after a
    // message.
    std::unique_ptr<MainWindow> startMainWindow(FakeDialogs& dialogs,
                                                const QString& file = {}) const;

private:
    QTemporaryDir m_root;
    QByteArray m_savedKelmpath;
    bool m_hadKelmpath = false;
    QByteArray m_savedDataHome;
    bool m_hadDataHome = false;
};

// Three versions and a dozen settings covering every value type and both pseudo-settings:
// Editing: " COMMENT(;)" string, " BLANK LINE" null; Connections: MAXCONNECTIONS number
// (note "1 to 4096"), SERVERNAME string; Logging: LOGLEVEL combo "ERROR|WARNING|INFO|DEBUG",
// LOGFILE string, TRACE boolean "ON|OFF"; Memory: CACHESIZE multiple "_DATA|_INDEX|_TEMP",
// BUFFERS number (Description "n", default 64), LOCKMEMORY null; Replication: REPLICAHOST string
// (version 2), SYNCMODE combo (version 3).
QList<FixtureSetting> SmallCatalogue();
QList<double> SmallCatalogueVersions();
